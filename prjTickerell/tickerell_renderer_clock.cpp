// The real clock of the start-up wait and the user-interface thread's event pump.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>

#include "tickerell_renderer.h"

namespace tickerell {

namespace {

class QtWaitClock : public WaitClock {
 public:
  float SecondsSinceMidnight() override {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
  }

  // Sleeps in the event dispatcher until an event arrives (and runs it) or the wake-up
  // timer fires, so a waiting control takes no processor time.
  void PumpEvents(int max_ms) override {
    max_ms = std::max(0, max_ms);
    if (!QCoreApplication::instance()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(max_ms));
      return;
    }
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(max_ms);
    QEventLoop loop;
    loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
};

}  // namespace

WaitClock& SystemWaitClock() {
  static QtWaitClock clock;
  return clock;
}

}  // namespace tickerell
