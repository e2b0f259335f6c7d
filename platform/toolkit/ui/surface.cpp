#include "toolkit/ui/surface.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "toolkit/ui/application.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/drag_outline.h"
#include "toolkit/ui/form.h"
#include "toolkit/ui/screen.h"

namespace tk {
namespace {

std::optional<MousePress>& CurrentPress() {
  static std::optional<MousePress> press;
  return press;
}

// Makes a press the one under way for as long as its handler runs. A handler may run a
// nested loop (a box) in which other presses come and go; the outer one is restored.
class PressScope {
 public:
  explicit PressScope(const QMouseEvent& e) : outer_(CurrentPress()) {
    CurrentPress() = MousePress{e.globalPosition(), e.button()};
  }
  ~PressScope() { CurrentPress() = outer_; }
  PressScope(const PressScope&) = delete;
  PressScope& operator=(const PressScope&) = delete;

 private:
  std::optional<MousePress> outer_;
};

}  // namespace

std::optional<MousePress> PressUnderWay() {
  return CurrentPress();
}

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

int ButtonsOf(Qt::MouseButtons b) {
  int r = 0;
  if (b & Qt::LeftButton) r |= kLeftButton;
  if (b & Qt::RightButton) r |= kRightButton;
  if (b & Qt::MiddleButton) r |= kMiddleButton;
  return r;
}

int ShiftOf(Qt::KeyboardModifiers m) {
  int r = 0;
  if (m & Qt::ShiftModifier) r |= kShiftMask;
  if (m & Qt::ControlModifier) r |= kCtrlMask;
  if (m & Qt::AltModifier) r |= kAltMask;
  return r;
}

ControlSurface::ControlSurface(Form& form, QWidget* parent) : QWidget(parent), form_(form) {
  setMouseTracking(true);
}

ControlSurface::~ControlSurface() {
  delete outline_.data();
}

const QWidget* ControlSurface::Outline() const {
  return outline_.data();
}

void ControlSurface::AddControl(Control* control) {
  controls_.push_back(control);
}

void ControlSurface::DetachAll() {
  controls_.clear();
  pressed_ = nullptr;
  CancelDrag();
}

void ControlSurface::SetBackColor(std::optional<OleColor> color) {
  back_ = color;
  update();
}

void ControlSurface::SetScale(double sx, double sy) {
  sx_ = sx;
  sy_ = sy;
  for (Control* c : controls_) c->Place();
  update();
}

QRectF ControlSurface::RectOf(const Control& c) const {
  return QRectF(TwipsToPixels(c.Left()) * sx_, TwipsToPixels(c.Top()) * sy_,
                TwipsToPixels(c.Width()) * sx_, TwipsToPixels(c.Height()) * sy_);
}

QRect ControlSurface::PixelBox(const Control& c) const {
  const QRectF r = RectOf(c);
  const int x = static_cast<int>(std::lround(r.left()));
  const int y = static_cast<int>(std::lround(r.top()));
  const int right = static_cast<int>(std::lround(r.right()));
  const int bottom = static_cast<int>(std::lround(r.bottom()));
  return QRect(x, y, std::max(0, right - x), std::max(0, bottom - y));
}

void ControlSurface::RepaintControl(const Control& c, bool now) {
  if (c.IsWidget()) return;
  QRectF r = RectOf(c);
  // Thick borders and lines reach beyond the box; repaint generously.
  const QRect box = r.adjusted(-12 * sx_, -12 * sy_, 12 * sx_, 12 * sy_).toAlignedRect();
  if (now)
    repaint(box);
  else
    update(box);
}

Control* ControlSurface::HitTest(QPointF p) const {
  for (Control* c : controls_) {
    if (c->IsWidget() || !c->Visible() || !c->Enabled() || !c->TakesMouse()) continue;
    if (RectOf(*c).contains(p)) return c;
  }
  return nullptr;
}

void ControlSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (back_) p.fillRect(rect(), ToQColor(*back_));
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.scale(sx_, sy_);
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = *it;
    if (c->IsWidget() || !c->Visible()) continue;
    const QRectF box(TwipsToPixels(c->Left()), TwipsToPixels(c->Top()), TwipsToPixels(c->Width()),
                     TwipsToPixels(c->Height()));
    p.save();
    c->Paint(p, box);
    p.restore();
  }
}

void ControlSurface::RaiseMouse(Control* c, int which, QMouseEvent* e) {
  if (c == nullptr) return;
  const MouseHandler& h = which == 0 ? c->MouseDown : which == 1 ? c->MouseMove : c->MouseUp;
  if (!h) return;
  const QRectF r = RectOf(*c);
  const float x = static_cast<float>(PixelsToTwips((e->position().x() - r.left()) / sx_));
  const float y = static_cast<float>(PixelsToTwips((e->position().y() - r.top()) / sy_));
  const int button = which == 1 ? ButtonsOf(e->buttons()) : ButtonOf(e->button());
  const int shift = ShiftOf(e->modifiers());
  RunHandler([&] { h(button, shift, x, y); });
}

void ControlSurface::mousePressEvent(QMouseEvent* e) {
  if (drag_source_ != nullptr) return;  // a second button during a drag changes nothing
  Control* c = HitTest(e->position());
  if (c == nullptr) return;
  if (c->DragAutomatic()) {
    StartDrag(c, e);
    return;
  }
  pressed_ = c;
  const PressScope press(*e);
  RaiseMouse(c, 0, e);
}

void ControlSurface::UpdatePointer(QPointF pos) {
  Control* c = HitTest(pos);
  if (c != nullptr && c->MouseIcon())
    setCursor(*c->MouseIcon());
  else
    unsetCursor();
}

void ControlSurface::StartDrag(Control* source, QMouseEvent* e) {
  drag_source_ = source;
  const QRect box = PixelBox(*source);
  drag_offset_ = e->position() - QPointF(box.topLeft());
  drag_size_ = box.size();
  MoveOutline(e->position());
}

void ControlSurface::MoveOutline(QPointF pointer) {
  // Placed from this container's own pixels, never the screen's: on a window system that
  // keeps window positions from its programs, screen positions are not to be trusted.
  if (outline_ == nullptr) outline_ = new DragOutline(window());
  const QPointF top_left = pointer - drag_offset_;
  const QPoint in_window = mapTo(window(), QPoint(static_cast<int>(std::lround(top_left.x())),
                                                  static_cast<int>(std::lround(top_left.y()))));
  outline_->ShowAt(QRect(in_window, drag_size_));
}

void ControlSurface::mouseMoveEvent(QMouseEvent* e) {
  if (drag_source_ != nullptr) {
    // No button held any more: the release went elsewhere, and this drag is over.
    if (e->buttons() == Qt::NoButton)
      CancelDrag();
    else
      MoveOutline(e->position());
    return;
  }
  UpdatePointer(e->position());
  Control* target =
      (e->buttons() != Qt::NoButton && pressed_ != nullptr) ? pressed_ : HitTest(e->position());
  RaiseMouse(target, 1, e);
}

void ControlSurface::CancelDrag() {
  drag_source_ = nullptr;
  if (outline_ != nullptr) outline_->hide();
}

void ControlSurface::EndDrag(QMouseEvent* e) {
  Control* source = drag_source_;
  CancelDrag();
  const QPointF global = e->globalPosition();
  RunHandler([&] { form_.DropAt(*source, global); });
}

void ControlSurface::mouseReleaseEvent(QMouseEvent* e) {
  if (drag_source_ != nullptr) {
    if (e->buttons() == Qt::NoButton || ButtonOf(e->button()) == kLeftButton) EndDrag(e);
    return;
  }
  Control* c = pressed_;
  if (e->buttons() == Qt::NoButton) pressed_ = nullptr;
  if (c == nullptr) return;
  QPointer<ControlSurface> self(this);
  RaiseMouse(c, 2, e);
  if (!self) return;
  if (c->Click && ButtonOf(e->button()) == kLeftButton && HitTest(e->position()) == c) {
    auto click = c->Click;
    RunHandler([&] { click(); });
  }
}

void ControlSurface::mouseDoubleClickEvent(QMouseEvent* e) {
  Control* c = HitTest(e->position());
  if (c != nullptr && !c->DragAutomatic() && c->DblClick) {
    auto dbl = c->DblClick;
    RunHandler([&] { dbl(); });
    return;
  }
  mousePressEvent(e);
}

bool ControlSurface::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    Control* c = HitTest(help->pos());
    if (c != nullptr && !c->ToolTipText().empty()) {
      QToolTip::showText(help->globalPos(), QString::fromStdString(c->ToolTipText()), this,
                         RectOf(*c).toAlignedRect());
    } else {
      QToolTip::hideText();
      e->ignore();
    }
    return true;
  }
  if (e->type() == QEvent::Leave) unsetCursor();
  switch (e->type()) {
    case QEvent::Leave:  // not sent while a button is down, unless a menu took the mouse
    case QEvent::Hide:
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
      // Another window took the mouse (a menu or a modal window opened, or the window
      // lost the focus), or this one went away: the drag ends where it is, no drop.
      CancelDrag();
      break;
    default:
      break;
  }
  return QWidget::event(e);
}

}  // namespace tk
