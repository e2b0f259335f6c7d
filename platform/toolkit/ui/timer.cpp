#include "toolkit/ui/timer.h"

#include "runtime/errors.h"
#include "toolkit/ui/application.h"

namespace tk {

Timer::Timer() {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    if (Tick) {
      auto tick = Tick;
      RunHandler([&] { tick(); });
    }
  });
}

void Timer::SetInterval(std::int32_t ms) {
  if (ms < 0) Raise(kInvalidProcedureCall);
  interval_ = ms;
  Apply();
}

void Timer::SetEnabled(bool on) {
  enabled_ = on;
  Apply();
}

void Timer::Apply() {
  if (enabled_ && interval_ > 0) {
    if (!timer_.isActive() || timer_.interval() != interval_) timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

}  // namespace tk
