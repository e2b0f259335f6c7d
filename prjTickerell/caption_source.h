// Where the caption's lines come from: a text file named by the caption, looked up in the
// current folder and then beside the control library, or else the caption itself.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tickerell {

// Whether a normal (not hidden, not folder) file of that name exists. A blank name, or
// one that no file can have, is simply no file; nothing is shown.
bool FileExists(const std::string& Path);

// Takes the source text a piece at a time; returns false once it needs no more.
using SourceSink = std::function<bool(std::string_view text)>;

// Hands the file's lines to `take`, each in one or more pieces and followed by ";", and
// reads no further once `take` has had enough. On failure the file is closed and what was
// handed over stands; a missing file (53) also shows "File <path>", CR, "Not Found".
// `take` raises no run-time error.
void ReadTextFile(std::string Path, const SourceSink& take);

// The folder (no trailing "/") of the module that holds this code when it runs: the
// control library when it is loaded as one, so files installed beside it are found.
std::string LibraryFolder();

// Hands the source text for a caption to `take`: the file in the current folder, else the
// file in the library's folder, else the caption itself.
void ReadCaptionSource(const std::string& caption, const SourceSink& take);

// Test seams. A non-empty folder stands in for the library's folder (empty restores the
// real one); the hook runs between finding a caption file and reading it.
void SetLibraryFolderForTesting(std::string folder);
void SetBeforeReadHookForTesting(std::function<void(const std::string& path)> hook);

}  // namespace tickerell
