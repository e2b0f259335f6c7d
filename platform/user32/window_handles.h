// Turning a window handle back into the top-level widget it names.
#pragma once

#include "user32/user32.h"

class QWidget;

namespace user32::detail {

// The top-level widget whose address is `hwnd`, or null when no such widget exists now
// (a stale or made-up handle is never dereferenced).
QWidget* TopLevelFromHwnd(HWND hwnd);

}  // namespace user32::detail
