#include "runtime/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <map>
#include <memory>

#include "runtime/errors.h"
#include "runtime/text_encoding.h"

namespace tk {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

struct OpenFile {
  explicit OpenFile(int descriptor) : fd(descriptor) {}
  ~OpenFile() { ::close(fd); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int fd;
  LocaleDecoder decoder;
  std::string text;  // decoded, from `pos` on not yet handed out
  std::size_t pos = 0;
  bool all_read = false;  // every byte of the file has been decoded into `text`
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

// Decodes the file's next block onto what is left of its text. False at the end of the file.
bool ReadBlock(OpenFile& f) {
  if (f.all_read) return false;
  f.text.erase(0, f.pos);
  f.pos = 0;
  const std::size_t before = f.text.size();
  char block[kBlockSize];
  while (f.text.size() == before && !f.all_read) {
    const ssize_t n = ::read(f.fd, block, sizeof block);
    if (n < 0) {
      if (errno == EINTR) continue;
      Raise(kPathFileAccessError);
    }
    f.all_read = n == 0;
    f.decoder.Decode(std::string_view(block, static_cast<std::size_t>(n)), f.all_read, f.text);
  }
  return f.text.size() > before;
}

// Where the line that starts at `from` ends: the first CR or LF, or npos.
std::size_t FindLineEnd(const std::string& text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i)
    if (text[i] == '\r' || text[i] == '\n') return i;
  return std::string::npos;
}

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int OpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kFileNotFound;
    case EACCES:
    case EPERM:
      return kPermissionDenied;
    case ENAMETOOLONG:
      return kBadFileNameOrNumber;
    default:
      return kPathFileAccessError;
  }
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
  const int fd = OpenRegularFile(path);
  if (fd < 0) Raise(OpenError(errno));  // no regular file (EINVAL): 75
  Files()[n] = std::make_unique<OpenFile>(fd);
}

bool Eof(int n) {
  OpenFile& f = Get(n);
  return f.pos >= f.text.size() && !ReadBlock(f);
}

std::string LineInputPiece(int n, std::size_t max_bytes, bool& line_ended) {
  if (Eof(n)) Raise(kInputPastEndOfFile);
  OpenFile& f = Get(n);
  std::string piece;
  line_ended = false;
  for (;;) {
    const std::size_t end = FindLineEnd(f.text, f.pos);
    const std::size_t stop = end == std::string::npos ? f.text.size() : end;
    const std::size_t room = max_bytes > piece.size() ? max_bytes - piece.size() : 0;
    if (stop - f.pos > room) {
      std::size_t cut = f.pos + room;
      while (cut > f.pos && IsContinuationByte(f.text[cut])) --cut;
      if (cut == f.pos && piece.empty()) {  // always at least one character
        cut = f.pos + 1;
        while (cut < stop && IsContinuationByte(f.text[cut])) ++cut;
      }
      piece.append(f.text, f.pos, cut - f.pos);
      f.pos = cut;
      return piece;
    }
    piece.append(f.text, f.pos, stop - f.pos);
    f.pos = stop;
    if (end != std::string::npos) {
      ++f.pos;
      if (f.text[end] == '\r' && (f.pos < f.text.size() || ReadBlock(f)) && f.text[f.pos] == '\n')
        ++f.pos;
      line_ended = true;
      return piece;
    }
    if (!ReadBlock(f)) {  // the end of the file ends the last line
      line_ended = true;
      return piece;
    }
  }
}

std::string LineInput(int n) {
  std::string line;
  bool ended = false;
  do {
    line += LineInputPiece(n, std::numeric_limits<std::size_t>::max(), ended);
  } while (!ended);
  return line;
}

void Close(int n) {
  Files().erase(n);
}

int OpenRegularFile(const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    errno = ENOENT;
    return -1;
  }
  // Look before opening, so a device is never opened; then open without blocking and
  // look again at what was opened, since the name may have changed hands meanwhile.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0 &&
         S_ISREG(st.st_mode);
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
