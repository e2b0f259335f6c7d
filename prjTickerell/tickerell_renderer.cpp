// Placeholder until the renderer lands: ticks draw nothing.
#include "tickerell_renderer.h"

namespace tickerell {

namespace {
class NullClock : public WaitClock {
 public:
  float SecondsSinceMidnight() override { return 0; }
  void PumpEvents(int) override {}
};
}  // namespace

WaitClock& SystemWaitClock() {
  static NullClock clock;
  return clock;
}

Renderer::Renderer(TickerellState& state, tk::UserControl& surface, TickHost& host,
                   WaitClock& clock)
    : state_(state), surface_(surface), host_(host), clock_(clock) {}

void Renderer::tmrRefresh_Timer() {}
void Renderer::DrawMainBufferLines(const std::int32_t&) {}
void Renderer::WaitSeconds(const double&) {}

}  // namespace tickerell
