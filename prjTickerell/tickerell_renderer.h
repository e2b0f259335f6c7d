// The scrolling renderer of a Tickerell control: on every tick of its timer it clears the
// surface and draws the line buffer one below the other, starting at a position that rises
// by SkipPixels per tick and starts again at ScrollStart once it has reached ScrollEnd. The
// first tick shows the text at StartupYpos and holds it there for StartupWait seconds,
// letting events run meanwhile; in a design host the first tick draws once and stops the
// timer.
#pragma once

#include <cstdint>
#include <memory>

#include "tickerell_state.h"
#include "toolkit/activex/user_control.h"

namespace tickerell {

// What the renderer needs of its control besides the state and the surface.
class TickHost {
 public:
  virtual ~TickHost() = default;
  virtual bool AmbientUserMode() = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
  // Through the control's public getter.
  virtual std::int16_t SkipPixels() = 0;
  // True once the host has let go of the control: a waiting tick stops waiting and
  // draws nothing more.
  virtual bool Closed() = 0;
};

// The clock and the event pump of the wait, replaceable in tests.
class WaitClock {
 public:
  virtual ~WaitClock() = default;
  // Seconds since midnight, single precision, like the runtime's Timer.
  virtual float SecondsSinceMidnight() = 0;
  // Runs pending events, blocking until the next one arrives or `max_ms` has passed.
  virtual void PumpEvents(int max_ms) = 0;
};

// The real clock and the user-interface thread's event loop.
WaitClock& SystemWaitClock();

class LineLayout;

class Renderer {
 public:
  Renderer(TickerellState& state, tk::UserControl& surface, TickHost& host,
           WaitClock& clock = SystemWaitClock());
  ~Renderer();

  // The timer's tick: never lets an error out, each failing step is skipped.
  void tmrRefresh_Timer();
  // Draws every line of the buffer from vertical position Y down; stores Y as CurrentYpos.
  void DrawMainBufferLines(const std::int32_t& Y);
  // Waits S seconds (read afresh on every pass) while events run.
  void WaitSeconds(const double& S);

 private:
  TickerellState& state_;
  tk::UserControl& surface_;
  TickHost& host_;
  WaitClock& clock_;
  // The lines' fonts, metrics and positions, kept between ticks while they stay valid.
  std::unique_ptr<LineLayout> layout_;
};

}  // namespace tickerell
