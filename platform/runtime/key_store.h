// The per-user store: a tree of keys, each holding named text values, kept in one file.
// Key paths use "\" between levels; key and value names match without regard to case
// (one value per name, whatever its case), and the case first written is kept.
// Every change is made under a lock and written whole to a new file that then replaces
// the old one, so a crash or a second running program never tears the file or drops
// another writer's value. Reading takes no lock, never waits, writes nothing and needs no
// write access. A change waits for the lock at most kLockWait and is then refused.
// A store reached through a symbolic link is written where the link leads; the link stays,
// and every name of the store shares the one lock beside the file it leads to.
// A damaged store (not well formed, larger than kMaxFileSize as read or as it would be
// written back, or not a regular file at all: what is not a regular file is never opened,
// a larger file never read) reads as empty, and is moved aside under a name of its own
// (user.store.damaged-<time>[-<n>]) before the next write replaces it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tk {

// Folds ASCII letters to lower case for matching names.
std::string FoldCase(std::string_view s);

class StoreTree {
 public:
  // Keys have at most this many levels; a deeper one is never read or written.
  static constexpr int kMaxKeyDepth = 32;
  struct Value {
    std::string name;
    std::string data;
  };
  struct Key {
    std::string path;  // as first written
    std::vector<Value> values;
  };

  std::optional<std::string> GetValue(std::string_view key, std::string_view name) const;
  bool KeyExists(std::string_view key) const;
  std::vector<std::string> SubKeys(std::string_view key) const;  // names of the direct children
  std::vector<Value> Values(std::string_view key) const;

  void CreateKey(std::string_view key);
  // Raises run-time error 5 for the root (a key path of separators only or nothing).
  void SetValue(std::string_view key, std::string_view name, std::string_view data);
  bool DeleteValue(std::string_view key, std::string_view name);
  bool DeleteTree(std::string_view key);  // the key, its values and every key below it

  bool empty() const { return keys_.empty(); }
  bool operator==(const StoreTree& other) const;

  std::string Serialize() const;
  // False for text that is not a whole, well-formed store; `out` is then empty.
  static bool Parse(std::string_view text, StoreTree& out);

 private:
  static std::string Normalize(std::string_view key);
  std::map<std::string, Key> keys_;  // by folded, normalised path
};

class KeyStore {
 public:
  // The store holds names and registrations: a larger file is damaged, and a change that
  // would make the file larger is refused.
  // A store that reads can be written back unchanged: its text never grows on the way.
  static constexpr std::uintmax_t kMaxFileSize = 4u << 20;
  // How long a change waits for another holder of the lock before it is refused.
  static constexpr std::chrono::milliseconds kLockWait{2000};
  explicit KeyStore(std::filesystem::path file);

  // The user's store: $TOOLKIT_STORE when set, else $XDG_CONFIG_HOME/toolkit/user.store
  // (~/.config when XDG_CONFIG_HOME is unset). Looked up again at every call.
  static KeyStore User();
  static std::filesystem::path UserStorePath();
  // The machine-wide part, read after the user's own where callers merge the two (class
  // registrations): $TOOLKIT_MACHINE_STORE when set, else machine.store beside the
  // runtime's own library, where an installation or a build tree writes it.
  static std::filesystem::path MachineStorePath();

  const std::filesystem::path& file() const { return file_; }

  // A snapshot of the whole store. A missing, unreadable or damaged file reads as empty.
  StoreTree Read() const;

  // Runs `change` on the current content under the store's lock and writes the result.
  // Raises run-time error 75 when the store cannot be written (a folder or a device at its
  // path, a file it cannot read, its lock held past kLockWait, a result past the limits);
  // the file is then untouched.
  void Update(const std::function<void(StoreTree&)>& change);

  std::optional<std::string> GetValue(std::string_view key, std::string_view name) const {
    return Read().GetValue(key, name);
  }
  void SetValue(std::string_view key, std::string_view name, std::string_view data) {
    Update([&](StoreTree& t) { t.SetValue(key, name, data); });
  }

 private:
  std::filesystem::path file_;
};

// The runtime's GetSetting and SaveSetting over the user's store.
std::string GetSetting(std::string_view app, std::string_view section, std::string_view name,
                       std::string_view fallback);
void SaveSetting(std::string_view app, std::string_view section, std::string_view name,
                 std::string_view value);
std::string SettingsKey(std::string_view app, std::string_view section);

// A value from the user's store, else from the machine-wide one when that exists.
std::optional<std::string> MergedValue(std::string_view key, std::string_view name);

}  // namespace tk
