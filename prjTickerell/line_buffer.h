// The control's formatted lines: the font settings of one line, one line of text with its
// format and colour, and the fixed buffer of 500 lines that the renderer draws from.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "runtime/checked.h"

namespace tickerell {

// A colour as the control's interface carries it (an OLE colour), kept as a signed 32-bit
// number the way the control stores and persists it.
using OleColor = std::int32_t;

struct LineFormat {
  tk::Bool16 Bold = tk::kFalse16;
  std::int32_t Charset = 0;
  tk::Bool16 Italic = tk::kFalse16;
  std::string Name;
  std::int32_t Size = 0;  // points; the renderer applies only sizes above 0
  tk::Bool16 Strikethrough = tk::kFalse16;
  tk::Bool16 Underline = tk::kFalse16;
  std::int32_t Weight = 0;  // kept, but never applied when drawing

  bool operator==(const LineFormat&) const = default;
};

// The format of every parsed line before its tags and suffixes are applied.
LineFormat DefaultLineFormat();

struct BufferLine {
  std::string Text;
  LineFormat Format;
  OleColor Color = 0;

  bool operator==(const BufferLine&) const = default;
};

// 500 records, indexed 1 to 500 like the control's own array; any other index raises
// "Subscript out of range" (9). A cleared record has empty texts, zero numbers and False
// flags (not the default format).
class LineBufferArray {
 public:
  static constexpr int kLowerBound = 1;
  static constexpr int kUpperBound = 500;

  BufferLine& operator[](int index) { return records_[Slot(index)]; }
  const BufferLine& operator[](int index) const { return records_[Slot(index)]; }
  void Clear();

 private:
  static std::size_t Slot(int index);
  std::array<BufferLine, kUpperBound> records_{};
};

}  // namespace tickerell
