#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell32/detached_launch.h"
#include "shell32/shell32.h"

namespace shell32 {
namespace {

constexpr std::int32_t kOpened = 42;

bool IsDefaultOperation(const char* operation) {
  if (operation == nullptr || *operation == '\0') return true;
  const std::string_view op(operation);
  if (op.size() != 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    const char c = op[i] >= 'A' && op[i] <= 'Z' ? static_cast<char>(op[i] - 'A' + 'a') : op[i];
    if (c != "open"[i]) return false;
  }
  return true;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string CurrentFolder() {
  std::string buffer(4096, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.c_str();
}

// The first executable file of that name in the folders of PATH, or "".
std::string FindOnPath(std::string_view name) {
  const char* env = std::getenv("PATH");
  const std::string_view path = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(':', start);
    if (end == std::string_view::npos) end = path.size();
    std::string folder(path.substr(start, end - start));
    if (folder.empty()) folder = ".";  // an empty entry is the current folder
    std::string candidate = folder + "/" + std::string(name);
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return {};
}

std::int32_t FromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
      return SE_ERR_ACCESSDENIED;
    case ENOMEM:
    case EAGAIN:
      return SE_ERR_OOM;
    default:
      return 0;
  }
}

}  // namespace

std::int32_t ShellExecuteA(HWND /*owner*/, const char* operation, const char* file,
                           const char* /*parameters*/, const char* directory, int /*show*/) {
  if (file == nullptr || *file == '\0') return ERROR_FILE_NOT_FOUND;
  if (!IsDefaultOperation(operation)) return SE_ERR_NOASSOC;

  const std::string folder = directory != nullptr ? directory : "";
  if (!folder.empty() && !IsFolder(folder)) return ERROR_PATH_NOT_FOUND;

  // An absolute path: it cannot be taken for an option or a web address by the handler,
  // and it names the same file from the handler's working folder.
  std::string path = file;
  if (path.front() != '/') {
    const std::string base = folder.empty() ? CurrentFolder() : folder;
    if (base.empty()) return ERROR_PATH_NOT_FOUND;
    path = base + (base.back() == '/' ? "" : "/") + path;
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return FromErrno(errno);

  const std::string handler = FindOnPath("xdg-open");
  if (handler.empty()) return SE_ERR_NOASSOC;

  const detail::LaunchResult launched = detail::LaunchDetached(handler, {"xdg-open", path}, folder);
  switch (launched.stage) {
    case detail::LaunchResult::kStarted:
      return kOpened;
    case detail::LaunchResult::kCouldNotEnterFolder:
      return ERROR_PATH_NOT_FOUND;
    case detail::LaunchResult::kCouldNotRun:
      return launched.error == ENOENT ? SE_ERR_NOASSOC : FromErrno(launched.error);
    case detail::LaunchResult::kCouldNotFork:
      return SE_ERR_OOM;
  }
  return 0;
}

}  // namespace shell32
