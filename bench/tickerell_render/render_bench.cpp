// The caption control's tick on a 312 x 236 surface, for a 500-line buffer against a
// 15-line one (a tick should cost about the same whatever the buffer holds), against a
// line-by-line drawing of the whole buffer, and the whole process's processor time while
// a control scrolls on a real 10 ms timer and while it waits at start-up.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "com/picture_object.h"
#include "literal_caption_drawing.h"
#include "tickerell_renderer.h"
#include "toolkit/activex/user_control.h"
#include "toolkit/ui/timer.h"

namespace {

using tickerell::TickerellState;

class BenchHost : public tickerell::TickHost {
 public:
  bool AmbientUserMode() override { return true; }
  void SetTimerEnabled(bool) override {}
  std::int16_t SkipPixels() override { return 1; }
  bool Closed() override { return false; }
};

// A credits list: a bold heading every fifth line, names in between, in red.
void FillCredits(TickerellState& s, int count) {
  s.LineBuffer.Clear();
  s.LineCount = 0;
  for (int i = 0; i < count; ++i) {
    tickerell::LineFormat f = tickerell::DefaultLineFormat();
    std::string text = "Contributor number " + std::to_string(i);
    if (i % 5 == 0) {
      f.Bold = tk::kTrue16;
      f.Size = 12;
      text = "Section " + std::to_string(i / 5);
    } else if (i % 5 == 3) {
      f.Size = 0;  // keeps the size of the line before
      f.Italic = tk::kTrue16;
    }
    s.AddBufferLine(f, 0x0000FF, text);
  }
}

com::ComPtr<com::IPictureDisp> Texture(int width, int height) {
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      argb[static_cast<std::size_t>(y * width + x)] =
          0xFF000000u | static_cast<std::uint32_t>(((x ^ y) * 7) & 0xFF) << 8 | 0x40;
  return com::CreatePicture(std::make_shared<tk::Picture>(width, height, std::move(argb)));
}

struct Control {
  explicit Control(int lines) : surface(312 * 15.0, 236 * 15.0) {
    surface.SetPicture(Texture(312, 236));
    state.DebugMode = tk::kTrue16;
    state.m_Alignment = 1;
    state.m_StartupYpos = 100;
    state.m_ScrollStart = 300;
    state.m_ScrollEnd = -850;
    FillCredits(state, lines);
  }
  TickerellState state;
  tk::UserControl surface;
  BenchHost host;
  tickerell::Renderer renderer{state, surface, host};
};

// The text fills the surface throughout: its top moves within 20 pixels around `top`.
void TickOverFullSurface(benchmark::State& bench, int lines, std::int32_t top) {
  Control c(lines);
  c.state.ScrollStarted = tk::kTrue16;
  c.state.m_ScrollStart = top;
  c.state.m_ScrollEnd = top - 20;
  c.state.ScrollY = top;
  for (auto _ : bench) c.renderer.tmrRefresh_Timer();
}

void BM_Tick500Lines(benchmark::State& bench) {
  TickOverFullSurface(bench, 500, -4000);
}
void BM_Tick15Lines(benchmark::State& bench) {
  TickOverFullSurface(bench, 15, 0);
}
BENCHMARK(BM_Tick500Lines)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_Tick15Lines)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// The About window's cycle (300 down to -850), where the 500-line text mostly lies below.
void BM_Tick500LinesAboutCycle(benchmark::State& bench) {
  Control c(500);
  c.state.ScrollStarted = tk::kTrue16;
  c.state.ScrollY = 300;
  for (auto _ : bench) c.renderer.tmrRefresh_Timer();
}
BENCHMARK(BM_Tick500LinesAboutCycle)->Unit(benchmark::kMicrosecond);

// For comparison: every line's font set, measured and printed, as drawn without a layout.
void BM_Literal500Lines(benchmark::State& bench) {
  Control c(500);
  std::int32_t y = -4000;
  for (auto _ : bench) {
    c.surface.Cls();
    tickerell::testing::LiteralDraw(c.surface, c.state, y);
    y = y > -4020 ? y - 1 : -4000;
  }
}
BENCHMARK(BM_Literal500Lines)->Unit(benchmark::kMicrosecond);

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The whole process while a shown 500-line control scrolls on its 10 ms timer for 10 s.
void BM_CpuWhileScrollingOnTimer(benchmark::State& bench) {
  Control c(500);
  c.state.m_StartupWait = 0;
  c.surface.Widget()->show();
  tk::Timer timer;
  int ticks = 0;
  timer.Tick = [&] {
    ++ticks;
    c.renderer.tmrRefresh_Timer();
  };
  for (auto _ : bench) {
    QElapsedTimer wall;
    const double cpu = ProcessCpuSeconds();
    wall.start();
    timer.SetInterval(10);
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    timer.SetEnabled(false);
    bench.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - cpu) / (wall.elapsed() / 1e3);
    bench.counters["ticks"] = ticks;
  }
}
BENCHMARK(BM_CpuWhileScrollingOnTimer)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The whole process during a 3 s start-up wait on the real clock.
void BM_CpuDuringStartupWait(benchmark::State& bench) {
  Control c(500);
  c.state.m_StartupWait = 3;
  c.surface.Widget()->show();
  for (auto _ : bench) {
    QElapsedTimer wall;
    const double cpu = ProcessCpuSeconds();
    wall.start();
    c.renderer.tmrRefresh_Timer();
    bench.counters["cpu_percent"] = 100.0 * (ProcessCpuSeconds() - cpu) / (wall.elapsed() / 1e3);
    bench.counters["wait_s"] = wall.elapsed() / 1e3;
  }
}
BENCHMARK(BM_CpuDuringStartupWait)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
