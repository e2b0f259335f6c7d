#include "tickerell_renderer.h"

#include <QImage>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "runtime/errors.h"
#include "tickerell_renderer_layout.h"

namespace tickerell {

Renderer::Renderer(TickerellState& state, tk::UserControl& surface, TickHost& host,
                   WaitClock& clock)
    : state_(state),
      surface_(surface),
      host_(host),
      clock_(clock),
      layout_(std::make_unique<LineLayout>()) {}

Renderer::~Renderer() = default;

void Renderer::tmrRefresh_Timer() {
  // A control its host has let go of has nothing left to draw on.
  if (host_.Closed()) return;
  tk::ResumeNext next;

  next([&] { surface_.Cls(); });

  if (state_.ScrollStarted == tk::kFalse16) {
    // Set first: a tick that runs during the wait below must not start over.
    next([&] { state_.ScrollStarted = tk::kTrue16; });
    next([&] { DrawMainBufferLines(state_.m_StartupYpos); });
    next([&] { state_.ScrollY = state_.m_StartupYpos; });
    // By reference: a StartupWait set while waiting moves the end of the wait.
    next([&] { WaitSeconds(state_.m_StartupWait); });
    if (host_.Closed()) return;
  }

  bool design_host = false;
  next([&] { design_host = !host_.AmbientUserMode(); });
  if (design_host) {
    next([&] { host_.SetTimerEnabled(false); });
    return;
  }

  next([&] { DrawMainBufferLines(state_.ScrollY); });

  // A step that leaves the 32-bit range raises Overflow and is skipped: ScrollY stays.
  next([&] {
    if (state_.ScrollY > state_.m_ScrollEnd)
      state_.ScrollY = (tk::Int32(state_.ScrollY) - tk::Int32(host_.SkipPixels())).value();
    else
      state_.ScrollY = state_.m_ScrollStart;
  });
}

// Draws exactly what setting the font, position and colour of every line and printing it
// would, but from a layout kept between ticks, and rasterises only the lines whose ink can
// reach the surface; the others just move the print position. The surface ends with the
// same font, colour and position as if every line had been printed.
void Renderer::DrawMainBufferLines(const std::int32_t& Y) {
  // An initialized control has DebugMode True: the first failure ends the drawing.
  const bool resume_next = state_.DebugMode == tk::kFalse16;

  surface_.SetCurrentY(static_cast<float>(Y));
  state_.m_CurrentYpos = Y;

  const int count = state_.LineCount;
  const int stored = std::clamp(count, 0, LineBufferArray::kUpperBound);
  const bool centred = state_.m_Alignment == 1;
  const float scale_width = centred ? surface_.ScaleWidth() : 0.0f;
  tk::FontSpec& font = surface_.Font();
  if (!layout_->Matches(state_.LineBuffer, stored, font, centred, scale_width))
    layout_->Build(state_.LineBuffer, stored, font, centred, scale_width);

  const double surface_height = surface_.Image().height();
  float x = surface_.CurrentX();
  float y = surface_.CurrentY();
  for (const LaidOutLine& line : layout_->lines()) {
    y = y + 2.0f;  // the gap above every line
    if (centred) x = line.x;
    if (y + line.ink_bottom > 0 && y + line.ink_top < surface_height) {
      surface_.SetCurrentX(x);
      surface_.SetCurrentY(y);
      surface_.SetForeColor(static_cast<tk::OleColor>(line.color));
      surface_.Print(line.text, *line.qfont, *line.metrics);
      y = surface_.CurrentY();
    } else {
      y += line.height;
    }
    x = 0;
  }
  if (!layout_->lines().empty()) {
    const LaidOutLine& last = layout_->lines().back();
    font = last.font;
    surface_.SetForeColor(static_cast<tk::OleColor>(last.color));
    surface_.SetCurrentX(x);
  }

  // A count past the buffer's last record fails on the first line that is not there.
  if (count > stored) {
    if (!resume_next) {
      surface_.SetCurrentY(y);
      tk::Raise(tk::kSubscriptOutOfRange);
    }
    // Skipping each failing statement leaves only the gap of each missing line.
    for (int i = stored; i < count; ++i) y = y + 2.0f;
  }
  surface_.SetCurrentY(y);
}

void Renderer::WaitSeconds(const double& S) {
  const float start = clock_.SecondsSinceMidnight();
  // The clock restarts at 0 at midnight: each time it goes back, count a day more, so a
  // wait across midnight still ends after about S seconds (a clock set back ends the wait
  // early rather than late).
  float previous = start;
  double days = 0;
  for (;;) {
    // The host let go during the wait: stop waiting at once.
    if (host_.Closed()) return;
    const float reading = clock_.SecondsSinceMidnight();
    if (reading < previous) days += 1;
    previous = reading;
    const float now = static_cast<float>(reading + days * 86400.0);
    // S is read afresh on every pass, so a new StartupWait moves the end at once.
    const double sum = static_cast<double>(start) + S;
    if (std::fabs(sum) > FLT_MAX) tk::Raise(tk::kOverflow);
    const float end = static_cast<float>(sum);
    if (!(end > now)) return;
    // Rather than spin, sleep until the next event or the end of the wait.
    const double remaining_ms = (static_cast<double>(end) - now) * 1000.0;
    clock_.PumpEvents(static_cast<int>(std::clamp(std::ceil(remaining_ms), 1.0, 2e9)));
  }
}

}  // namespace tickerell
