#include "user32/timed_steps.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace user32::detail {
namespace {
constexpr int kFrameMs = 15;
}

void RunTimedSteps(int milliseconds, const std::function<bool(double)>& step) {
  if (milliseconds <= 0) {
    step(1.0);
    return;
  }
  if (!step(0.0)) return;

  QEventLoop loop;
  QTimer frames;
  frames.setTimerType(Qt::PreciseTimer);
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&frames, &QTimer::timeout, &loop, [&] {
    const double fraction = std::min(1.0, static_cast<double>(clock.elapsed()) / milliseconds);
    if (!step(fraction) || fraction >= 1.0) {
      frames.stop();
      loop.quit();
    }
  });
  frames.start(kFrameMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace user32::detail
