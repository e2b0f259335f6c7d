#include "runtime/key_store.h"

#include <cstdlib>
#include <cstring>

#include "runtime/app_info.h"
#include "runtime/errors.h"
#include "runtime/key_store_file.h"

namespace tk {
namespace {

using store_file::FileState;

FileState LoadFile(const std::filesystem::path& file, StoreTree& tree) {
  tree = StoreTree();
  std::string text;
  const FileState state = store_file::ReadWhole(file, KeyStore::kMaxFileSize, text);
  if (state != FileState::kGood) return state;
  if (!StoreTree::Parse(text, tree)) return FileState::kDamaged;
  // The limit holds for the store as it would be written again, so that whatever reads
  // can be saved back. Only text the writer never makes (a raw carriage return) grows.
  if (text.find('\r') != std::string::npos && tree.Serialize().size() > KeyStore::kMaxFileSize) {
    tree = StoreTree();
    return FileState::kDamaged;
  }
  return FileState::kGood;
}

[[noreturn]] void CannotWrite(const std::filesystem::path& file, const std::string& why) {
  Raise(kPathFileAccessError, "Path/File access error: cannot write " + file.string() +
                                  (why.empty() ? "" : " (" + why + ")"));
}

}  // namespace

KeyStore::KeyStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path KeyStore::UserStorePath() {
  if (const char* p = std::getenv("TOOLKIT_STORE"); p && *p) return p;
  std::filesystem::path base;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x && x[0] == '/') {
    base = x;
  } else if (const char* h = std::getenv("HOME"); h && *h) {
    base = std::filesystem::path(h) / ".config";
  } else {
    base = "/tmp";
  }
  return base / "toolkit" / "user.store";
}

std::filesystem::path KeyStore::MachineStorePath() {
  if (const char* p = std::getenv("TOOLKIT_MACHINE_STORE"); p && *p) return p;
  static const int anchor = 0;
  return std::filesystem::path(ModuleFolder(&anchor)) / "machine.store";
}

std::optional<std::string> MergedValue(std::string_view key, std::string_view name) {
  if (auto v = KeyStore::User().GetValue(key, name)) return v;
  return KeyStore(KeyStore::MachineStorePath()).GetValue(key, name);
}

KeyStore KeyStore::User() {
  return KeyStore(UserStorePath());
}

StoreTree KeyStore::Read() const {
  // No lock: every save replaces the file whole, so the file read is always a whole one.
  StoreTree tree;
  LoadFile(file_, tree);
  return tree;
}

void KeyStore::Update(const std::function<void(StoreTree&)>& change) {
  std::error_code ec;
  if (!file_.parent_path().empty()) std::filesystem::create_directories(file_.parent_path(), ec);
  store_file::StoreLock lock(file_, kLockWait);
  if (!lock.held()) CannotWrite(file_, "the store's lock is held elsewhere or cannot be taken");
  StoreTree tree;
  const FileState state = LoadFile(file_, tree);
  // Never replace a file we could not read: its values would be lost.
  if (state == FileState::kUnreadable) CannotWrite(file_, "the existing store cannot be read");
  change(tree);
  const std::string text = tree.Serialize();
  // Nothing is written that the next read would take for a damaged store.
  if (text.size() > kMaxFileSize)
    CannotWrite(file_, "the store would grow past " + std::to_string(kMaxFileSize) + " bytes");
  if (StoreTree check; !StoreTree::Parse(text, check))
    CannotWrite(file_, "a key would lie deeper than " + std::to_string(StoreTree::kMaxKeyDepth) +
                           " levels");
  if (state == FileState::kDamaged && !store_file::MoveAsideDamaged(file_))
    CannotWrite(file_, "what stands at the store's path cannot be moved aside");
  const auto target = store_file::LinkTarget(file_);
  store_file::RemoveLeftoverTemporaries(target);
  if (const int err = store_file::ReplaceWhole(target, text))
    CannotWrite(file_, std::strerror(err));
}

std::string SettingsKey(std::string_view app, std::string_view section) {
  return "Software\\Program Settings\\" + std::string(app) + "\\" + std::string(section);
}

std::string GetSetting(std::string_view app, std::string_view section, std::string_view name,
                       std::string_view fallback) {
  auto v = KeyStore::User().GetValue(SettingsKey(app, section), name);
  return v ? *v : std::string(fallback);
}

void SaveSetting(std::string_view app, std::string_view section, std::string_view name,
                 std::string_view value) {
  KeyStore::User().SetValue(SettingsKey(app, section), name, value);
}

}  // namespace tk
