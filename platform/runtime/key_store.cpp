#include "key_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "app_info.h"
#include "errors.h"

namespace tk {
namespace {

constexpr std::string_view kHeader = "toolkit-store 1";

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool Unescape(std::string_view s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == s.size()) return false;
    switch (s[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return false;
    }
  }
  return true;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return parts;
    start = tab + 1;
  }
}

// Holds an flock on the store's lock file for as long as it lives.
class FileLock {
 public:
  FileLock(const std::filesystem::path& store, int how) {
    auto lock = store;
    lock += ".lock";
    fd_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;
    while (::flock(fd_, how) != 0 && errno == EINTR) {
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool held() const { return fd_ >= 0; }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

enum class FileState { kMissing, kUnreadable, kDamaged, kGood };

FileState LoadFile(const std::filesystem::path& file, StoreTree& tree) {
  tree = StoreTree();
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return ec ? FileState::kUnreadable : FileState::kMissing;
  std::ifstream in(file, std::ios::binary);
  if (!in) return FileState::kUnreadable;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return FileState::kUnreadable;
  if (!StoreTree::Parse(text.str(), tree)) {
    tree = StoreTree();
    return FileState::kDamaged;
  }
  return FileState::kGood;
}

[[noreturn]] void CannotWrite(const std::filesystem::path& file, const std::string& why) {
  Raise(kPathFileAccessError, "Path/File access error: cannot write " + file.string() +
                                  (why.empty() ? "" : " (" + why + ")"));
}

void WriteWhole(const std::filesystem::path& file, const std::string& text) {
  auto tmp = file;
  tmp += ".tmp." + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) CannotWrite(file, std::strerror(errno));
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int err = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      CannotWrite(file, std::strerror(err));
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(tmp.c_str());
    CannotWrite(file, std::strerror(errno));
  }
  if (::rename(tmp.c_str(), file.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    CannotWrite(file, std::strerror(err));
  }
  int dir = ::open(file.parent_path().empty() ? "." : file.parent_path().c_str(),
                   O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void KeepAside(const std::filesystem::path& file) {
  char stamp[32];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  auto aside = file;
  aside += std::string(".damaged-") + stamp;
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
}

}  // namespace

std::string FoldCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string StoreTree::Normalize(std::string_view key) {
  // Collapse repeated separators and drop them at the ends.
  std::string out;
  for (char c : key) {
    if (c == '\\') {
      if (!out.empty() && out.back() != '\\') out += c;
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::optional<std::string> StoreTree::GetValue(std::string_view key, std::string_view name) const {
  auto it = keys_.find(FoldCase(Normalize(key)));
  if (it == keys_.end()) return std::nullopt;
  const std::string folded = FoldCase(name);
  for (const auto& v : it->second.values)
    if (FoldCase(v.name) == folded) return v.data;
  return std::nullopt;
}

bool StoreTree::KeyExists(std::string_view key) const {
  return keys_.count(FoldCase(Normalize(key))) != 0;
}

std::vector<std::string> StoreTree::SubKeys(std::string_view key) const {
  const std::string prefix = FoldCase(Normalize(key)) + "\\";
  std::vector<std::string> out;
  for (const auto& [folded, k] : keys_) {
    if (folded.compare(0, prefix.size(), prefix) != 0) continue;
    if (folded.find('\\', prefix.size()) != std::string::npos) continue;
    out.push_back(k.path.substr(prefix.size()));
  }
  return out;
}

std::vector<StoreTree::Value> StoreTree::Values(std::string_view key) const {
  auto it = keys_.find(FoldCase(Normalize(key)));
  return it == keys_.end() ? std::vector<Value>{} : it->second.values;
}

void StoreTree::CreateKey(std::string_view key) {
  const std::string path = Normalize(key);
  // Every level above the key exists too, as in a registry.
  for (size_t pos = 0;;) {
    size_t sep = path.find('\\', pos);
    std::string level = path.substr(0, sep);
    if (!level.empty()) keys_.try_emplace(FoldCase(level), Key{level, {}});
    if (sep == std::string::npos) break;
    pos = sep + 1;
  }
}

void StoreTree::SetValue(std::string_view key, std::string_view name, std::string_view data) {
  CreateKey(key);
  auto& values = keys_.at(FoldCase(Normalize(key))).values;
  const std::string folded = FoldCase(name);
  for (auto& v : values) {
    if (FoldCase(v.name) == folded) {
      v.data = std::string(data);
      return;
    }
  }
  values.push_back({std::string(name), std::string(data)});
}

bool StoreTree::DeleteValue(std::string_view key, std::string_view name) {
  auto it = keys_.find(FoldCase(Normalize(key)));
  if (it == keys_.end()) return false;
  auto& values = it->second.values;
  const std::string folded = FoldCase(name);
  for (auto v = values.begin(); v != values.end(); ++v) {
    if (FoldCase(v->name) == folded) {
      values.erase(v);
      return true;
    }
  }
  return false;
}

bool StoreTree::DeleteTree(std::string_view key) {
  const std::string folded = FoldCase(Normalize(key));
  if (folded.empty()) return false;
  bool any = keys_.erase(folded) != 0;
  const std::string prefix = folded + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
    it = keys_.erase(it);
    any = true;
  }
  return any;
}

bool StoreTree::operator==(const StoreTree& other) const {
  return Serialize() == other.Serialize();
}

std::string StoreTree::Serialize() const {
  std::string out(kHeader);
  out += '\n';
  size_t lines = 0;
  for (const auto& [folded, k] : keys_) {
    out += "K\t" + Escape(k.path) + "\n";
    ++lines;
    for (const auto& v : k.values) {
      out += "V\t" + Escape(v.name) + "\t" + Escape(v.data) + "\n";
      ++lines;
    }
  }
  out += "E\t" + std::to_string(lines) + "\n";
  return out;
}

bool StoreTree::Parse(std::string_view text, StoreTree& out) {
  out = StoreTree();
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < text.size();) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) return false;  // every line ends with a newline
    lines.push_back(text.substr(pos, nl - pos));
    pos = nl + 1;
  }
  if (lines.size() < 2 || lines.front() != kHeader) return false;
  std::string current;
  bool have_key = false;
  size_t records = 0;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    auto parts = SplitTabs(lines[i]);
    std::string a, b;
    if (parts[0] == "K" && parts.size() == 2) {
      if (!Unescape(parts[1], a) || a.empty() || Normalize(a) != a) return false;
      out.CreateKey(a);
      current = a;
      have_key = true;
    } else if (parts[0] == "V" && parts.size() == 3 && have_key) {
      if (!Unescape(parts[1], a) || !Unescape(parts[2], b)) return false;
      out.SetValue(current, a, b);
    } else {
      return false;
    }
    ++records;
  }
  auto end = SplitTabs(lines.back());
  return end.size() == 2 && end[0] == "E" && end[1] == std::to_string(records);
}

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
  const auto machine = KeyStore::MachineStorePath();
  std::error_code ec;
  // Only an existing machine store is read: reading creates nothing in its folder.
  if (!std::filesystem::is_regular_file(machine, ec)) return std::nullopt;
  return KeyStore(machine).GetValue(key, name);
}

KeyStore KeyStore::User() {
  return KeyStore(UserStorePath());
}

StoreTree KeyStore::Read() const {
  FileLock lock(file_, LOCK_SH);
  StoreTree tree;
  LoadFile(file_, tree);
  return tree;
}

void KeyStore::Update(const std::function<void(StoreTree&)>& change) {
  std::error_code ec;
  if (!file_.parent_path().empty()) std::filesystem::create_directories(file_.parent_path(), ec);
  FileLock lock(file_, LOCK_EX);
  if (!lock.held()) CannotWrite(file_, "cannot take the store's lock");
  StoreTree tree;
  switch (LoadFile(file_, tree)) {
    case FileState::kUnreadable:
      // Never replace a file we could not read: its values would be lost.
      CannotWrite(file_, "the existing store cannot be read");
    case FileState::kDamaged:
      KeepAside(file_);
      break;
    case FileState::kMissing:
    case FileState::kGood:
      break;
  }
  change(tree);
  WriteWhole(file_, tree.Serialize());
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
