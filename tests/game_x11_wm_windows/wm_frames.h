// Windows as the window manager shows them, read from the X server rather than from Qt:
// where a window's client area lies on the screen and the frame the manager put around
// it. Waits are polls bounded in time that keep the program's events flowing.
#pragma once

#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

namespace wm_test {

struct Framed {
  QRect client;    // on the screen
  QMargins frame;  // left, top, right, bottom
  QRect Outer() const { return client.marginsAdded(frame); }
};

// Whether a window manager runs on this X server.
bool WindowManagerRunning();

// The window once it is on the screen and the window manager has framed it (a frameless
// window gets a frame of nothing; with no window manager there is no frame), or nullopt
// when that does not happen in time.
std::optional<Framed> WaitFramed(const QWidget& window, int timeout_ms = 10000);

// The names of the window's _NET_WM_STATE marks, as the X server has them.
QStringList WindowStates(const QWidget& window);

// The window the window is transient for (WM_TRANSIENT_FOR), as an X window id; 0 when
// none.
unsigned long TransientFor(const QWidget& window);

// How many windows the icewm taskbar lists now (its task buttons shown), or nullopt when
// no icewm taskbar runs.
std::optional<int> IcewmTaskButtons();

// Waits until the window's client area has its top-left corner at `at` on the screen.
bool WaitClientAt(const QWidget& window, QPoint at, int timeout_ms = 10000);

}  // namespace wm_test
