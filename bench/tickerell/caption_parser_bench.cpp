// Rebuilding the line buffer from a 500-line credits file with mixed markup: the work the
// control does whenever its Caption or ForeColor is set. Target: well under 1 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tickerell_state.h"

namespace {

namespace fs = std::filesystem;

// 500 lines: headings, names with fonts and colours, separators, blank lines and notes
// for the author; the notes add no line, so the buffer ends up with fewer than 500.
std::string CreditsText() {
  const char* kinds[] = {
      "Korvane#2 credits<F.BOLD><F.SIZEX:14><F.NAMEX:Arial>",
      "Programming<F.UNDERLINE><F.COLOR:255>/I",
      "A. Person, B. Person and C. Person<F.SIZEX:10.5><F.CAHRS:0>",
      "",
      "Artwork<F.BOLD><F.WGHT:700><F.COLOR:16711680>/B",
      "Rule<F.BOLD><F.COLOR:255>/L",
      "Thanks to everyone who played the first version/I/B",
      "<a note for whoever edits this file",
  };
  std::string text;
  for (int i = 0; i < 500; ++i) {
    text += kinds[i % 8];
    text += "\r\n";
  }
  return text;
}

class CreditsFile {
 public:
  CreditsFile()
      : path_(fs::temp_directory_path() / ("tickerell-bench-" + std::to_string(::getpid()))) {
    std::ofstream(path_, std::ios::binary) << CreditsText();
  }
  ~CreditsFile() { fs::remove(path_); }
  std::string path() const { return path_.string(); }

 private:
  fs::path path_;
};

tickerell::TickerellState Instance(const std::string& caption) {
  tickerell::TickerellState s;
  s.DebugMode = tk::kTrue16;
  s.PropertiesRead = tk::kTrue16;
  s.m_ForeColor = 255;
  s.m_Caption = caption;
  return s;
}

void BM_SetupMainBufferLines_CreditsFile(benchmark::State& state) {
  const CreditsFile file;
  auto s = std::make_unique<tickerell::TickerellState>(Instance(file.path()));
  for (auto _ : state) {
    s->SetupMainBufferLines();
    benchmark::DoNotOptimize(s->LineCount);
  }
  state.counters["lines"] = s->LineCount;
}
BENCHMARK(BM_SetupMainBufferLines_CreditsFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The same lines given as the caption itself: parsing alone, without the file.
void BM_SetupMainBufferLines_CaptionText(benchmark::State& state) {
  std::string caption = CreditsText();
  for (char& c : caption)
    if (c == '\r') c = ';';
  std::erase(caption, '\n');
  auto s = std::make_unique<tickerell::TickerellState>(Instance(caption));
  for (auto _ : state) {
    s->SetupMainBufferLines();
    benchmark::DoNotOptimize(s->LineCount);
  }
  state.counters["lines"] = s->LineCount;
}
BENCHMARK(BM_SetupMainBufferLines_CaptionText)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
