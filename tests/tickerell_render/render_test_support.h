// The renderer's test bench: a control surface, a host and a clock that the test drives,
// and a straightforward drawing of the line buffer to hold the renderer's output against.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "com/picture_object.h"
#include "line_buffer.h"
#include "literal_caption_drawing.h"
#include "tickerell_renderer.h"
#include "tickerell_state.h"
#include "toolkit/activex/user_control.h"

namespace tickerell::testing {

class FakeHost : public TickHost {
 public:
  bool AmbientUserMode() override {
    ++ambient_calls;
    return user_mode;
  }
  void SetTimerEnabled(bool enabled) override { timer_settings.push_back(enabled); }
  std::int16_t SkipPixels() override { return skip; }
  bool Closed() override { return closed; }

  bool user_mode = true;
  std::int16_t skip = 1;
  bool closed = false;
  int ambient_calls = 0;
  std::vector<bool> timer_settings;
};

// Time moves only when the wait pumps events: by the time it asks to sleep, or by `step`
// seconds when that is set. The clock restarts at 0 when it reaches midnight.
class FakeClock : public WaitClock {
 public:
  float SecondsSinceMidnight() override { return now; }
  void PumpEvents(int max_ms) override {
    pumps.push_back(max_ms);
    now += step > 0 ? step : static_cast<float>(max_ms) / 1000.0f;
    if (now >= 86400.0f) now -= 86400.0f;
    if (on_pump) on_pump(static_cast<int>(pumps.size()));
  }

  float now = 1000.0f;
  float step = 0;
  std::vector<int> pumps;
  std::function<void(int)> on_pump;  // called with the number of the pump
};

// The control's surface at the size the game's About window gives it.
inline constexpr int kSurfaceWidth = 312;
inline constexpr int kSurfaceHeight = 236;

inline std::unique_ptr<tk::UserControl> MakeSurface(int width = kSurfaceWidth,
                                                    int height = kSurfaceHeight) {
  return std::make_unique<tk::UserControl>(width * 15.0, height * 15.0);
}

// A background picture with a pattern in it, so that text over it shows where it lies.
inline com::ComPtr<com::IPictureDisp> PatternPicture(int width, int height) {
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      argb[static_cast<std::size_t>(y * width + x)] =
          0xFF000000u | static_cast<std::uint32_t>((x * 5) & 0xFF) << 8 |
          static_cast<std::uint32_t>((y * 3) & 0xFF);
  return com::CreatePicture(std::make_shared<tk::Picture>(width, height, std::move(argb)));
}

inline BufferLine Line(std::string text, LineFormat format, OleColor color) {
  return BufferLine{std::move(text), std::move(format), color};
}

inline void SetLines(TickerellState& state, const std::vector<BufferLine>& lines) {
  state.LineBuffer.Clear();
  state.LineCount = 0;
  for (const BufferLine& l : lines) state.AddBufferLine(l.Format, l.Color, l.Text);
}

// A control scrolling as the About window has it (centred here), before its first tick.
inline TickerellState ScrollingState() {
  TickerellState s;
  s.DebugMode = tk::kTrue16;
  s.m_StartupYpos = 100;
  s.m_StartupWait = 1.5;
  s.m_ScrollStart = 300;
  s.m_ScrollEnd = -850;
  s.m_Alignment = 1;
  return s;
}

// A renderer on a surface of the About window's size, scrolling as the About window has
// it, with a host and a clock that the case drives.
class RendererTest : public ::testing::Test {
 protected:
  // What the surface shows after clearing it and drawing the buffer line by line at each
  // of `ys`, on a surface of its own with the same picture.
  QImage Reference(std::initializer_list<std::int32_t> ys) {
    auto ref = MakeSurface();
    ref->SetPicture(surface->Picture());
    ref->Cls();
    for (std::int32_t y : ys) LiteralDraw(*ref, state, y);
    return ref->Image().copy();
  }

  TickerellState state = ScrollingState();
  std::unique_ptr<tk::UserControl> surface = MakeSurface();
  FakeHost host;
  FakeClock clock;
  Renderer renderer{state, *surface, host, clock};
};

inline bool SameFont(const tk::FontSpec& a, const tk::FontSpec& b) {
  return a.name == b.name && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline && a.strikethrough == b.strikethrough && a.charset == b.charset;
}

// The number of pixels in which two pictures differ (all of them when the sizes differ).
inline int DifferingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.width() * a.height() + 1;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++differing;
  return differing;
}

}  // namespace tickerell::testing
