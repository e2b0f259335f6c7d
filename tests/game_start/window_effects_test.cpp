#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "modCapsNumScrollOnOff.h"
#include "modFrmAnim.h"
#include "runtime/errors.h"
#include "toolkit/ui/form.h"
#include "toolkit/ui/window_system.h"
#include "user32/user32.h"

namespace {

using namespace user32;

TEST(AnimateForm, EffectNumbersMapToTheirFlags) {
  const struct {
    std::int32_t effect;
    DWORD flags;
  } table[] = {
      {0, 0x50002}, {1, 0x10001}, {2, 0x10008},   {3, 0x10004},   {4, 0x10009},
      {5, 0x10006}, {6, 0x1000A}, {7, 0x10005},   {8, 0x10010},   {9, 0x60014},
      {10, 0},      {-1, 0},      {INT32_MIN, 0}, {INT32_MAX, 0}, {256, 0},
  };
  for (const auto& row : table)
    EXPECT_EQ(modFrmAnim::EffectFlags(row.effect), row.flags) << row.effect;
}

class SmallForm : public tk::Form {
 public:
  SmallForm() : Form("frmSmall") {}

 protected:
  void Describe() override {
    Attributes().caption = "Small";
    Attributes().client_width = 3000;
    Attributes().client_height = 2000;
  }
};

class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(AnimateForm, WithoutFlagsTheFormStaysAndIsRepaintedAllTheSame) {
  SmallForm form;
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
  const QRect placed = form.Window()->geometry();
  for (std::int32_t effect : {10, -1}) {
    SCOPED_TRACE(effect);
    PaintCounter counter;
    form.Window()->installEventFilter(&counter);
    // No animation runs: whenever the call lets events run, the form stands as it was.
    int moved_or_hidden = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      moved_or_hidden += !form.Window()->isVisible() || form.Window()->geometry() != placed;
    });
    watch.start(5);
    modFrmAnim::AnimateForm(form, effect, 300);
    watch.stop();
    form.Window()->removeEventFilter(&counter);
    EXPECT_EQ(moved_or_hidden, 0) << "an animation ran";
    EXPECT_TRUE(form.Window()->isVisible());
    EXPECT_EQ(form.Window()->geometry(), placed);
    EXPECT_GE(counter.paints, 1);
  }
  form.Unload();
}

TEST(AnimateForm, EffectEightHidesTheFormOverItsDuration) {
  SmallForm form;
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
  QElapsedTimer clock;
  clock.start();
  modFrmAnim::AnimateForm(form, 8, 300);
  EXPECT_GE(clock.elapsed(), 280);
  EXPECT_FALSE(form.Window()->isVisible());
  EXPECT_TRUE(form.IsLoaded());
  form.Unload();
}

// Answers for the window system that a test stands in, for as long as it lives.
class WindowSystemStandIn {
 public:
  explicit WindowSystemStandIn(tk::WindowSystemAbilities a) { tk::OverrideWindowSystem(a); }
  ~WindowSystemStandIn() { tk::OverrideWindowSystem(std::nullopt); }
  WindowSystemStandIn(const WindowSystemStandIn&) = delete;
  WindowSystemStandIn& operator=(const WindowSystemStandIn&) = delete;
};

constexpr tk::WindowSystemAbilities kCannotMoveWindows{false, true};

// The smallest rectangle holding every pixel of the picture that is not see-through.
QRect DrawnPart(const QImage& picture) {
  const QImage img = picture.convertToFormat(QImage::Format_ARGB32);
  QRect drawn;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(img.pixel(x, y)) != 0) drawn |= QRect(x, y, 1, 1);
  return drawn;
}

TEST(AnimateForm, WhereWindowsCannotMoveEffectEightShrinksItsPictureTowardsTheCentreInPlace) {
  WindowSystemStandIn system(kCannotMoveWindows);
  SmallForm form;
  form.Show();
  QWidget* w = form.Window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  const QRect placed = w->geometry();
  const QSize outer = w->frameGeometry().size();
  ASSERT_EQ(DrawnPart(w->grab().toImage()), w->rect()) << "drawn opaque before it closes";

  struct Sample {
    QRect geometry;
    QSize outer;
    QRect drawn;  // null once hidden
  };
  std::vector<Sample> samples;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    samples.push_back({w->geometry(), w->frameGeometry().size(),
                       w->isVisible() ? DrawnPart(w->grab().toImage()) : QRect()});
  });
  watch.start(10);
  QElapsedTimer clock;
  clock.start();
  modFrmAnim::AnimateForm(form, 8, 300);
  watch.stop();
  EXPECT_GE(clock.elapsed(), 280);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->geometry(), placed) << "ready to be shown again as it was";

  int shrunk = 0;
  for (const Sample& s : samples) {
    // The window is never moved; it may take its frame's room while it draws that too.
    EXPECT_EQ(s.geometry.topLeft(), placed.topLeft());
    EXPECT_EQ(s.outer, outer);
    if (s.drawn.isNull() || s.drawn.size() == s.geometry.size()) continue;
    ++shrunk;
    EXPECT_NEAR(s.drawn.center().x(), s.geometry.width() / 2, 2);
    EXPECT_NEAR(s.drawn.center().y(), s.geometry.height() / 2, 2);
    EXPECT_LT(s.drawn.width(), placed.width());
    EXPECT_LT(s.drawn.height(), placed.height());
  }
  // A loaded machine may let the watch run only a few times; once is enough.
  EXPECT_GE(shrunk, 1) << "the picture was seen part-way collapsed";
  form.Unload();
}

TEST(AnimateForm, WhereWindowsCannotMoveAndNoPictureCanBeDrawnEffectEightClosesAtOnce) {
  const struct {
    const char* what;
    tk::WindowSystemAbilities at_load, at_close;
  } cases[] = {
      {"nothing shows through a window", {false, false}, {false, false}},
      {"the window was made without an alpha channel", {}, kCannotMoveWindows},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<WindowSystemStandIn> system(std::in_place, c.at_load);
    SmallForm form;
    form.Show();
    QWidget* w = form.Window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    const QRect placed = w->geometry();
    system.emplace(c.at_close);
    int moved = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { moved += w->geometry() != placed; });
    watch.start(5);
    QElapsedTimer clock;
    clock.start();
    modFrmAnim::AnimateForm(form, 8, 3000);
    watch.stop();
    EXPECT_LT(clock.elapsed(), 2000) << "no animation of 3 seconds runs";
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(w->geometry(), placed);
    form.Unload();
  }
}

using KeyTable = std::array<std::uint8_t, 256>;

KeyTable ReadKeys() {
  KeyTable t{};
  GetKeyboardState(t.data());
  return t;
}

TEST(SetLockKeyOn, SetsOnlyThatKeyToToggledOnAndNotDown) {
  KeyTable keys{};
  keys[145] = 0x81;
  keys[20] = 0x80;
  keys[144] = 0x7F;  // every other bit set
  SetKeyboardState(keys.data());
  modCapsNumScrollOnOff::SetLockKeyOn(20);
  modCapsNumScrollOnOff::SetLockKeyOn(144);
  KeyTable expected = keys;
  expected[20] = 0x01;
  expected[144] = 0x01;
  EXPECT_EQ(ReadKeys(), expected);
  modCapsNumScrollOnOff::SetLockKeyOn(0);
  modCapsNumScrollOnOff::SetLockKeyOn(255);
  EXPECT_EQ(ReadKeys()[0], 0x01);
  EXPECT_EQ(ReadKeys()[255], 0x01);
}

TEST(SetLockKeyOn, KeyOutsideTheTableRaisesSubscriptOutOfRangeAndWritesNothing) {
  for (std::int32_t key : {256, -1, INT32_MIN}) {
    SCOPED_TRACE(key);
    KeyTable keys{};
    keys[144] = 0x80;
    keys[0] = 0x01;
    SetKeyboardState(keys.data());
    try {
      modCapsNumScrollOnOff::SetLockKeyOn(key);
      ADD_FAILURE() << "no error raised";
    } catch (const tk::RuntimeError& e) {
      EXPECT_EQ(e.number(), tk::kSubscriptOutOfRange);
    }
    EXPECT_EQ(ReadKeys(), keys);
  }
}

}  // namespace
