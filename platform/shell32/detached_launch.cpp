#include "shell32/detached_launch.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace shell32::detail {
namespace {

struct Report {
  int stage;
  int error;
};

// Between fork and exec only async-signal-safe calls are made.
[[noreturn]] void Fail(int fd, LaunchResult::Stage stage, int error) {
  const Report report{stage, error};
  [[maybe_unused]] ssize_t written = write(fd, &report, sizeof report);
  _exit(127);
}

}  // namespace

LaunchResult LaunchDetached(const std::string& program, const std::vector<std::string>& argv,
                            const std::string& folder) {
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  int report_pipe[2];
  if (pipe2(report_pipe, O_CLOEXEC) != 0) return {LaunchResult::kCouldNotFork, errno};

  const pid_t child = fork();
  if (child < 0) {
    const int error = errno;
    close(report_pipe[0]);
    close(report_pipe[1]);
    return {LaunchResult::kCouldNotFork, error};
  }
  if (child == 0) {
    close(report_pipe[0]);
    const pid_t grandchild = fork();
    if (grandchild < 0) Fail(report_pipe[1], LaunchResult::kCouldNotFork, errno);
    if (grandchild > 0) _exit(0);
    setsid();
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (!folder.empty() && chdir(folder.c_str()) != 0)
      Fail(report_pipe[1], LaunchResult::kCouldNotEnterFolder, errno);
    execve(program.c_str(), args.data(), environ);
    Fail(report_pipe[1], LaunchResult::kCouldNotRun, errno);
  }

  close(report_pipe[1]);
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without a word when exec succeeded (close-on-exec), or carries the
  // failing step.
  Report report{LaunchResult::kStarted, 0};
  ssize_t got;
  do {
    got = read(report_pipe[0], &report, sizeof report);
  } while (got < 0 && errno == EINTR);
  close(report_pipe[0]);
  if (got != static_cast<ssize_t>(sizeof report)) return {};
  return {static_cast<LaunchResult::Stage>(report.stage), report.error};
}

}  // namespace shell32::detail
