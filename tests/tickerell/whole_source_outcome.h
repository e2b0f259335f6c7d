// What the control made of its source when it held all of it before parsing: a file read
// and decoded whole and cut into lines, each followed by ";"; the text cut into entries at
// ";", the entries counted, and then parsed one after another until the first error.
// Tests and the fuzzer hold the reader, which takes the source a piece at a time and no
// further than it needs, against it.
#pragma once

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "caption_reader.h"
#include "runtime/errors.h"
#include "runtime/text_encoding.h"
#include "tickerell_state.h"

namespace tickerell::testing {

struct Outcome {
  int error = 0;
  std::vector<BufferLine> lines;
  bool operator==(const Outcome&) const = default;
};

// The run-time error and the lines that parsing left in `s`.
template <class Call>
Outcome OutcomeOf(TickerellState& s, Call&& call) {
  Outcome out;
  try {
    call();
  } catch (const tk::RuntimeError& e) {
    out.error = e.number();
  }
  for (int i = 1; i <= s.LineCount; ++i) out.lines.push_back(s.LineBuffer[i]);
  return out;
}

inline std::string WholeFileSource(const std::string& bytes) {
  const std::string text = tk::LocaleToUtf8(bytes);
  std::string source;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    source += text.substr(pos, end - pos) + ";";
    if (end == std::string::npos) break;
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
  return source;
}

inline Outcome WholeSourceOutcome(std::string_view source, OleColor fore_color) {
  const std::size_t entries =
      source.empty() ? 0
                     : static_cast<std::size_t>(std::count(source.begin(), source.end(), ';')) + 1;
  if (entries > 32768) return {tk::kOverflow, {}};
  TickerellState s;
  return OutcomeOf(s, [&] {
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t end = std::min(source.find(';'), source.size());
      if (auto line = EntryLine(source.substr(0, end), fore_color))
        s.AddBufferLine(line->Format, line->Color, line->Text);
      source.remove_prefix(std::min(end + 1, source.size()));
    }
  });
}

}  // namespace tickerell::testing
