// FIFOs for tests of code that must never wait on one. Code that opens a FIFO for reading
// waits until someone opens it for writing. If the call under test has not returned
// within a bound, the watchdog opens the other end and closes it again, so that the wait
// ends with an empty read and a regression fails its test instead of hanging the suite.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace tk::testing {

// A FIFO made at `path` (in place of whatever was there) and removed with the object.
class Fifo {
 public:
  explicit Fifo(std::string path) : path_(std::move(path)) {
    ::unlink(path_.c_str());
    if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("cannot make " + path_);
  }
  ~Fifo() { ::unlink(path_.c_str()); }
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Runs `call`. True when it returned on its own within `bound`; false when it had to be
// released from waiting on the FIFO at `fifo_path`.
template <class Call>
bool ReturnsWithoutWaiting(const std::string& fifo_path, Call&& call,
                           std::chrono::seconds bound = std::chrono::seconds(10)) {
  std::mutex lock;
  std::condition_variable returned;
  bool done = false;
  bool released = false;
  std::thread watchdog([&] {
    std::unique_lock guard(lock);
    if (returned.wait_for(guard, bound, [&] { return done; })) return;
    released = true;
    // A writer that opens without blocking is refused until a reader has the FIFO open,
    // so try again until the call has returned.
    while (!returned.wait_for(guard, std::chrono::milliseconds(50), [&] { return done; })) {
      const int fd = ::open(fifo_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) ::close(fd);
    }
  });
  auto finish = [&] {
    {
      std::lock_guard guard(lock);
      done = true;
    }
    returned.notify_all();
    watchdog.join();
  };
  try {
    call();
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return !released;
}

}  // namespace tk::testing
