// Setting a caption that names a 200 MB credits file: the work the About window does when
// someone has replaced the credits with something huge. The result is decided long before
// the end of such a file (more than 32,768 entries, or a line past the 16-bit counters),
// and only as much of it as the decision needs is read, a block at a time. Targets: a file
// of many lines in a few milliseconds, one 200 MB line in well under a second; either in a
// few megabytes (the process's peak is shown; run one benchmark alone to see its own).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>

#include "tickerell_state.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 200u << 20;

// A file of kFileSize bytes made of `unit` over and over, written a block at a time.
class HugeFile {
 public:
  HugeFile(const std::string& name, const std::string& unit)
      : path_(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::string block;
    while (block.size() < (1u << 20)) block += unit;
    std::ofstream out(path_, std::ios::binary);
    for (std::size_t written = 0; written < kFileSize; written += block.size())
      out.write(block.data(),
                static_cast<std::streamsize>(std::min(block.size(), kFileSize - written)));
  }
  ~HugeFile() { fs::remove(path_); }
  std::string path() const { return path_.string(); }

 private:
  fs::path path_;
};

void SetupFrom(benchmark::State& state, const std::string& path) {
  std::setlocale(LC_CTYPE, "");  // as the game runs: in the user's locale
  tickerell::TickerellState s;
  s.DebugMode = tk::kTrue16;
  s.PropertiesRead = tk::kTrue16;
  s.m_Caption = path;
  int error = 0;
  for (auto _ : state) {
    try {
      s.SetupMainBufferLines();
    } catch (const tk::RuntimeError& e) {
      error = e.number();
    }
    benchmark::DoNotOptimize(s.LineCount);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["error"] = error;
  state.counters["process_peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_SetupMainBufferLines_HugeCreditsFile(benchmark::State& state) {
  const HugeFile file("tickerell-huge-credits",
                      "Zudir Iduv - Korvane#2<F.BOLD><F.SIZEX:14>\nThe game<F.BOLD>\nRule/L\n\n");
  SetupFrom(state, file.path());
}
BENCHMARK(BM_SetupMainBufferLines_HugeCreditsFile)->Unit(benchmark::kMillisecond);

void BM_SetupMainBufferLines_HugeSingleLine(benchmark::State& state) {
  const HugeFile file("tickerell-huge-line", std::string(4096, 'x'));
  SetupFrom(state, file.path());
}
BENCHMARK(BM_SetupMainBufferLines_HugeSingleLine)->Unit(benchmark::kMillisecond);

}  // namespace
