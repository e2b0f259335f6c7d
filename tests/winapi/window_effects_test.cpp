#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "toolkit/ui/window_system.h"
#include "user32/user32.h"

namespace {

using namespace user32;

HWND Handle(QWidget& w) {
  return static_cast<void*>(&w);
}

// Samples a value every few milliseconds while a call runs its own event loop.
template <class F>
class Sampler {
 public:
  explicit Sampler(F f) : f_(f) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { samples_.push_back(f_()); });
    timer_.start(5);
  }
  const auto& samples() const { return samples_; }

 private:
  F f_;
  QTimer timer_;
  std::vector<decltype(std::declval<F>()())> samples_;
};

class WindowEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.setGeometry(full_);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  QWidget window_;
  const QRect full_{200, 150, 300, 200};
};

TEST_F(WindowEffects, CollapseShrinksTowardsTheCentreForItsDurationAndHides) {
  window_.setMinimumSize(250, 150);  // the animation is not held up by size limits
  Sampler sampler([this] { return window_.geometry(); });
  QElapsedTimer clock;
  clock.start();
  EXPECT_NE(AnimateWindow(Handle(window_), 300, AW_HIDE | AW_CENTER), 0);
  const qint64 elapsed = clock.elapsed();

  EXPECT_GE(elapsed, 280);
  EXPECT_LT(elapsed, 20000) << "the animation does not end";
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(window_.geometry(), full_) << "ready to be shown again as it was";
  EXPECT_EQ(window_.minimumSize(), QSize(250, 150));

  int shrunk = 0;
  for (const QRect& r : sampler.samples()) {
    EXPECT_NEAR(r.center().x(), full_.center().x(), 2);
    EXPECT_NEAR(r.center().y(), full_.center().y(), 2);
    if (r.width() < 200 && r.height() < 120) ++shrunk;
  }
  // A loaded machine may let the sampler run only a few times; once is enough.
  EXPECT_GE(shrunk, 1) << "the window was seen part-way collapsed";
}

TEST_F(WindowEffects, RollsKeepTheEdgeTheMotionEndsAt) {
  const struct {
    const char* what;
    DWORD flags;
    bool keeps_left, keeps_top;
    bool horizontal, vertical;
  } cases[] = {
      {"left to right", AW_HIDE | AW_HOR_POSITIVE, false, true, true, false},
      {"bottom to top, sliding", AW_HIDE | AW_SLIDE | AW_VER_NEGATIVE, true, true, false, true},
      {"up and right", AW_HIDE | AW_VER_NEGATIVE | AW_HOR_POSITIVE, false, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    window_.setGeometry(full_);
    window_.show();
    Sampler sampler([this] { return window_.geometry(); });
    EXPECT_NE(AnimateWindow(Handle(window_), 150, c.flags), 0);
    EXPECT_FALSE(window_.isVisible());
    // Every sample taken part-way rolled keeps the edges; how many there are depends on
    // how busy the machine is, so any one will do.
    int rolled = 0;
    for (const QRect& r : sampler.samples()) {
      if (r == full_) continue;
      ++rolled;
      if (c.horizontal) {
        EXPECT_LT(r.width(), full_.width());
        if (c.keeps_left)
          EXPECT_EQ(r.left(), full_.left());
        else
          EXPECT_EQ(r.right(), full_.right());
      } else {
        EXPECT_EQ(r.width(), full_.width());
      }
      if (c.vertical) {
        EXPECT_LT(r.height(), full_.height());
        if (c.keeps_top)
          EXPECT_EQ(r.top(), full_.top());
        else
          EXPECT_EQ(r.bottom(), full_.bottom());
      } else {
        EXPECT_EQ(r.height(), full_.height());
      }
    }
    EXPECT_GE(rolled, 1) << "the window was never seen part-way rolled";
  }
}

TEST_F(WindowEffects, ShowingGrowsFromTheCentreAndFadingRestoresOpacity) {
  window_.hide();
  EXPECT_NE(
      AnimateWindow(Handle(window_), 100, AW_ACTIVATE | AW_SLIDE | AW_CENTER | AW_VER_POSITIVE), 0);
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(window_.geometry(), full_);

  EXPECT_NE(AnimateWindow(Handle(window_), 100, AW_HIDE | AW_BLEND), 0);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_DOUBLE_EQ(window_.windowOpacity(), 1.0);
}

TEST_F(WindowEffects, RefusedCallsDoNothing) {
  int not_a_window = 0;
  struct Case {
    const char* what;
    HWND hwnd;
    DWORD flags;
  } cases[] = {
      {"null handle", nullptr, AW_HIDE | AW_CENTER},
      {"made-up handle", &not_a_window, AW_HIDE | AW_CENTER},
      {"no flags", Handle(window_), 0},
      {"unknown flag", Handle(window_), AW_HIDE | 0x100},
      {"hide and activate together", Handle(window_), AW_HIDE | AW_ACTIVATE | AW_CENTER},
      {"showing a visible window", Handle(window_), AW_ACTIVATE | AW_CENTER},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Whenever the call lets events run, the window stands as it was: nothing animates.
    Sampler sampler([this] { return window_.isVisible() ? window_.geometry() : QRect(); });
    EXPECT_EQ(AnimateWindow(c.hwnd, 300, c.flags), 0);
    for (const QRect& r : sampler.samples()) EXPECT_EQ(r, full_);
    EXPECT_TRUE(window_.isVisible());
    EXPECT_EQ(window_.geometry(), full_);
  }
  window_.hide();
  EXPECT_EQ(AnimateWindow(Handle(window_), 300, AW_HIDE | AW_CENTER), 0) << "already hidden";
}

TEST(CaptionAnimation, StripFliesThenLeavesNoWindowBehind) {
  const QWidgetList before = QApplication::topLevelWidgets();
  RECT corner{}, box{};
  ASSERT_NE(SetRect(&corner, 1024, 768, 1024, 768), 0);
  ASSERT_NE(SetRect(&box, 0, 0, 300, 300), 0);
  EXPECT_EQ(box.Right, 300);
  EXPECT_EQ(box.Bottom, 300);

  Sampler sampler([&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (!before.contains(w) && w->isVisible()) return w->geometry();
    return QRect();
  });
  QElapsedTimer clock;
  clock.start();
  EXPECT_NE(DrawAnimatedRects(nullptr, IDANI_CAPTION, &corner, &box), 0);
  EXPECT_GE(clock.elapsed(), 180);
  EXPECT_LT(clock.elapsed(), 20000) << "the flight does not end";

  QRect last_seen;
  for (const QRect& r : sampler.samples())
    if (!r.isNull()) last_seen = r;
  ASSERT_FALSE(last_seen.isNull()) << "a strip was on the screen during the flight";
  EXPECT_LT(last_seen.left(), 1024);
  EXPECT_LT(last_seen.top(), 768);
  EXPECT_EQ(QApplication::topLevelWidgets(), before);
}

TEST(CaptionAnimation, WhereWindowsCannotBePlacedNoStripIsDrawn) {
  tk::OverrideWindowSystem(tk::WindowSystemAbilities{false, true});
  const QWidgetList before = QApplication::topLevelWidgets();
  int strips = 0;
  Sampler sampler([&] { return strips += QApplication::topLevelWidgets() != before; });
  RECT corner{1024, 768, 1024, 768}, box{0, 0, 300, 300};
  EXPECT_NE(DrawAnimatedRects(nullptr, IDANI_CAPTION, &corner, &box), 0);
  tk::OverrideWindowSystem(std::nullopt);
  EXPECT_EQ(strips, 0) << "a window the window system would have put anywhere";
  EXPECT_EQ(QApplication::topLevelWidgets(), before);
}

TEST(CaptionAnimation, OtherKindsAndNullRectanglesAreRefused) {
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(DrawAnimatedRects(nullptr, 0, &r, &r), 0);
  EXPECT_EQ(DrawAnimatedRects(nullptr, 4, &r, &r), 0);
  EXPECT_EQ(DrawAnimatedRects(nullptr, IDANI_CAPTION, nullptr, &r), 0);
  EXPECT_EQ(SetRect(nullptr, 1, 2, 3, 4), 0);
}

}  // namespace
