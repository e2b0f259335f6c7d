// Start-up of the game, from exec to its main window painted, against a minimal Qt
// Widgets program that shows an empty window of the same size. Both are started in turn
// in each iteration, so they share the machine's state; the counters give the medians
// and their ratio (the game should take at most 1.5 times as long).
//
// Both programs run on QT_QPA_PLATFORM as set (offscreen when unset), with a store of
// their own, and print "shown" when their window has been painted. bench/startup/under_wm
// runs them on an X server under a given window manager: the game's start-up there should
// be within 1.5 times that under openbox, whether or not the manager answers frame
// requests.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("TOOLKIT_STORE=", 0) == 0) continue;
    env.push_back(entry);
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) env.push_back("QT_QPA_PLATFORM=offscreen");
  const auto store = std::filesystem::temp_directory_path() /
                     ("korvane2_startup_bench_" + std::to_string(getpid())) / "user.store";
  env.push_back("TOOLKIT_STORE=" + store.string());
  env.push_back("KORVANE2_EXIT_WHEN_SHOWN=1");
  return env;
}

// Seconds from spawning `program` to its "shown" line; waits for it to end afterwards.
double SecondsToShown(const char* program) {
  static const std::vector<std::string> env_strings = ChildEnvironment();
  std::vector<char*> envp;
  for (const std::string& s : env_strings) envp.push_back(const_cast<char*>(s.c_str()));
  envp.push_back(nullptr);

  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  char* argv[] = {const_cast<char*>(program), nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    throw std::runtime_error(std::string("cannot start ") + program);
  }
  std::string seen;
  char buf[256];
  while (seen.find("shown\n") == std::string::npos) {
    const ssize_t n = read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    seen.append(buf, static_cast<size_t>(n));
  }
  const auto end = std::chrono::steady_clock::now();
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (seen.find("shown\n") == std::string::npos)
    throw std::runtime_error(std::string(program) + " ended without showing its window");
  return std::chrono::duration<double>(end - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_StartupToShownWindow(benchmark::State& state) {
  std::vector<double> empty, game;
  try {
    // One unmeasured start of each, so both find the libraries in the page cache.
    SecondsToShown(EMPTY_WINDOW_EXE);
    SecondsToShown(KORVANE2_EXE);
    for (auto _ : state) {
      empty.push_back(SecondsToShown(EMPTY_WINDOW_EXE));
      game.push_back(SecondsToShown(KORVANE2_EXE));
      state.SetIterationTime(game.back());
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  const double empty_median = Median(empty), game_median = Median(game);
  state.counters["empty_window_ms"] = empty_median * 1e3;
  state.counters["korvane2_ms"] = game_median * 1e3;
  state.counters["ratio"] = game_median / empty_median;
  state.counters["ratio_target"] = 1.5;
}
BENCHMARK(BM_StartupToShownWindow)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
