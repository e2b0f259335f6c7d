// Turning the caption's source text into the control's formatted lines.
#include <algorithm>
#include <string_view>

#include "caption_markup.h"
#include "caption_reader.h"
#include "caption_source.h"
#include "runtime/errors.h"
#include "tickerell_state.h"

namespace tickerell {
namespace {

constexpr std::string_view kSeparatorLine = "--------------------------------------------------";
static_assert(kSeparatorLine.size() == 50);

// Whether the entry ends in `suffix` (upper case), letters compared without regard to case.
bool EndsWithSuffix(std::string_view entry, std::string_view suffix) {
  if (entry.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), entry.end() - suffix.size(), [](char s, char e) {
    return s == ((e >= 'a' && e <= 'z') ? static_cast<char>(e - 'a' + 'A') : e);
  });
}

}  // namespace

void TickerellState::SetupMainBufferLines() {
  if (m_Caption.empty() || PropertiesRead == tk::kFalse16) return;
  // A box shown while the file is read lets the host run, and it may set a new caption.
  const std::string caption = m_Caption;
  CaptionReader reader(m_ForeColor);
  ReadCaptionSource(caption, [&reader](std::string_view text) { return reader.Take(text); });
  reader.StoreIn(*this);
}

std::optional<BufferLine> EntryLine(std::string_view entry, OleColor fore_color) {
  BufferLine line{{}, DefaultLineFormat(), fore_color};
  LineFormat& format = line.Format;
  if (entry.empty()) {
    line.Color = 0;
    return line;
  }
  if (entry.front() == '<') return std::nullopt;  // a note for whoever writes the credits

  if (FindTag(entry, kBoldTag)) format.Bold = tk::kTrue16;
  if (FindTag(entry, kItalicTag)) format.Italic = tk::kTrue16;
  if (FindTag(entry, kStrikethroughTag)) format.Strikethrough = tk::kTrue16;
  if (FindTag(entry, kUnderlineTag)) format.Underline = tk::kTrue16;
  if (auto at = FindTag(entry, kWeightTag)) format.Weight = ReadTagNumber(GetTagValue(entry, at));
  if (auto at = FindTag(entry, kSizeTag)) format.Size = ReadTagNumber(GetTagValue(entry, at));
  if (auto at = FindTag(entry, kCharsetTag)) format.Charset = ReadTagNumber(GetTagValue(entry, at));
  if (auto at = FindTag(entry, kNameTag)) format.Name = GetTagValue(entry, at);

  // Suffixes are honoured only in the order /L, /I, /B from the end of the entry.
  if (EndsWithSuffix(entry, "/B")) {
    format.Bold = tk::kTrue16;
    entry.remove_suffix(2);
  }
  if (EndsWithSuffix(entry, "/I")) {
    format.Italic = tk::kTrue16;
    entry.remove_suffix(2);
  }
  if (EndsWithSuffix(entry, "/L")) entry = kSeparatorLine;

  // Looked for after the suffixes, so a separator line keeps the default colour.
  if (auto at = FindTag(entry, kColorTag)) line.Color = ReadTagNumber(GetTagValue(entry, at));

  line.Text = GetLineText(entry);
  return line;
}

void TickerellState::AddBufferLine(LineFormat Format, OleColor Color, std::string Text) {
  if (LineCount >= LineBufferArray::kUpperBound) tk::Raise(tk::kSubscriptOutOfRange);
  ++LineCount;
  BufferLine& line = LineBuffer[LineCount];
  line.Text = std::move(Text);
  line.Format = std::move(Format);
  line.Color = Color;
}

}  // namespace tickerell
