// The outline that follows the pointer during an automatic drag: a small window of its
// own above every other, shaped to a thin frame of dark and light dashes, so that it shows
// on any picture, over widgets and beyond the window it started from, and leaves nothing
// behind where it has been. It takes no input: the pointer and the drop see through it.
#pragma once

#include <QRect>
#include <QWidget>

namespace tk {

class DragOutline : public QWidget {
 public:
  // Thickness of the frame, in pixels.
  static constexpr int kThickness = 2;

  explicit DragOutline(QWidget* owner);

  // Shows the frame around `screen_rect` (screen pixels), or moves it there.
  void ShowAt(const QRect& screen_rect);

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace tk
