// The outline that follows the pointer during an automatic drag: a thin frame of dark and
// light dashes, drawn inside the window the drag began in and above all of its controls.
// Being part of that window, not a window of its own, it goes wherever the pointer goes on
// every window system, also one where no program may place its own windows; it needs no
// shape and a compositor gives it no shadow. No drop target lies outside that window, so
// the outline never needs to leave it. It takes no input: the pointer and the drop see
// through it, and what lies inside the frame shows untouched.
#pragma once

#include <QRect>
#include <QWidget>

namespace tk {

class DragOutline : public QWidget {
 public:
  // Thickness of the frame, in pixels.
  static constexpr int kThickness = 2;

  // Drawn inside `window`, the top-level window of the drag's source.
  explicit DragOutline(QWidget* window);

  // Shows the frame around `rect` (pixels of the window it is drawn in), or moves it
  // there; it may lie partly or wholly beyond the window, which cuts it off.
  void ShowAt(const QRect& rect);

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace tk
