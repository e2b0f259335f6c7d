// Turning the caption's source text into the control's lines as the text arrives, a piece
// at a time, keeping no more of it than the limits need. The result is the one that
// reading the whole source and then parsing it gives:
// - more than 32,768 entries clear the buffer and fail with Overflow (6), whatever they
//   hold, so counting stops there;
// - the entries are parsed in order until the first error (9 for a 501st line, 6 for a
//   number or a 16-bit counter out of range); after it only the count of entries can
//   change the result, and once it is Overflow with no line before it, nothing can;
// - an entry that starts with "<" yields no line, so none of it is kept;
// - of an entry too long for the 16-bit counters only what can still matter is kept:
//   its beginning, which tags occur further on, and its last characters.
// Nothing reaches the instance until the source has ended, so a failed count of entries
// leaves no line behind.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "line_buffer.h"
#include "runtime/errors.h"

namespace tickerell {

class TickerellState;

// The line that one entry yields: nothing for an entry that starts with "<". Raises
// Overflow (6) for a number or a 16-bit length or position out of range.
std::optional<BufferLine> EntryLine(std::string_view entry, OleColor fore_color);

class CaptionReader {
 public:
  explicit CaptionReader(OleColor fore_color) : fore_color_(fore_color) {}

  // Takes the next piece of the source. False once no further text could change the
  // result, so that reading may stop.
  bool Take(std::string_view text);

  // Ends the source and rebuilds the instance's buffer from it, raising the error that
  // ended the lines, if any.
  void StoreIn(TickerellState& state);

 private:
  bool Decided() const;
  void TakeEntryText(std::string_view text);
  void BeginLongEntry();
  void ScanLongEntry(std::string_view text, bool entry_ends);
  void FailIfNotEvenASeparator();
  std::string LongEntryStandIn(std::string_view ending) const;
  void EndEntry();
  void AddLine(std::string_view entry);

  const OleColor fore_color_;
  bool any_text_ = false;
  std::size_t separators_ = 0;  // the ";" taken: one fewer than the entries
  std::vector<BufferLine> lines_;
  std::optional<tk::RuntimeError> error_;  // the one that ended the lines

  // The entry being taken.
  bool note_ = false;      // it starts with "<"
  bool long_ = false;      // it is too long for the 16-bit counters
  std::string entry_;      // all of it, or the beginning of a long one
  std::size_t units_ = 0;  // at least this many UTF-16 code units in entry_
  std::string unscanned_;  // a long entry's text still to be searched for tags
  std::vector<std::string_view> tags_further_on_;  // tags found in a long entry past its beginning
  std::string ending_;                             // a long entry's last characters
};

}  // namespace tickerell
