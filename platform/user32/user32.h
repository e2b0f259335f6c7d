// The window-system calls that the game makes by name: window animations, the caption
// rectangle animation, the interactive window move, mouse capture and the thread's
// key-state table. Window handles are tk::Hwnd, the address of a top-level QWidget.
// Every call that touches a window must run on the user-interface thread.
#pragma once

#include <cstdint>

#include "runtime/hwnd.h"

namespace user32 {

using HWND = tk::Hwnd;
using BOOL = std::int32_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct RECT {
  std::int32_t Left;
  std::int32_t Top;
  std::int32_t Right;
  std::int32_t Bottom;
};

// AnimateWindow flags.
inline constexpr DWORD AW_HOR_POSITIVE = 0x1;  // left to right
inline constexpr DWORD AW_HOR_NEGATIVE = 0x2;  // right to left
inline constexpr DWORD AW_VER_POSITIVE = 0x4;  // top to bottom
inline constexpr DWORD AW_VER_NEGATIVE = 0x8;  // bottom to top
inline constexpr DWORD AW_CENTER = 0x10;       // collapse inward (hide) or grow outward (show)
inline constexpr DWORD AW_HIDE = 0x10000;
inline constexpr DWORD AW_ACTIVATE = 0x20000;
inline constexpr DWORD AW_SLIDE = 0x40000;
inline constexpr DWORD AW_BLEND = 0x80000;

// DrawAnimatedRects kinds.
inline constexpr int IDANI_CAPTION = 3;

// Messages and their arguments.
inline constexpr UINT WM_NCLBUTTONDOWN = 0xA1;
inline constexpr WPARAM HTCAPTION = 2;

// Fills `rect`; 0 for a null rectangle, else nonzero.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);

// Shows or hides the window with an animation lasting `milliseconds`, and returns when it
// is over; nonzero when it ran. Hiding leaves the window hidden with its geometry as it
// was before, ready for a later show. 0, with nothing done, for a handle that names no top-level
// window, for no flags or flags outside the table, for AW_HIDE together with AW_ACTIVATE, for
// hiding a hidden window and for showing a visible one.
BOOL AnimateWindow(HWND hwnd, DWORD milliseconds, DWORD flags);

// IDANI_CAPTION: a caption-coloured strip flies from `from` to `to` (screen pixels) in
// about 200 ms and is gone when the call returns; nonzero. Where the program cannot place
// windows, nothing is drawn, and still nonzero. `hwnd` may be null. Other kinds, or a
// null rectangle, do nothing and give 0.
BOOL DrawAnimatedRects(HWND hwnd, int kind, const RECT* from, const RECT* to);

// Releases the mouse grab that a widget holds, if any. Always nonzero.
BOOL ReleaseCapture();

// Only WM_NCLBUTTONDOWN with HTCAPTION is understood: it starts the window system's
// interactive move of the window, as if its title bar were pressed, and gives 1. Where
// the window system offers no such move, or for any other message, it does nothing
// and gives 0.
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The calling thread's own key-state table, one entry per virtual-key code: bit 7 set
// means the key is down, bit 0 set means it is toggled on. Each thread starts with all
// entries 0. The keyboard's indicator lights are not touched. 0 for a null buffer.
BOOL GetKeyboardState(std::uint8_t table[256]);
BOOL SetKeyboardState(const std::uint8_t table[256]);

}  // namespace user32
