#include "runtime/app_info.h"

#include <dlfcn.h>
#include <sys/time.h>
#include <unistd.h>

#include <climits>
#include <ctime>
#include <filesystem>

namespace tk {
namespace {

std::string SelfExe() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string();
}

std::string Folder(const std::string& file) {
  auto slash = file.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return file.substr(0, slash);
}

}  // namespace

std::string ExeName() {
  std::string exe = SelfExe();
  std::string name = exe.substr(exe.find_last_of('/') + 1);
  auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

std::string ExeFolder() {
  return Folder(SelfExe());
}

std::string ModuleFile(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) return SelfExe();
  std::error_code ec;
  auto canonical = std::filesystem::weakly_canonical(info.dli_fname, ec);
  return ec ? std::string(info.dli_fname) : canonical.string();
}

std::string ModuleFolder(const void* address) {
  return Folder(ModuleFile(address));
}

static std::string& TitleStorage() {
  static std::string title = ExeName();
  return title;
}
const std::string& AppTitle() {
  return TitleStorage();
}
void SetAppTitle(std::string title) {
  TitleStorage() = std::move(title);
}

float SecondsSinceMidnight() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::time_t now = tv.tv_sec;
  std::tm tm{};
  localtime_r(&now, &tm);
  double s = tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec + tv.tv_usec / 1e6;
  return static_cast<float>(s);
}

}  // namespace tk
