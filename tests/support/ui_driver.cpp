#include "ui_driver.h"

#include <QTest>

#include "toolkit/ui/surface.h"

namespace tk::testing {

QPoint CentreOf(const Control& control) {
  return control.Container().RectOf(control).center().toPoint();
}

void Drag(const Control& from, const Control& to) {
  ControlSurface& source = from.Container();
  const QPoint start = CentreOf(from);
  const QPoint end_global = to.Container().mapToGlobal(CentreOf(to));
  const QPoint end = source.mapFromGlobal(end_global);
  QTest::mousePress(&source, Qt::LeftButton, Qt::NoModifier, start);
  for (int step = 1; step <= 4; ++step) {
    const QPoint p = start + (end - start) * step / 4;
    QMouseEvent move(QEvent::MouseMove, p, source.mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&source, &move);
  }
  QTest::mouseRelease(&source, Qt::LeftButton, Qt::NoModifier, end);
}

void Click(const Control& control, Qt::MouseButton button) {
  ControlSurface& surface = control.Container();
  const QPoint p = CentreOf(control);
  QTest::mousePress(&surface, button, Qt::NoModifier, p);
  QTest::mouseRelease(&surface, button, Qt::NoModifier, p);
}

}  // namespace tk::testing
