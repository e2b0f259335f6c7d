#include "caption_source.h"

#include <new>
#include <utility>

#include "app_info.h"
#include "errors.h"
#include "prompts.h"
#include "text_file.h"
#include "tickerell_state.h"

namespace tickerell {
namespace {

// Its address lies inside whichever module this code is linked into.
const char kModuleAnchor = 0;

std::string& LibraryFolderOverride() {
  static std::string folder;
  return folder;
}

std::function<void(const std::string&)>& BeforeReadHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ReadFound(const std::string& path) {
  if (BeforeReadHook()) BeforeReadHook()(path);
  return ReadTextFile(path);
}

}  // namespace

bool FileExists(const std::string& Path) {
  try {
    if (TrimSpaces(Path).empty()) return false;
    return !tk::DirNormal(Path).empty();
  } catch (const tk::RuntimeError&) {
    return false;
  }
}

std::string ReadTextFile(std::string Path) {
  std::string result;
  const int file = tk::FreeFile();
  try {
    tk::OpenForInput(file, Path);
    while (!tk::Eof(file)) {
      result += tk::LineInput(file);
      result += ';';
    }
  } catch (const tk::RuntimeError& e) {
    if (e.number() == tk::kFileNotFound)
      tk::MsgBox("File " + Path + "\r" + "Not Found", tk::kCritical + tk::kOkOnly, std::nullopt,
                 kLibraryTitle);
  } catch (const std::bad_alloc&) {
    // Out of memory is as silent as any other read error.
  }
  tk::Close(file);  // closing a number that never opened does nothing
  return result;
}

std::string LibraryFolder() {
  if (!LibraryFolderOverride().empty()) return LibraryFolderOverride();
  static const std::string folder = tk::ModuleFolder(&kModuleAnchor);
  return folder;
}

std::string CaptionSource(const std::string& caption) {
  if (FileExists(caption)) return ReadFound(caption);
  const std::string beside_library = LibraryFolder() + "/" + caption;
  if (FileExists(beside_library)) return ReadFound(beside_library);
  return caption;
}

void SetLibraryFolderForTesting(std::string folder) {
  LibraryFolderOverride() = std::move(folder);
}

void SetBeforeReadHookForTesting(std::function<void(const std::string& path)> hook) {
  BeforeReadHook() = std::move(hook);
}

}  // namespace tickerell
