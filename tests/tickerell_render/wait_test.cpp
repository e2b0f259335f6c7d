// The start-up wait: how long it lasts, what ends it early, and that it sleeps rather
// than spins.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <limits>

#include "render_test_support.h"

namespace tickerell::testing {
namespace {

using WaitTest = RendererTest;

TEST_F(WaitTest, SleepsUntilItsEndInOnePass) {
  double s = 1.5;
  renderer.WaitSeconds(s);
  EXPECT_EQ(clock.pumps, std::vector<int>{1500});
}

TEST_F(WaitTest, LastsItsSecondsInShortPassesToo) {
  clock.step = 0.1f;
  double s = 1.5;
  renderer.WaitSeconds(s);
  EXPECT_GE(clock.now, 1001.5f);
  EXPECT_LT(clock.now, 1001.7f);
  EXPECT_LE(clock.pumps.front(), 1500);
}

TEST_F(WaitTest, NoWaitForZeroOrLessOrAnUnrepresentableEnd) {
  for (double s : {0.0, -2.0, 1e300, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(s);
    try {
      renderer.WaitSeconds(s);
    } catch (const tk::RuntimeError& e) {
      EXPECT_EQ(e.number(), tk::kOverflow);
    }
    EXPECT_TRUE(clock.pumps.empty());
  }
}

TEST_F(WaitTest, TheTickGoesOnWhenTheWaitFails) {
  state.m_StartupWait = 1e300;
  renderer.tmrRefresh_Timer();
  EXPECT_TRUE(clock.pumps.empty());
  EXPECT_EQ(state.ScrollY, 99);
}

TEST_F(WaitTest, ANewStartupWaitMovesTheEndAtOnce) {
  state.m_StartupWait = 60;
  clock.step = 0.1f;
  clock.on_pump = [&](int pump) {
    if (pump == 5) state.m_StartupWait = 0.3;  // a handler shortens it
  };
  renderer.tmrRefresh_Timer();
  EXPECT_EQ(clock.pumps.size(), 5u);

  TickerellState later = ScrollingState();
  later.m_StartupWait = 0.5;
  FakeClock lengthened;
  lengthened.step = 0.125f;
  lengthened.on_pump = [&](int pump) {
    if (pump == 2) later.m_StartupWait = 2;
  };
  Renderer r(later, *surface, host, lengthened);
  r.tmrRefresh_Timer();
  EXPECT_EQ(lengthened.pumps.size(), 16u);
}

TEST_F(WaitTest, AWaitAcrossMidnightEndsAfterItsSeconds) {
  for (float start : {86399.0f, 86400.0f - 1.5f, 86399.99f}) {
    SCOPED_TRACE(start);
    FakeClock c;
    c.now = start;
    c.step = 0.1f;
    c.on_pump = [&](int pump) {
      if (pump > 1000) host.closed = true;  // a whole day's wait would never end
    };
    double s = 1.5;
    Renderer r(state, *surface, host, c);
    r.WaitSeconds(s);
    EXPECT_FALSE(host.closed);
    EXPECT_GE(c.pumps.size(), 14u);
    EXPECT_LE(c.pumps.size(), 16u);
    EXPECT_LT(c.now, 2.0f);
    host.closed = false;
  }
}

TEST_F(WaitTest, EndsWhenTheHostLetsGo) {
  clock.step = 0.1f;
  clock.on_pump = [&](int pump) {
    if (pump == 3) host.closed = true;
  };
  double s = 60;
  renderer.WaitSeconds(s);
  EXPECT_EQ(clock.pumps.size(), 3u);
}

// The real clock: the wait sleeps in the event loop, runs events as they come and sees a
// new length at once.
TEST_F(WaitTest, TheSystemClockWaitRunsEventsAndEndsWhenShortened) {
  Renderer real(state, *surface, host);
  double s = 0.2;
  QElapsedTimer elapsed;
  elapsed.start();
  real.WaitSeconds(s);
  EXPECT_GE(elapsed.elapsed(), 150);

  s = 30;
  bool ran = false;
  QTimer::singleShot(50, [&] {
    ran = true;
    s = 0;
  });
  elapsed.restart();
  real.WaitSeconds(s);
  EXPECT_TRUE(ran);
  EXPECT_LT(elapsed.elapsed(), 10000);
}

}  // namespace
}  // namespace tickerell::testing
