// The timer's tick: where each tick draws, how the text steps and wraps, the start-up
// picture, the design host, ticks that run during the start-up wait, and failures.
#include <gtest/gtest.h>

#include <climits>

#include "render_test_support.h"

namespace tickerell::testing {
namespace {

class TickTest : public RendererTest {
 protected:
  TickTest() {
    SetLines(state,
             {Line("Credits", DefaultLineFormat(), 0x0000FF), Line("", DefaultLineFormat(), 0),
              Line("Thanks", DefaultLineFormat(), 0x00FF00)});
  }
  // The position each of `n` ticks drew at.
  std::vector<std::int32_t> Ticks(int n) {
    std::vector<std::int32_t> drawn;
    for (int i = 0; i < n; ++i) {
      renderer.tmrRefresh_Timer();
      drawn.push_back(state.m_CurrentYpos);
    }
    return drawn;
  }
};

TEST_F(TickTest, StartsAtStartupYposThenRisesAndWrapsToScrollStart) {
  std::vector<std::int32_t> expected{100};
  for (int y = 99; y >= -850; --y) expected.push_back(y);
  for (int y = 300; y >= -850; --y) expected.push_back(y);
  expected.push_back(300);
  expected.push_back(299);
  const auto first = Ticks(1);
  EXPECT_FLOAT_EQ(clock.now - 1000.0f, 1.5f) << "the first tick waits StartupWait";
  const auto later = Ticks(static_cast<int>(expected.size()) - 1);
  std::vector<std::int32_t> drawn = first;
  drawn.insert(drawn.end(), later.begin(), later.end());
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(clock.pumps.size(), 1u) << "only the first tick waits";
  EXPECT_EQ(state.ScrollY, 298);

  // Paused: no tick runs however long; the next one goes on where the text stood.
  clock.now += 600;
  EXPECT_EQ(Ticks(1), std::vector<std::int32_t>{298});
}

TEST_F(TickTest, FirstTickDrawsTwiceWithoutClearingAndLaterTicksOnce) {
  surface->SetPicture(PatternPicture(200, 100));
  state.m_StartupWait = 0;
  renderer.tmrRefresh_Timer();
  // Antialiased text drawn twice over itself darkens its edges: the picture tells.
  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({100, 100})), 0);
  EXPECT_GT(DifferingPixels(surface->Image(), Reference({100})), 0);
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({99})), 0);
}

struct ScrollCase {
  const char* name;
  std::int32_t startup_ypos, scroll_start, scroll_end;
  std::int16_t skip;
  std::vector<std::int32_t> drawn;
};

TEST_F(TickTest, StepsAndWrapsForEveryKindOfSetting) {
  const std::int32_t kMax = INT32_MAX, kMin = INT32_MIN;
  const ScrollCase cases[] = {
      {"no step stands still", 100, 300, -850, 0, {100, 100, 100}},
      {"a negative step moves down and never wraps", 100, 300, -850, -3, {100, 103, 106, 109}},
      {"ScrollStart at ScrollEnd", 4, 0, 0, 2, {4, 2, 0, 0, 0}},
      {"ScrollStart below ScrollEnd", 4, -5, 0, 2, {4, 2, 0, -5, -5}},
      {"StartupYpos at ScrollEnd", -850, 300, -850, 1, {-850, 300, 299}},
      {"StartupYpos below ScrollEnd", -900, 300, -850, 1, {-900, 300, 299}},
      {"a position equal to ScrollEnd is drawn", 2, 50, 0, 1, {2, 1, 0, 50, 49}},
      {"a step past the top of the range keeps ScrollY",
       kMin + 1,
       0,
       kMin,
       5,
       {kMin + 1, kMin + 1, kMin + 1}},
      {"a step past the bottom of the range keeps ScrollY",
       kMax - 1,
       0,
       0,
       -5,
       {kMax - 1, kMax - 1}},
      {"the widest step", 0, 0, kMin, INT16_MIN, {0, 32768, 65536}},
  };
  for (const ScrollCase& c : cases) {
    SCOPED_TRACE(c.name);
    TickerellState s = ScrollingState();
    s.m_StartupYpos = c.startup_ypos;
    s.m_ScrollStart = c.scroll_start;
    s.m_ScrollEnd = c.scroll_end;
    host.skip = c.skip;
    Renderer r(s, *surface, host, clock);
    std::vector<std::int32_t> drawn;
    for (std::size_t i = 0; i < c.drawn.size(); ++i) {
      r.tmrRefresh_Timer();
      drawn.push_back(s.m_CurrentYpos);
    }
    EXPECT_EQ(drawn, c.drawn);
  }
}

TEST_F(TickTest, EmptyBufferClearsStoresThePositionAndSteps) {
  surface->SetPicture(PatternPicture(100, 50));
  SetLines(state, {});
  Ticks(1);
  const auto drawn = Ticks(2);
  EXPECT_EQ(drawn, (std::vector<std::int32_t>{99, 98}));
  EXPECT_EQ(state.ScrollY, 97);
  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({})), 0);
  EXPECT_EQ(surface->CurrentY(), 98.0f);
}

TEST_F(TickTest, DesignHostDrawsOnceAndStopsThenLaterTicksOnlyClear) {
  host.user_mode = false;
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(host.timer_settings, std::vector<bool>{false});
  EXPECT_EQ(clock.pumps.size(), 1u) << "the start-up wait still runs";
  EXPECT_EQ(state.ScrollY, 100) << "no step";
  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({100})), 0);

  // Scroll put True again: the timer's next tick clears and stops it again.
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(host.timer_settings, (std::vector<bool>{false, false}));
  EXPECT_EQ(state.ScrollY, 100);
  EXPECT_EQ(state.m_CurrentYpos, 100);
  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({})), 0);
}

TEST_F(TickTest, TicksDuringTheWaitScrollAndTheFirstTickResumesWhereTheyLeftIt) {
  clock.step = 0.5f;
  std::vector<std::int32_t> nested;
  clock.on_pump = [&](int pump) {
    if (pump > 1) return;
    EXPECT_EQ(state.ScrollStarted, tk::kTrue16);
    for (int i = 0; i < 2; ++i) {
      renderer.tmrRefresh_Timer();
      nested.push_back(state.m_CurrentYpos);
    }
  };
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(nested, (std::vector<std::int32_t>{100, 99}));
  EXPECT_EQ(clock.pumps.size(), 3u) << "the nested ticks did not wait";
  EXPECT_EQ(state.m_CurrentYpos, 98);
  EXPECT_EQ(state.ScrollY, 97);
  // The last nested tick cleared and drew at 99; the first tick drew at 98 over it.
  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({99, 98})), 0);
}

TEST_F(TickTest, ClosedDuringTheWaitDrawsNothingMore) {
  clock.step = 0.25f;
  clock.on_pump = [&](int pump) {
    if (pump == 2) host.closed = true;
  };
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(clock.pumps.size(), 2u);
  EXPECT_EQ(host.ambient_calls, 0);
  EXPECT_EQ(state.ScrollY, 100) << "no step after the wait";

  const QImage before = surface->Image().copy();
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(DifferingPixels(surface->Image(), before), 0) << "a closed control is not cleared";
  EXPECT_EQ(state.ScrollY, 100);
}

TEST_F(TickTest, LineCountPastTheBufferEndsTheDrawingAtTheMissingLine) {
  std::vector<BufferLine> lines;
  for (int i = 1; i <= 500; ++i)
    lines.push_back(Line("line " + std::to_string(i), DefaultLineFormat(), i));
  SetLines(state, lines);
  auto ref = MakeSurface();
  ref->Cls();
  LiteralDraw(*ref, state, 40);
  state.LineCount = 502;

  // An initialized control traps nothing while drawing: the 501st line fails with error 9,
  // the tick skips the rest of that drawing and still steps.
  state.ScrollStarted = tk::kTrue16;
  state.ScrollY = 40;
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(state.ScrollY, 39);
  EXPECT_EQ(state.m_CurrentYpos, 40);
  EXPECT_EQ(surface->CurrentY(), ref->CurrentY());
  EXPECT_EQ(surface->ForeColor(), 500u);
  EXPECT_EQ(DifferingPixels(surface->Image(), ref->Image()), 0);
  try {
    renderer.DrawMainBufferLines(40);
    ADD_FAILURE() << "no error";
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), tk::kSubscriptOutOfRange);
  }

  // With errors trapped, each missing line's statements fail one by one and only its gap
  // of 2 pixels remains.
  state.DebugMode = tk::kFalse16;
  surface->Cls();
  renderer.DrawMainBufferLines(40);
  EXPECT_EQ(surface->CurrentY(), ref->CurrentY() + 4);
}

}  // namespace
}  // namespace tickerell::testing
