// The credits as the player sees them move: clicks pause and resume them where they
// stand, a click during the start-up wait stops them once the waiting tick has drawn, and
// every opening of the window starts again from the start-up position with its wait.
// Closing the window while the control waits closes it at once.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "about_fixture.h"
#include "toolkit/ui/application.h"

namespace about_test {
namespace {

// Far longer than a tick takes on the slowest machine, and far shorter than the minute-long
// start-up wait the cases set where they tell "at once" from "after the wait".
constexpr int kLongerThanAnyTickMs = 20000;

// Watches the control from a timer while the About window is open: when the first
// drawing has been made and the control has waited `after_ms` of its start-up wait, runs
// `act` once. Timers run inside the wait, since the control runs events while it waits.
class DuringStartupWait {
 public:
  DuringStartupWait(std::function<int()> current_ypos, int after_ms, std::function<void()> act)
      : current_ypos_(std::move(current_ypos)), after_ms_(after_ms), act_(std::move(act)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start(5);
  }
  bool done() const { return done_; }
  // Milliseconds since the first drawing was seen.
  qint64 SinceFirstDrawing() const { return first_drawing_.elapsed(); }

 private:
  void Poll() {
    if (done_ || !frmCredits::Instance().IsLoaded()) return;
    if (!first_drawing_.isValid()) {
      if (current_ypos_() == 100) first_drawing_.start();
      return;
    }
    if (first_drawing_.elapsed() < after_ms_) return;
    done_ = true;
    poll_.stop();
    act_();
  }

  std::function<int()> current_ypos_;
  int after_ms_;
  std::function<void()> act_;
  QTimer poll_;
  QElapsedTimer first_drawing_;
  bool done_ = false;
};

TEST_F(AboutWindowTest, ClicksPauseAndResumeWhereTheTextStands) {
  ChooseAbout([&] {
    // Past the start-up wait, the text rises.
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() == 100; }));
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() < 95; }));
    ClickControl();
    EXPECT_FALSE(Get(kScroll).ToBool());
    const int paused_at = CurrentYpos();
    const QImage paused = Shown();
    // A pause is nothing happening: give the control time in which it would have moved.
    QTest::qWait(300);
    EXPECT_EQ(CurrentYpos(), paused_at);
    EXPECT_EQ(Shown(), paused) << "nothing is drawn while paused";

    // On from where it stood: no new start at 100, and no new start-up wait, which a
    // minute long would outlast the wait below by far.
    Put(kStartupWait, com::Variant(60.0));
    ClickControl();
    EXPECT_TRUE(Get(kScroll).ToBool());
    int highest = paused_at;
    ASSERT_TRUE(PumpUntil(
        [&] {
          highest = std::max(highest, CurrentYpos());
          return CurrentYpos() <= paused_at - 5;
        },
        kLongerThanAnyTickMs));
    EXPECT_EQ(highest, paused_at);

    // And again: a third click stops it once more.
    ClickControl();
    EXPECT_FALSE(Get(kScroll).ToBool());
    const int second_pause = CurrentYpos();
    QTest::qWait(200);  // again time in which it would have moved
    EXPECT_EQ(CurrentYpos(), second_pause);
  });
}

TEST_F(AboutWindowTest, AClickDuringTheStartupWaitStopsTheTextOnceTheWaitingTickHasDrawn) {
  bool scroll_right_after_click = true;
  ChooseAbout([&] {
    DuringStartupWait click([&] { return CurrentYpos(); }, 200,
                            [&] {
                              ClickControl();
                              scroll_right_after_click = Get(kScroll).ToBool();
                              // A mark that only a drawing overwrites.
                              Put(kCurrentYpos, com::Variant(std::int32_t{5}));
                            });
    ASSERT_TRUE(PumpUntil([&] { return click.done(); }, 10000));
    // Scroll went off at the click, inside the wait.
    EXPECT_FALSE(scroll_right_after_click);
    // The waiting tick went on to draw at the start-up position once the wait was over...
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() != 5; }));
    EXPECT_EQ(CurrentYpos(), 100);
    EXPECT_FALSE(Get(kScroll).ToBool());
    // ...and no tick came after it: time in which a tick would have moved it.
    const QImage stopped = Shown();
    QTest::qWait(300);
    EXPECT_EQ(CurrentYpos(), 100);
    EXPECT_EQ(Shown(), stopped);

    // The next click lets it rise from there at once, with no new start-up wait (a minute
    // long now, to tell the two apart).
    Put(kStartupWait, com::Variant(60.0));
    ClickControl();
    EXPECT_TRUE(Get(kScroll).ToBool());
    int highest = 100;
    ASSERT_TRUE(PumpUntil(
        [&] {
          highest = std::max(highest, CurrentYpos());
          return CurrentYpos() <= 95;
        },
        kLongerThanAnyTickMs))
        << "no new start-up wait";
    EXPECT_EQ(highest, 100);
  });
}

TEST_F(AboutWindowTest, ReopeningStartsAgainAtTheStartupPositionWithTheWait) {
  ChooseAbout([&] {
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() == 100; }));
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() < 90; }));
  });
  ASSERT_FALSE(credits.IsLoaded());

  for (int opening = 1; opening <= 2; ++opening) {
    SCOPED_TRACE("opening " + std::to_string(opening));
    ChooseAbout([&] {
      // The first position drawn is the start-up position, and it stands for the wait.
      std::vector<int> seen;
      QElapsedTimer clock;
      qint64 first_at_100 = -1, first_above = -1;
      QTimer watch;
      QObject::connect(&watch, &QTimer::timeout, [&] {
        const int y = CurrentYpos();
        if (seen.empty() || seen.back() != y) seen.push_back(y);
        if (y == 100 && first_at_100 < 0) first_at_100 = clock.elapsed();
        if (y < 100 && first_at_100 >= 0 && first_above < 0) first_above = clock.elapsed();
      });
      clock.start();
      seen.push_back(CurrentYpos());  // before the control's first tick
      watch.start(5);
      ASSERT_TRUE(PumpUntil([&] { return seen.size() >= 2 && seen.back() < 95; }, 10000));
      watch.stop();
      ASSERT_GE(seen.size(), 2u);
      EXPECT_EQ(seen[0], 0) << "nothing drawn before the first tick";
      EXPECT_EQ(seen[1], 100);
      // Seen late, the start stands for less than the wait; only a long stall of this
      // loop would make it 0.5 s less.
      EXPECT_GE(first_above - first_at_100, 1000) << "the start-up wait of 1.5 s";
    });
  }
}

// Closing while the first tick waits: the window goes at once and the waiting tick draws
// nothing more on the control it no longer has. Both ways of closing run the unload
// handler: the close box and an Unload from code.
TEST_F(AboutWindowTest, ClosingDuringTheStartupWaitClosesAtOnce) {
  const struct {
    const char* how;
    std::function<void()> close;
  } cases[] = {
      {"close box", [&] { credits.Window()->close(); }},
      {"Unload", [&] { credits.Unload(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    QPointer<QWidget> surface, window;
    qint64 closed_at = -1;
    std::unique_ptr<DuringStartupWait> closer;
    // Set up once the window is open, and left to the modal loop.
    QTimer arm;
    arm.setSingleShot(true);
    QObject::connect(&arm, &QTimer::timeout, [&] {
      surface = Surface();
      window = credits.Window();
      // A wait of a minute, so that "at once" stands clear of its end however slowly
      // the machine runs.
      Put(kStartupWait, com::Variant(60.0));
      closer = std::make_unique<DuringStartupWait>([&] { return CurrentYpos(); }, 300,
                                                   [&] {
                                                     closed_at = closer->SinceFirstDrawing();
                                                     c.close();
                                                   });
    });
    arm.start(0);
    ChooseAbout(nullptr);
    ASSERT_TRUE(closer && closer->done()) << "the first drawing was never seen";
    const qint64 returned_at = closer->SinceFirstDrawing();
    EXPECT_LT(returned_at, kLongerThanAnyTickMs)
        << "Help > About returned " << returned_at - closed_at << " ms after the close";
    EXPECT_FALSE(credits.IsLoaded());
    EXPECT_TRUE(window.isNull() || !window->isVisible());

    // The closed window and its control go; the game runs on.
    EXPECT_TRUE(PumpUntil([&] { return surface.isNull() && window.isNull(); }))
        << "the closed window or its control is still there";
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_TRUE(main.Window()->isVisible());
    EXPECT_EQ(tk::LoadedWindowCount(), 1);
  }
  // And the window opens again as usual.
  ChooseAbout([&] { EXPECT_TRUE(PumpUntil([&] { return CurrentYpos() == 100; })); });
}

}  // namespace
}  // namespace about_test
