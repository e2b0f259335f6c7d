#include "com/tools/child_call.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace comreg {

namespace {

using Clock = std::chrono::steady_clock;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// In the child: the code's fault must end the child as that signal, not in a handler the
// caller installed (a sanitizer's, say), so the caller sees what happened.
[[noreturn]] void RunAsChild(const std::function<std::string()>& code, int out) {
  for (const int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS})
    ::signal(s, SIG_DFL);
  std::string result;
  try {
    result = code();
  } catch (...) {
    ::_exit(127);
  }
  // A length first, so that a result cut off by the child's end is never taken whole.
  const std::uint64_t size = result.size();
  char header[sizeof size];
  std::memcpy(header, &size, sizeof size);
  const bool sent = WriteAll(out, header, sizeof header) && WriteAll(out, result.data(), size);
  ::_exit(sent ? 0 : 126);
}

// Appends whatever the pipe holds now; false once it is closed (or fails).
bool Drain(int fd, std::string& into) {
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      into.append(buf, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && errno == EAGAIN;
  }
}

// The result the child sent, when it sent one whole.
bool TakeResult(const std::string& received, std::string& result) {
  std::uint64_t size = 0;
  if (received.size() < sizeof size) return false;
  std::memcpy(&size, received.data(), sizeof size);
  if (received.size() - sizeof size != size) return false;
  result = received.substr(sizeof size);
  return true;
}

}  // namespace

ChildOutcome RunInChild(const std::function<std::string()>& code, double deadline_seconds) {
  ChildOutcome outcome;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    outcome.ending = ChildOutcome::Ending::kNotRun;
    outcome.error = errno;
    return outcome;
  }
  Descriptor in(ends[0]), out(ends[1]);
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) {
    outcome.ending = ChildOutcome::Ending::kNotRun;
    outcome.error = errno;
    return outcome;
  }
  if (pid == 0) RunAsChild(code, out.get());
  out.Close();
  ::fcntl(in.get(), F_SETFL, O_NONBLOCK);
  // The child's end is seen on a descriptor of its own; where there is none, it is looked
  // for at short intervals.
  const Descriptor child(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));

  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(deadline_seconds));
  std::string received;
  bool pipe_open = true;
  int status = 0;
  for (;;) {
    const pid_t waited = ::waitpid(pid, &status, WNOHANG);
    if (waited == pid || (waited < 0 && errno != EINTR)) break;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      ::kill(pid, SIGKILL);
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      outcome.ending = ChildOutcome::Ending::kTimedOut;
      return outcome;
    }
    pollfd fds[2];
    nfds_t count = 0;
    if (child.get() >= 0) fds[count++] = {child.get(), POLLIN, 0};
    if (pipe_open) fds[count++] = {in.get(), POLLIN, 0};
    const int wait_ms =
        static_cast<int>(child.get() >= 0 ? left.count() : std::min<long>(left.count(), 20));
    ::poll(fds, count, wait_ms);
    if (pipe_open) pipe_open = Drain(in.get(), received);
  }
  // What the child wrote before its end is all in the pipe by now.
  if (pipe_open) Drain(in.get(), received);

  if (WIFSIGNALED(status)) {
    outcome.ending = ChildOutcome::Ending::kCrashed;
    outcome.signal = WTERMSIG(status);
  } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
             TakeResult(received, outcome.result)) {
    outcome.ending = ChildOutcome::Ending::kReturned;
  } else {
    outcome.ending = ChildOutcome::Ending::kEnded;
    outcome.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return outcome;
}

}  // namespace comreg
