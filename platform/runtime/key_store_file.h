// The file beneath the per-user store: reading it whole within a size limit, its lock,
// replacing it whole, and keeping a damaged one aside. Nothing here blocks on what is
// not a regular file: a FIFO, a device or a folder at the store's path is never opened
// for reading.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tk::store_file {

enum class FileState { kMissing, kUnreadable, kDamaged, kGood };

// The whole content of `file` (through any links) into `text` when it is a regular file of
// at most `max_size` bytes (kGood). Anything else at the path, or a larger file, is
// kDamaged and is not read; `text` is then empty.
FileState ReadWhole(const std::filesystem::path& file, std::uintmax_t max_size, std::string& text);

// Holds the store's lock for as long as it lives: <file>.lock beside the file a save of
// `store` lands in (the end of its links), so that every name of one store shares one lock. Only
// writers lock: every save replaces the store whole, so a reader never sees a torn file. Waits at
// most `wait` for another holder to let go, never longer; held() then tells whether it was taken.
class StoreLock {
 public:
  StoreLock(const std::filesystem::path& store, std::chrono::milliseconds wait);
  ~StoreLock();
  bool held() const { return fd_ >= 0; }
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

 private:
  int fd_ = -1;
};

// Where writing `file` lands: the end of its chain of symbolic links, `file` itself when
// it is not a link (or is missing).
std::filesystem::path LinkTarget(const std::filesystem::path& file);

// Moves a damaged store out of the way under a name of its own,
// <entry>.damaged-<time>, then -2, -3... when that is taken. The entry is the regular
// file that `file`'s links lead to, else whatever stands at `file` itself (a link, a FIFO):
// a link to a device or a FIFO is moved, never what it leads to. A folder or a device
// node at the path is not the store's to move: false, and nothing changes.
bool MoveAsideDamaged(const std::filesystem::path& file);

// Removes the temporary files (<target>.tmp.<pid>) of saves whose process is gone.
void RemoveLeftoverTemporaries(const std::filesystem::path& target);

// Writes `text` to <target>.tmp.<pid>, then renames it over `target`, so the file is
// replaced whole or not at all. A replaced file keeps its permissions; a new one is
// private to its owner. 0, or the errno of the step that failed.
int ReplaceWhole(const std::filesystem::path& target, const std::string& text);

}  // namespace tk::store_file
