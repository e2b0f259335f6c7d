#include "text_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "errors.h"
#include "text_encoding.h"

namespace tk {
namespace {

struct OpenFile {
  std::string text;  // the whole file, decoded to UTF-8
  size_t pos = 0;
};

std::map<int, std::unique_ptr<OpenFile>>& Files() {
  static std::map<int, std::unique_ptr<OpenFile>> files;
  return files;
}

OpenFile& Get(int n) {
  auto it = Files().find(n);
  if (it == Files().end()) Raise(kBadFileNameOrNumber);
  return *it->second;
}

}  // namespace

int FreeFile() {
  int n = 1;
  while (Files().count(n)) ++n;
  return n;
}

void OpenForInput(int n, const std::string& path) {
  if (n < 1 || n > 511) Raise(kBadFileNameOrNumber);
  if (Files().count(n)) Raise(kFileAlreadyOpen);
  if (path.empty() || path.find('\0') != std::string::npos) Raise(kBadFileNameOrNumber);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) Raise(kFileNotFound);
    if (errno == EACCES) Raise(kPermissionDenied);
    if (errno == ENAMETOOLONG) Raise(kBadFileNameOrNumber);
    Raise(kPathFileAccessError);
  }
  if (S_ISDIR(st.st_mode)) Raise(kPathFileAccessError);
  std::ifstream in(path, std::ios::binary);
  if (!in) Raise(errno == EACCES ? kPermissionDenied : kFileNotFound);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  auto file = std::make_unique<OpenFile>();
  file->text = LocaleToUtf8(bytes.str());
  Files()[n] = std::move(file);
}

bool Eof(int n) {
  const OpenFile& f = Get(n);
  return f.pos >= f.text.size();
}

std::string LineInput(int n) {
  OpenFile& f = Get(n);
  if (f.pos >= f.text.size()) Raise(kInputPastEndOfFile);
  size_t end = f.text.find_first_of("\r\n", f.pos);
  std::string line = f.text.substr(f.pos, end == std::string::npos ? end : end - f.pos);
  if (end == std::string::npos) {
    f.pos = f.text.size();
  } else {
    f.pos = end + 1;
    if (f.text[end] == '\r' && f.pos < f.text.size() && f.text[f.pos] == '\n') ++f.pos;
  }
  return line;
}

void Close(int n) {
  Files().erase(n);
}
void CloseAll() {
  Files().clear();
}

std::string DirNormal(const std::string& path) {
  if (path.find('\0') != std::string::npos) Raise(kBadFileNameOrNumber);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENAMETOOLONG) Raise(kBadFileNameOrNumber);
    return {};
  }
  if (!S_ISREG(st.st_mode)) return {};
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name[0] == '.') return {};  // hidden files do not match
  return name;
}

}  // namespace tk
