// Turning the caption's source text into the control's formatted lines.
#include <algorithm>
#include <string_view>

#include "caption_markup.h"
#include "caption_source.h"
#include "errors.h"
#include "tickerell_state.h"

namespace tickerell {
namespace {

// Entries are counted by a 16-bit index that starts at 0.
constexpr std::size_t kMaxEntries = 32768;
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
  const std::string source = CaptionSource(caption);

  const std::size_t entries =
      source.empty() ? 0
                     : static_cast<std::size_t>(std::count(source.begin(), source.end(), ';')) + 1;
  LineBuffer.Clear();
  LineCount = 0;
  if (entries > kMaxEntries) tk::Raise(tk::kOverflow);

  std::string_view rest = source;
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t end = std::min(rest.find(';'), rest.size());
    AddEntryLine(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
}

void TickerellState::AddEntryLine(std::string_view entry) {
  LineFormat format = DefaultLineFormat();
  OleColor color = m_ForeColor;
  if (entry.empty()) {
    AddBufferLine(format, 0, std::string());
    return;
  }
  if (entry.front() == '<') return;  // a note for whoever writes the credits

  if (FindTag(entry, "<F.BOLD>")) format.Bold = tk::kTrue16;
  if (FindTag(entry, "<F.ITALIC>")) format.Italic = tk::kTrue16;
  if (FindTag(entry, "<F.STRIKETHROUGH>")) format.Strikethrough = tk::kTrue16;
  if (FindTag(entry, "<F.UNDERLINE>")) format.Underline = tk::kTrue16;
  if (auto at = FindTag(entry, "<F.WGHT:")) format.Weight = ReadTagNumber(GetTagValue(entry, at));
  if (auto at = FindTag(entry, "<F.SIZEX:")) format.Size = ReadTagNumber(GetTagValue(entry, at));
  if (auto at = FindTag(entry, "<F.CAHRS:")) format.Charset = ReadTagNumber(GetTagValue(entry, at));
  if (auto at = FindTag(entry, "<F.NAMEX:")) format.Name = GetTagValue(entry, at);

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
  if (auto at = FindTag(entry, "<F.COLOR:")) color = ReadTagNumber(GetTagValue(entry, at));

  AddBufferLine(format, color, GetLineText(entry));
}

void TickerellState::AddBufferLine(const LineFormat& Format, OleColor Color,
                                   const std::string& Text) {
  if (LineCount >= LineBufferArray::kUpperBound) tk::Raise(tk::kSubscriptOutOfRange);
  ++LineCount;
  BufferLine& line = LineBuffer[LineCount];
  line.Text = Text;
  line.Format = Format;
  line.Color = Color;
}

}  // namespace tickerell
