// Mouse capture and the interactive window move started by a press on the window's
// background, as the game's main window does.
#include <QWidget>
#include <QWindow>

#include "user32.h"
#include "window_handles.h"

namespace user32 {

BOOL ReleaseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  return 1;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  if (message != WM_NCLBUTTONDOWN || wparam != HTCAPTION) return 0;
  QWidget* w = detail::TopLevelFromHwnd(hwnd);
  if (w == nullptr || !w->isVisible()) return 0;
  QWindow* window = w->windowHandle();
  if (window == nullptr) return 0;
  // The window system runs the move itself and answers false where it has none to
  // offer (no window manager, or a platform without one).
  return window->startSystemMove() ? 1 : 0;
}

}  // namespace user32
