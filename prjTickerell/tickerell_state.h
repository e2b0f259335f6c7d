// The private state of one Tickerell control: the defaults captured at creation, the
// fields behind its public properties, its line buffer and what its timer keeps between
// ticks, together with the caption parser that fills the buffer.
//
// The COM face, the life-cycle handlers and the drawing surface build on this class; it
// has no windowing and no COM in it, so the parser can be tested and fuzzed on its own.
//
// Text is held as UTF-8. The control's interface counts text in UTF-16 code units, and
// the parser's 16-bit limits (entry lengths and positions up to 32,767) are checked in
// those units, so a caption behaves the same whichever way it is encoded. Tags, ";", "<"
// and ">" are ASCII, and upper-casing for tag matching maps ASCII letters only, so byte
// positions never move and a multi-byte character is never split.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "line_buffer.h"
#include "runtime/checked.h"

namespace tickerell {

// The control library's title, shown on message boxes that name no title of their own.
inline constexpr char kLibraryTitle[] = "prjTickerell";

class TickerellState {
 public:
  // A new instance: every field zero, False or the empty text.
  TickerellState() = default;

  // Rebuilds LineBuffer and LineCount from the caption, or from the text file that the
  // caption names. Returns at once, changing nothing, while Caption is empty or the
  // stored properties have not been read. The first run-time error ends the call and
  // reaches the caller: 6 (Overflow) for a number or a 16-bit position out of range, 9
  // (Subscript out of range) for a 501st line; lines added before it stay. Nothing is
  // trapped whatever DebugMode holds: every initialized control has it True.
  void SetupMainBufferLines();

  // Appends one line; raises 9 and stores nothing when the buffer already holds 500.
  void AddBufferLine(LineFormat Format, OleColor Color, std::string Text);

  // Error switch: True (set by initialization and never changed) lets run-time errors rise.
  tk::Bool16 DebugMode = tk::kFalse16;
  // The surface's colours and the timer's interval at creation.
  OleColor DefaultBackColor = 0;
  OleColor DefaultForeColor = 0;
  std::int32_t DefaultTimerInterval = 0;
  // The last value given to ScrollStart; the default of StartupYpos.
  std::int32_t DefaultStartupYpos = 0;
  // True once stored properties have been read; until then nothing is parsed.
  tk::Bool16 PropertiesRead = tk::kFalse16;

  // The fields behind the public properties.
  std::string m_Caption;          // the marked-up lines, or the name of a file holding them
  OleColor m_ForeColor = 0;       // colour of every line that names none
  std::int16_t m_SkipPixels = 0;  // pixels the text rises per tick
  std::int32_t m_ScrollStart = 0;
  std::int32_t m_ScrollEnd = 0;
  std::int32_t m_Alignment = 0;  // 1 centres every line; any other value left-justifies
  double m_StartupWait = 0;      // seconds
  std::int32_t m_StartupYpos = 0;
  std::int32_t m_CurrentYpos = 0;
  std::int32_t m_Scroll = 0;  // a Boolean widened with its sign; non-zero counts as True

  // The parsed lines: records 1 to LineCount are drawn, in order.
  LineBufferArray LineBuffer;
  std::int16_t LineCount = 0;

  // Kept by the timer between ticks.
  tk::Bool16 ScrollStarted = tk::kFalse16;
  std::int32_t ScrollY = 0;
};

}  // namespace tickerell
