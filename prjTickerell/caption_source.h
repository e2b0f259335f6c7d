// Where the caption's lines come from: a text file named by the caption, looked up in the
// current folder and then beside the control library, or else the caption itself.
#pragma once

#include <functional>
#include <string>

namespace tickerell {

// Whether a normal (not hidden, not folder) file of that name exists. A blank name, or
// one that no file can have, is simply no file; nothing is shown.
bool FileExists(const std::string& Path);

// The file's lines, each followed by ";". On failure the file is closed and the text read
// so far is returned; a missing file (53) also shows "File <path>", CR, "Not Found".
std::string ReadTextFile(std::string Path);

// The folder (no trailing "/") of the module that holds this code when it runs: the
// control library when it is loaded as one, so files installed beside it are found.
std::string LibraryFolder();

// The source text for a caption: the file in the current folder, else the file in the
// library's folder, else the caption itself.
std::string CaptionSource(const std::string& caption);

// Test seams. A non-empty folder stands in for the library's folder (empty restores the
// real one); the hook runs between finding a caption file and reading it.
void SetLibraryFolderForTesting(std::string folder);
void SetBeforeReadHookForTesting(std::function<void(const std::string& path)> hook);

}  // namespace tickerell
