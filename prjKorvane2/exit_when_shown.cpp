#include "exit_when_shown.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>

namespace korvane {

namespace {

class ExitWhenShown : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done_) {
      done_ = true;
      // Queued, so the whole window has been painted and flushed first.
      QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace

void ExitWhenFirstPainted(QObject& window) {
  window.installEventFilter(new ExitWhenShown(&window));
}

}  // namespace korvane
