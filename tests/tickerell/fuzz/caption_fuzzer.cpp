// Feeds arbitrary text to the caption parser, as a caption or (first byte 0x01) as the
// contents of the text file that a caption names, and checks what it leaves behind:
// among other things, that it is what parsing the whole source at once gives.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "caption_source.h"
#include "runtime/errors.h"
#include "tickerell_state.h"
#include "whole_source_outcome.h"

namespace {

namespace fs = std::filesystem;
using tickerell::BufferLine;
using tickerell::TickerellState;
using tickerell::testing::Outcome;

constexpr tickerell::OleColor kForeColor = 0x00123456;

fs::path& Sandbox() {
  static fs::path folder;
  return folder;
}

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "caption fuzzer: %s\n", what);
    abort();
  }
}

Outcome Parse(const std::string& caption) {
  TickerellState s;
  s.DebugMode = tk::kTrue16;
  s.PropertiesRead = tk::kTrue16;
  s.m_ForeColor = kForeColor;
  s.m_Caption = caption;
  // Any exception but a run-time error escapes and is reported as a crash.
  const Outcome out = tickerell::testing::OutcomeOf(s, [&] { s.SetupMainBufferLines(); });
  Check(out.error == 0 || out.error == tk::kOverflow || out.error == tk::kSubscriptOutOfRange,
        "unexpected error number");
  Check(s.LineCount >= 0 && s.LineCount <= 500, "LineCount out of range");
  Check(out.error != tk::kSubscriptOutOfRange || s.LineCount == 500, "error 9 before 500 lines");
  if (s.LineCount < 500) Check(s.LineBuffer[s.LineCount + 1] == BufferLine{}, "stale record");
  for (const BufferLine& line : out.lines)
    Check(line.Text.find(';') == std::string::npos && line.Text.find('<') == std::string::npos,
          "markup left in the visible text");
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // An empty folder of its own as current and library folder, so that a caption never
  // names a file by chance.
  char pattern[] = "/tmp/tickerell-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) abort();
  Sandbox() = pattern;
  fs::create_directory(Sandbox() / "files");
  fs::current_path(Sandbox());
  tickerell::SetLibraryFolderForTesting(Sandbox().string());
  atexit([] {
    std::error_code ec;
    fs::remove_all(Sandbox(), ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  if (!input.empty() && input[0] == '\x01') {
    const fs::path file = Sandbox() / "files" / "caption source";
    { std::ofstream(file, std::ios::binary) << input.substr(1); }
    const Outcome parsed = Parse(file.string());
    // Every line read ends with ";", so a file with any text gives a last, empty entry.
    Check(size == 1 || parsed.error != 0 || !parsed.lines.empty(), "last entry missing");
    Check(parsed == tickerell::testing::WholeSourceOutcome(
                        tickerell::testing::WholeFileSource(input.substr(1)), kForeColor),
          "reading the file differs from reading it whole");
    fs::remove(file);
    return 0;
  }
  const Outcome first = Parse(input);
  Check(Parse(input) == first, "parsing the same caption twice differs");
  Check(first == tickerell::testing::WholeSourceOutcome(input, kForeColor),
        "parsing the caption differs from parsing it whole");
  return 0;
}
