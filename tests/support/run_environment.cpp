#include "run_environment.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tk::testing {
namespace {

namespace fs = std::filesystem;

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// A case may leave a folder it made unwritable; the removal must still get through it.
void RemoveTree(const fs::path& root) {
  std::error_code ec;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(root, ec);
}

}  // namespace

RunEnvironment::RunEnvironment(const char* program) {
  if (!IsSet("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (IsSet("TOOLKIT_STORE")) return;

  const char* tmp = std::getenv("TMPDIR");
  const std::string name = fs::path(program ? program : "tests").filename().string();
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + name + ".home.XXXXXX";
  if (!mkdtemp(pattern.data())) {
    std::perror("no home of its own for this test run");
    std::exit(1);  // running on would use the developer's store
  }
  home_ = pattern;
  // An X client still finds the developer's display credentials once HOME has moved.
  if (!IsSet("XAUTHORITY") && IsSet("HOME")) {
    const std::string xauthority = std::string(std::getenv("HOME")) + "/.Xauthority";
    std::error_code ec;
    if (fs::exists(xauthority, ec)) setenv("XAUTHORITY", xauthority.c_str(), 1);
  }
  setenv("HOME", home_.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home_ + "/config").c_str(), 1);
  setenv("TOOLKIT_STORE", (home_ + "/config/toolkit/user.store").c_str(), 1);
}

RunEnvironment::~RunEnvironment() {
  if (!home_.empty()) RemoveTree(home_);
}

}  // namespace tk::testing
