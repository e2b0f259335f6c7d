// The interactive window move on an X server: the window manager is asked to move the
// window with the pointer from where the button went down, until that button comes up.
#pragma once

#include <QPoint>
#include <optional>

class QWindow;

namespace user32::detail {

// The press a move starts from: a point of the screen in the window system's own pixels,
// and the X button number (1 left, 2 middle, 3 right).
struct MovePress {
  QPoint screen_px;
  int button;
};

// Asks the window manager to start the move of `window` from `press`, or, with none, from
// where the pointer is with the button it holds; gives whether it was asked. False where
// no window manager offers the move, or where that button is no longer down (the move
// would then wait for a release that never comes). nullopt when the program does not run
// on an X server.
std::optional<bool> StartX11Move(QWindow& window, std::optional<MovePress> press);

}  // namespace user32::detail
