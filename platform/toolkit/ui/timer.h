// The runtime's timer: ticks on the user-interface thread every Interval milliseconds
// while Enabled; an interval of 0 does not tick.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace tk {

class Timer {
 public:
  Timer();
  std::int32_t Interval() const { return interval_; }
  void SetInterval(std::int32_t ms);  // a negative interval is an invalid procedure call
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);

  std::function<void()> Tick;

 private:
  void Apply();
  QTimer timer_;
  std::int32_t interval_ = 0;
  bool enabled_ = true;
};

}  // namespace tk
