// The frame a window manager puts around a top-level window (title bar and borders), as
// the X server has it: for a shown window, the frame it has; for one not shown yet, the
// frame it will get, so the window can be placed by its outer edges from the start
// instead of jumping once the frame appears. No call here waits on the window manager
// for longer than a moment: one that says it answers frame requests and does not is
// remembered for the rest of the run, and its frames are learnt once it has framed a
// window.
#pragma once

#include <QMargins>
#include <functional>

class QWidget;

namespace tk {

// Asks the window manager for the frame it will put around the window, and goes on; the
// answer is read by ExpectedFrameMargins. Creates the native window, on X11 only. The
// window's kind, fixed size and decorations should be set by now: the manager judges
// the frame by them.
void AskFrameMargins(QWidget* window);

struct ExpectedFrame {
  QMargins margins;  // left, top, right, bottom, in the window's pixels
  // Whether the manager itself gave them; otherwise they are the frame it last put
  // around a window with a title bar (none before its first), and the window's own
  // frame shows once it is framed.
  bool answered = false;
};

// The frame the window will get: asks when not asked yet, then waits a moment for the
// answer (not at all for a manager that once did not answer). None when no window
// manager frames windows here (no X server, none running, a frameless window).
ExpectedFrame ExpectedFrameMargins(QWidget* window);

// Calls `framed` once, in the event loop, with the window's frame when the window
// manager next sets it (as it does when it maps the window). Dropped with the window.
void OnceFramed(QWidget* window, std::function<void(const QMargins&)> framed);

// The frame of a window the manager has framed (or has been asked about), read afresh
// from the X server; elsewhere Qt's own idea of it.
QMargins FrameMargins(const QWidget& window);

}  // namespace tk
