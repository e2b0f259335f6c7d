// The desktop shell's "open this file" call. The file is opened with the desktop's
// default handler (xdg-open, found on PATH); nothing goes through a shell command line.
#pragma once

#include <cstdint>

#include "runtime/hwnd.h"

namespace shell32 {

using HWND = tk::Hwnd;

inline constexpr int SW_SHOWNORMAL = 1;

// Results of 32 or less are failures.
inline constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::int32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::int32_t SE_ERR_ACCESSDENIED = 5;
inline constexpr std::int32_t SE_ERR_OOM = 8;
inline constexpr std::int32_t SE_ERR_NOASSOC = 31;

// Opens `file` with the handler for its type and returns at once, without waiting for
// the viewer (which is never left behind as a zombie). `operation` null, "" or "open"
// (any letter case) is the default action; other operations have no handler (31).
// `file` is taken byte for byte as a path, relative paths from `directory` when one is
// given, else from the current folder; `directory` is the handler's working folder and
// must exist (3 otherwise). `parameters`, `owner` and `show` do not change how a
// document opens. Gives a value above 32 on success, 2 for a file that does not exist,
// 31 when no handler program is available, and 32 or less on other failures.
std::int32_t ShellExecuteA(HWND owner, const char* operation, const char* file,
                           const char* parameters, const char* directory, int show);

}  // namespace shell32
