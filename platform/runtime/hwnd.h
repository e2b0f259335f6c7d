// A window handle: the address of the top-level window's widget, opaque to the callers.
#pragma once

namespace tk {
using Hwnd = void*;
}
