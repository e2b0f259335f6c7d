// A container of controls: paints its drawn controls back to front, hit-tests them front
// to back, shows their tooltips and pointers, delivers their mouse events and runs the
// automatic drag and drop that starts on them. Its children are laid out in design pixels
// (twips / 15) times the container's scale, which is 1 until the window resizes its
// contents with itself.
#pragma once

#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QWidget>
#include <optional>
#include <vector>

#include "toolkit/ui/colors.h"

namespace tk {

class Control;
class DragOutline;
class Form;

class ControlSurface : public QWidget {
 public:
  ControlSurface(Form& form, QWidget* parent);
  ~ControlSurface() override;

  // Controls are added front to back, in the order of the window's description.
  void AddControl(Control* control);
  void DetachAll();
  const std::vector<Control*>& Controls() const { return controls_; }

  void SetBackColor(std::optional<OleColor> color);
  void SetScale(double sx, double sy);
  double ScaleX() const { return sx_; }
  double ScaleY() const { return sy_; }

  // The front-most visible drawn control that takes mouse input at a point given in
  // this widget's pixels, or null.
  Control* HitTest(QPointF widget_px) const;
  // A control's rectangle in this widget's pixels.
  QRectF RectOf(const Control& control) const;
  // The same rectangle with its edges rounded to whole pixels, where a widget goes.
  QRect PixelBox(const Control& control) const;
  // Asks for a repaint of a drawn control's box, or paints it at once when `now`.
  void RepaintControl(const Control& control, bool now = false);

  // The drag that is under way from this container, if any.
  bool Dragging() const { return drag_source_ != nullptr; }
  // The outline that follows the pointer while a drag is under way, drawn inside this
  // container's window; null before the first drag.
  const QWidget* Outline() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  bool event(QEvent*) override;

 private:
  void RaiseMouse(Control* c, int which, QMouseEvent* e);
  void StartDrag(Control* source, QMouseEvent* e);
  // Moves the outline to the pointer, given in this container's pixels.
  void MoveOutline(QPointF pointer);
  void EndDrag(QMouseEvent* e);
  // Ends the drag with no drop: the container lost the mouse before the button came up.
  void CancelDrag();
  void UpdatePointer(QPointF pos);

  Form& form_;
  std::vector<Control*> controls_;
  std::optional<OleColor> back_;
  double sx_ = 1.0, sy_ = 1.0;

  Control* pressed_ = nullptr;
  Control* drag_source_ = nullptr;
  QPointF drag_offset_;  // from the source's top left to the pointer, widget pixels
  QSize drag_size_;      // the source's size, pixels
  QPointer<DragOutline> outline_;
};

// The mouse press whose MouseDown handler is running now: where on the screen and with
// which button it went down. The window system's calls made from such a handler (the
// window move) start from it.
struct MousePress {
  QPointF global;
  Qt::MouseButton button;
};
std::optional<MousePress> PressUnderWay();

// The runtime's mouse state for an event.
int ButtonOf(Qt::MouseButton b);
int ButtonsOf(Qt::MouseButtons b);
int ShiftOf(Qt::KeyboardModifiers m);

}  // namespace tk
