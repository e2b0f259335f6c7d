#include "caption_reader.h"

#include <algorithm>

#include "caption_markup.h"
#include "runtime/errors.h"
#include "tickerell_state.h"

namespace tickerell {
namespace {

// Entries are counted by a 16-bit index that starts at 0.
constexpr std::size_t kMaxEntries = 32768;
constexpr std::size_t kMaxLines = LineBufferArray::kUpperBound;

// An entry of more UTF-16 code units than this is long: every tag that starts within the
// 16-bit range ends within its first this many units, and an entry of this many is still
// past the range once its suffixes ("/L/I/B" at most) are gone. Such an entry yields
// Overflow unless it is a separator line, whose text is no longer the entry's.
constexpr std::size_t kLongEntryUnits = 32767 + 64;
constexpr std::size_t kSuffixesBytes = 6;  // "/L/I/B"
// How much of an entry is added, or searched for tags, at a time.
constexpr std::size_t kSliceBytes = 16 * 1024;

// Stands between the parts of a long entry's stand-in; it belongs to no tag, so no tag
// forms across the seams.
constexpr char kSeam = '#';

void KeepLast(std::string& text, std::size_t bytes) {
  if (text.size() > bytes) text.erase(0, text.size() - bytes);
}

}  // namespace

bool CaptionReader::Decided() const {
  return separators_ >= kMaxEntries ||
         (error_ && error_->number() == tk::kOverflow && lines_.empty());
}

bool CaptionReader::Take(std::string_view text) {
  if (!text.empty()) any_text_ = true;
  for (;;) {
    if (Decided()) return false;
    if (error_) {  // only the count of entries can still change the result
      separators_ += static_cast<std::size_t>(std::count(text.begin(), text.end(), ';'));
      return !Decided();
    }
    const std::size_t semicolon = text.find(';');
    if (semicolon != std::string_view::npos && entry_.empty() && !note_ && !long_) {
      AddLine(text.substr(0, semicolon));  // a whole entry in one piece: nothing to keep
    } else {
      TakeEntryText(text.substr(0, semicolon));
      if (semicolon == std::string_view::npos) return !Decided();
      if (!error_) EndEntry();
    }
    ++separators_;
    text.remove_prefix(semicolon + 1);
  }
}

void CaptionReader::StoreIn(TickerellState& state) {
  if (any_text_ && !error_ && separators_ < kMaxEntries)
    EndEntry();  // the entry after the last ";"
  state.LineBuffer.Clear();
  state.LineCount = 0;
  if ((any_text_ ? separators_ + 1 : 0) > kMaxEntries) tk::Raise(tk::kOverflow);
  for (BufferLine& line : lines_)
    state.AddBufferLine(std::move(line.Format), line.Color, std::move(line.Text));
  if (error_) throw *error_;
}

void CaptionReader::TakeEntryText(std::string_view text) {
  if (text.empty() || note_) return;
  if (!long_) {
    if (entry_.empty() && text.front() == '<') {
      note_ = true;
      return;
    }
    while (!text.empty() && !long_) {
      const std::string_view slice = text.substr(0, kSliceBytes);
      text.remove_prefix(slice.size());
      entry_ += slice;
      // Counted a slice at a time, the units never exceed the entry's own.
      units_ += Utf16Length(slice);
      if (units_ > kLongEntryUnits) BeginLongEntry();
    }
    if (!long_ || error_) return;
  }
  ScanLongEntry(text, false);
}

void CaptionReader::BeginLongEntry() {
  long_ = true;
  unscanned_ = entry_;
  KeepLast(unscanned_, kLongestTag - 1);  // a tag may begin there and end further on
  ending_ = entry_;
  KeepLast(ending_, kSuffixesBytes);
  FailIfNotEvenASeparator();
}

void CaptionReader::ScanLongEntry(std::string_view text, bool entry_ends) {
  do {
    const std::string_view slice = text.substr(0, kSliceBytes);
    text.remove_prefix(slice.size());
    unscanned_ += slice;
    ending_ += slice.substr(slice.size() - std::min(slice.size(), kSuffixesBytes));
    KeepLast(ending_, kSuffixesBytes);
    // A "<" with room for the longest tag after it is decided now; the rest waits for
    // more of the entry, unless there is no more.
    const bool last = entry_ends && text.empty();
    const std::size_t decided =
        last ? unscanned_.size() : unscanned_.size() - std::min(unscanned_.size(), kLongestTag - 1);
    bool found = false;
    for (std::size_t at = unscanned_.find('<'); at < decided; at = unscanned_.find('<', at + 1)) {
      for (std::string_view tag : kAllTags) {
        if (TagAt(unscanned_, at, tag) &&
            std::find(tags_further_on_.begin(), tags_further_on_.end(), tag) ==
                tags_further_on_.end()) {
          tags_further_on_.push_back(tag);
          found = true;
        }
      }
    }
    unscanned_.erase(0, decided);
    if (found) FailIfNotEvenASeparator();
  } while (!text.empty() && !error_);
}

// A long entry yields its line only as a separator, and only while none of its tags makes
// it fail; found tags only add failures. So once it would fail even ending in "/L", it
// fails whatever the rest of it holds.
void CaptionReader::FailIfNotEvenASeparator() {
  try {
    (void)EntryLine(LongEntryStandIn("/L"), fore_color_);
  } catch (const tk::RuntimeError& e) {
    error_ = e;
  }
}

// A text that fares in EntryLine as the long entry does: its beginning, where every tag
// within the 16-bit range lies, then one of each tag found further on (all past the
// range), then its last characters, where the suffixes are.
std::string CaptionReader::LongEntryStandIn(std::string_view ending) const {
  std::string stand_in = entry_;
  for (std::string_view tag : tags_further_on_) stand_in += tag;
  stand_in += kSeam;
  stand_in += ending;
  return stand_in;
}

void CaptionReader::EndEntry() {
  if (note_) {
    // yields no line
  } else if (long_) {
    ScanLongEntry({}, true);
    if (!error_) AddLine(LongEntryStandIn(ending_));
  } else {
    AddLine(entry_);
  }
  note_ = false;
  long_ = false;
  entry_.clear();
  units_ = 0;
  unscanned_.clear();
  tags_further_on_.clear();
  ending_.clear();
}

void CaptionReader::AddLine(std::string_view entry) {
  try {
    std::optional<BufferLine> line = EntryLine(entry, fore_color_);
    if (!line) return;
    if (lines_.size() >= kMaxLines) tk::Raise(tk::kSubscriptOutOfRange);
    if (lines_.empty()) lines_.reserve(kMaxLines);
    lines_.push_back(std::move(*line));
  } catch (const tk::RuntimeError& e) {
    error_ = e;
  }
}

}  // namespace tickerell
