// The game's main window in this test program: loaded and shown once and kept, and the
// places of its controls on the screen as the X server has the window.
#pragma once

#include <QPoint>
#include <QPointF>

#include "frmMain.h"
#include "toolkit/ui/controls.h"

namespace wm_test {

// Loads and shows the main window when it is not shown, and waits until it is framed.
frmMain& ShownMainWindow();

// A point of a control (in its container's pixels) on the screen, from where the X server
// has the window's client area.
QPoint OnScreen(const tk::Control& control, QPointF local);

}  // namespace wm_test
