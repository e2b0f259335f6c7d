#include "modal_look.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

namespace wm_test {

void LookWhileModal(tk::Form& form, const std::function<void()>& open,
                    const std::function<void(const Framed&)>& look) {
  QTimer poll;
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const bool shown = form.Window() && form.Window()->isVisible();
    if (!shown && clock.elapsed() < 10000) return;
    poll.stop();
    const auto framed = shown ? WaitFramed(*form.Window()) : std::nullopt;
    EXPECT_TRUE(framed.has_value()) << form.Name() << " was not shown and framed";
    if (framed) look(*framed);
    form.Unload();
  });
  poll.start(20);
  open();
}

bool LookAtBox(const std::function<void()>& raise,
               const std::function<void(QWidget& box, const Framed&)>& look) {
  bool seen = false;
  QTimer poll;
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    const bool shown = box != nullptr && box->isVisible();
    if (!shown && clock.elapsed() < 10000) return;
    poll.stop();
    if (!shown) return;
    if (const auto framed = WaitFramed(*box)) {
      seen = true;
      look(*box, *framed);
    }
    box->reject();
  });
  poll.start(20);
  raise();
  return seen;
}

}  // namespace wm_test
