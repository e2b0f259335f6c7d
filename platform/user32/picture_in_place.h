// Where the window system does not let a program move its windows, an animation that
// would move a window is drawn inside it instead: the window keeps its place, gives up
// its frame for the time being and grows by the frame's width, so that it covers the same
// outer rectangle, and shows a picture of itself, frame included, in a rectangle of its
// own over a see-through background. The window must have been created with an alpha
// channel for the background to show what lies beneath.
#pragma once

#include <QImage>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <Qt>

class QWidget;

namespace user32::detail {

class PictureInPlace {
 public:
  // Takes the picture and covers the window with it, at full size.
  explicit PictureInPlace(QWidget& window);
  // Takes the cover away and gives the window its frame, size and size limits back.
  ~PictureInPlace();
  PictureInPlace(const PictureInPlace&) = delete;
  PictureInPlace& operator=(const PictureInPlace&) = delete;

  // The window's outer rectangle in the picture's coordinates: (0, 0) and its outer size.
  QRect Outer() const { return QRect(QPoint(0, 0), outer_); }
  // Shows the picture shrunk or grown into `r`, a rectangle of Outer()'s coordinates.
  void ShowIn(const QRect& r);

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> cover_;
  QMargins frame_;
  QSize size_, outer_, min_, max_;
  Qt::WindowFlags frame_flags_;
  bool had_system_background_;
};

}  // namespace user32::detail
