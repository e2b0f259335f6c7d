#include "drag_outline.h"

#include <QPainter>
#include <QRegion>

namespace tk {

DragOutline::DragOutline(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                         Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint) {
  setObjectName("dragOutline");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void DragOutline::ShowAt(const QRect& screen_rect) {
  const QRect r(screen_rect.topLeft(), screen_rect.size().expandedTo(QSize(1, 1)));
  if (r.size() != size()) {
    resize(r.size());
    // Only the frame is part of the window; what lies inside shows through untouched.
    const QRect all(QPoint(0, 0), r.size());
    const QRect inside = all.adjusted(kThickness, kThickness, -kThickness, -kThickness);
    setMask(inside.isValid() ? QRegion(all).subtracted(QRegion(inside)) : QRegion(all));
  }
  move(r.topLeft());
  if (isVisible()) return;
  show();
  raise();
}

void DragOutline::paintEvent(QPaintEvent*) {
  // Dashes of black and white: one of the two stands out on any background.
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  QPen dashes(Qt::black, kThickness, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
  dashes.setDashPattern({2, 2});
  p.setPen(dashes);
  p.setBrush(Qt::NoBrush);
  const qreal half = kThickness / 2.0;
  p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace tk
