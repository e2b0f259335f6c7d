#include "toolkit/ui/drag_outline.h"

#include <QPainter>
#include <QRegion>

namespace tk {

DragOutline::DragOutline(QWidget* window) : QWidget(window) {
  setObjectName("dragOutline");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void DragOutline::ShowAt(const QRect& rect) {
  const QRect r(rect.topLeft(), rect.size().expandedTo(QSize(1, 1)));
  if (r.size() != size()) {
    resize(r.size());
    // Only the frame is part of the outline: a move repaints the window under the old
    // and the new frame, not under all that lies inside them.
    const QRect all(QPoint(0, 0), r.size());
    const QRect inside = all.adjusted(kThickness, kThickness, -kThickness, -kThickness);
    setMask(inside.isValid() ? QRegion(all).subtracted(QRegion(inside)) : QRegion(all));
  }
  move(r.topLeft());
  if (isVisible()) return;
  // Above every control, also any made since the last drag.
  raise();
  show();
}

void DragOutline::paintEvent(QPaintEvent*) {
  // Dashes of black on white: one of the two stands out on any background.
  QPainter p(this);
  const qreal half = kThickness / 2.0;
  const QRectF frame = QRectF(rect()).adjusted(half, half, -half, -half);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, kThickness, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawRect(frame);
  QPen dashes(Qt::black, kThickness, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
  dashes.setDashPattern({2, 2});
  p.setPen(dashes);
  p.drawRect(frame);
}

}  // namespace tk
