// Mouse capture and the interactive window move started by a press on the window's
// background, as the game's main window does.
#include <QWidget>
#include <QWindow>

#include "toolkit/ui/surface.h"
#include "user32/user32.h"
#include "user32/window_handles.h"
#include "user32/window_move_x11.h"

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
  // The window system runs the move itself, from the press whose handler sends this
  // message until its button comes up, and answers false where it has none to offer (no
  // window manager, or a platform without one).
  std::optional<detail::MovePress> press;
  if (const std::optional<tk::MousePress> p = tk::PressUnderWay()) {
    const int button = p->button == Qt::LeftButton     ? 1
                       : p->button == Qt::MiddleButton ? 2
                       : p->button == Qt::RightButton  ? 3
                                                       : 0;
    press = detail::MovePress{(p->global * window->devicePixelRatio()).toPoint(), button};
  }
  if (const std::optional<bool> asked = detail::StartX11Move(*window, press)) return *asked ? 1 : 0;
  return window->startSystemMove() ? 1 : 0;
}

}  // namespace user32
