// The frame a window manager puts around a top-level window (title bar and borders), as
// the X server has it: for a shown window, the frame it has; for one not shown yet, the
// frame it will get, so the window can be placed by its outer edges from the start
// instead of jumping once the frame appears.
#pragma once

#include <QMargins>

class QWidget;

namespace tk {

// The frame's left, top, right and bottom widths in the window's pixels, asked of the
// window manager before the window is first shown. None when no window manager frames
// windows here (no X server, none running, a frameless window), or when the running one
// does not answer in time. Creates the native window.
QMargins ExpectedFrameMargins(QWidget* window);

// The frame of a window the manager has framed (or has been asked about), read afresh
// from the X server; elsewhere Qt's own idea of it.
QMargins FrameMargins(const QWidget& window);

}  // namespace tk
