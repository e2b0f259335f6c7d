#include "caption_source.h"

#include <new>
#include <utility>

#include "runtime/app_info.h"
#include "runtime/errors.h"
#include "runtime/prompts.h"
#include "runtime/text_file.h"
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

void ReadFound(const std::string& path, const SourceSink& take) {
  if (BeforeReadHook()) BeforeReadHook()(path);
  ReadTextFile(path, take);
}

// A long line is handed over in pieces of this size at most.
constexpr std::size_t kPieceBytes = 64 * 1024;

}  // namespace

bool FileExists(const std::string& Path) {
  try {
    if (TrimSpaces(Path).empty()) return false;
    return !tk::DirNormal(Path).empty();
  } catch (const tk::RuntimeError&) {
    return false;
  }
}

void ReadTextFile(std::string Path, const SourceSink& take) {
  const int file = tk::FreeFile();
  try {
    tk::OpenForInput(file, Path);
    bool more = true;
    while (more && !tk::Eof(file)) {
      bool line_ended = false;
      do {
        more = take(tk::LineInputPiece(file, kPieceBytes, line_ended));
      } while (more && !line_ended);
      if (more) more = take(";");
    }
  } catch (const tk::RuntimeError& e) {
    if (e.number() == tk::kFileNotFound)
      tk::MsgBox("File " + Path + "\r" + "Not Found", tk::kCritical + tk::kOkOnly, std::nullopt,
                 kLibraryTitle);
  } catch (const std::bad_alloc&) {
    // Out of memory is as silent as any other read error.
  }
  tk::Close(file);  // closing a number that never opened does nothing
}

std::string LibraryFolder() {
  if (!LibraryFolderOverride().empty()) return LibraryFolderOverride();
  static const std::string folder = tk::ModuleFolder(&kModuleAnchor);
  return folder;
}

void ReadCaptionSource(const std::string& caption, const SourceSink& take) {
  if (FileExists(caption)) return ReadFound(caption, take);
  const std::string beside_library = LibraryFolder() + "/" + caption;
  if (FileExists(beside_library)) return ReadFound(beside_library, take);
  take(caption);
}

void SetLibraryFolderForTesting(std::string folder) {
  LibraryFolderOverride() = std::move(folder);
}

void SetBeforeReadHookForTesting(std::function<void(const std::string& path)> hook) {
  BeforeReadHook() = std::move(hook);
}

}  // namespace tickerell
