#include "runtime/key_store_file.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

namespace tk::store_file {
namespace fs = std::filesystem;
namespace {

FileState StateOfError(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return FileState::kMissing;
    case ELOOP:  // links in a circle: not a store
      return FileState::kDamaged;
    default:
      return FileState::kUnreadable;
  }
}

bool Fits(const struct stat& st, std::uintmax_t max_size) {
  return S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) <= max_size;
}

// Renames without replacing what is already at `to`.
bool RenameNoReplace(const fs::path& from, const fs::path& to, int& err) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  err = errno;
  if (err != EINVAL && err != ENOSYS) return false;
  // A file system without that flag: the writer's lock keeps other writers of this store
  // from taking the name between the look and the rename.
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) {
    err = EEXIST;
    return false;
  }
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  err = errno;
  return false;
}

bool IsProcessGone(pid_t pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// The lock file of `store`: the same for every name that leads to it.
fs::path LockPath(const fs::path& store) {
  // Where a save lands: through the links to a regular or a missing file; anything else
  // at the path is moved aside and the store written in its place.
  struct stat st;
  const bool through = ::stat(store.c_str(), &st) == 0 ? S_ISREG(st.st_mode) : errno == ENOENT;
  fs::path lock = through ? LinkTarget(store) : store;
  lock += ".lock";
  return lock;
}

}  // namespace

FileState ReadWhole(const fs::path& file, std::uintmax_t max_size, std::string& text) {
  text.clear();
  struct stat st;
  // Looked at before it is opened: opening a FIFO or a device may block or act on it.
  if (::stat(file.c_str(), &st) != 0) return StateOfError(errno);
  if (!Fits(st, max_size)) return FileState::kDamaged;
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return StateOfError(errno);
  FileState state = FileState::kGood;
  if (::fstat(fd, &st) != 0) {
    state = FileState::kUnreadable;
  } else if (!Fits(st, max_size)) {  // swapped since the look
    state = FileState::kDamaged;
  } else {
    text.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[65536];
    for (;;) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        state = FileState::kUnreadable;
        break;
      }
      if (n == 0) break;
      text.append(chunk, static_cast<std::size_t>(n));
      if (text.size() > max_size) {  // grew while being read
        state = FileState::kDamaged;
        break;
      }
    }
  }
  ::close(fd);
  if (state != FileState::kGood) text.clear();
  return state;
}

StoreLock::StoreLock(const fs::path& store, std::chrono::milliseconds wait) {
  const fs::path lock = LockPath(store);
  fd_ =
      ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
  if (fd_ < 0) return;
  struct stat st;
  bool locked = false;
  if (::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) {
    // Polled, not waited for: a holder that never lets go (a stuck program, a network
    // folder) must not hold this one up for longer than `wait`.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        locked = true;
        break;
      }
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK) break;
      const auto now = std::chrono::steady_clock::now();
      if (now >= deadline) break;
      std::this_thread::sleep_for(
          std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
      pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
  }
  if (!locked) {
    ::close(fd_);
    fd_ = -1;
  }
}

StoreLock::~StoreLock() {
  if (fd_ >= 0) ::close(fd_);
}

fs::path LinkTarget(const fs::path& file) {
  fs::path at = file;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(at, ec))) return at;
    const fs::path next = fs::read_symlink(at, ec);
    if (ec) return at;
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  return file;
}

bool MoveAsideDamaged(const fs::path& file) {
  struct stat st;
  fs::path entry = file;
  if (::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode)) entry = LinkTarget(file);
  if (::lstat(entry.c_str(), &st) != 0) return errno == ENOENT;  // gone already
  if (S_ISDIR(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return false;

  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  const std::string base = entry.string() + ".damaged-" + stamp;
  for (int n = 1; n <= 1000; ++n) {
    int err = 0;
    if (RenameNoReplace(entry, n == 1 ? base : base + "-" + std::to_string(n), err)) return true;
    if (err != EEXIST) return false;
  }
  return false;
}

void RemoveLeftoverTemporaries(const fs::path& target) {
  const std::string prefix = target.filename().string() + ".tmp.";
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 ||
        name.compare(0, prefix.size(), prefix) != 0)
      continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0') continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid != ::getpid() && IsProcessGone(pid)) ::unlink(it->path().c_str());
  }
}

int ReplaceWhole(const fs::path& target, const std::string& text) {
  auto tmp = target;
  tmp += ".tmp." + std::to_string(::getpid());
  ::unlink(tmp.c_str());  // left by an earlier process of the same number
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  const auto fail = [&](int err) {
    ::unlink(tmp.c_str());
    return err;
  };
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd, st.st_mode & 07777);
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int err = n < 0 ? errno : EIO;
      ::close(fd);
      return fail(err);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    return fail(err);
  }
  if (::close(fd) != 0) return fail(errno);
  if (::rename(tmp.c_str(), target.c_str()) != 0) return fail(errno);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

}  // namespace tk::store_file
