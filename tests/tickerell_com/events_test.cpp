// The control's events: raised from the base object's hooks through the connection
// point, by reference, to a sink of our own and to a window through the real host.
#include <gtest/gtest.h>

#include <QTest>

#include "box_recorder.h"
#include "com/connection_point.h"
#include "tickctl_test_support.h"

namespace tickctl_test {
namespace {

using com::Variant;

class EventsTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    form.stored = com::Make<com::MemoryPropertyBag>();
    form.before_create = [this](tk::ActiveXControl& c) {
      c.SetHandler("Tickerell1_click", [this](std::span<Variant>) {
        ++clicks;
        // As the About window does: toggle Scroll from inside the handler.
        form.Put(kScroll, Variant::Bool(!form.Get(kScroll).ToBool()));
      });
      c.SetHandler("Tickerell1_MouseDown", [](std::span<Variant> args) {
        ASSERT_EQ(args.size(), 4u);
        ASSERT_TRUE(args[0].is_byref());
        args[0].AssignThroughRef(Variant(std::int16_t{9}));
        args[3].AssignThroughRef(Variant(0.25f));
      });
    };
    form.Load();
    form.Show();
  }
  void TearDown() override {
    form.Unload();
    ModuleTest::TearDown();
  }

  tk::testing::BoxRecorder boxes;
  HostForm form;
  int clicks = 0;
};

TEST_F(EventsTest, AClickOnTheSurfaceReachesTheWindowWhichTogglesScroll) {
  tickerell::Tickerell& t = Peek(*form.Tickerell1);
  QWidget* surface = t.Surface().Widget();
  ASSERT_TRUE(surface);
  ASSERT_EQ(form.Get(kScroll).boolean(), com::VARIANT_TRUE);
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form.Get(kScroll).boolean(), com::VARIANT_FALSE);
  EXPECT_FALSE(t.RefreshTimer().Enabled());
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(t.RefreshTimer().Enabled());
}

TEST_F(EventsTest, ADoubleClickRaisesOneClickBetweenItsTwoMouseUps) {
  auto sink = com::Make<com::EventSink>();
  std::vector<com::DISPID> seen;
  for (com::DISPID id : {1, 2, 3, 5})
    sink->On(id, [&seen, id](std::span<Variant>) { seen.push_back(id); });
  com::IDispatch* control = form.Tickerell1->Inner();
  const std::uint32_t cookie = com::Advise(control, kEventsIid, sink.get());
  // What the window system delivers for a double click: press, release, double click,
  // release.
  QWidget* surface = Peek(*form.Tickerell1).Surface().Widget();
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseDClick(surface, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(10, 10));
  const std::vector<com::DISPID> expected = {3, 5, 1, 2, 5};  // MouseDown ... MouseUp
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(clicks, 1);  // the window toggled Scroll once
  // The next click is a click again.
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 10), 600);
  EXPECT_EQ(clicks, 2);
  com::Unadvise(control, kEventsIid, cookie);
}

TEST_F(EventsTest, AHandlersChangeComesBackIntoTheBaseObjectsVariables) {
  tk::UserControl& surface = Peek(*form.Tickerell1).Surface();
  std::int16_t button = 1, shift = 0;
  float x = 3, y = 4;
  surface.MouseDown(button, shift, x, y);
  EXPECT_EQ(button, 9);
  EXPECT_EQ(y, 0.25f);
  EXPECT_EQ(shift, 0);
  EXPECT_EQ(x, 3.0f);
}

TEST_F(EventsTest, EveryEventGoesToEverySinkWithItsIdentifierAndArguments) {
  auto sink = com::Make<com::EventSink>();
  std::vector<std::pair<com::DISPID, std::size_t>> seen;
  for (com::DISPID id = 1; id <= 9; ++id)
    sink->On(id, [&seen, id](std::span<Variant> args) {
      for (const Variant& a : args) EXPECT_TRUE(a.is_byref()) << id;
      seen.emplace_back(id, args.size());
      if (id == 7) args[0].AssignThroughRef(Variant(std::int16_t{'Z'}));
    });
  com::IDispatch* control = form.Tickerell1->Inner();
  const std::uint32_t cookie = com::Advise(control, kEventsIid, sink.get());

  tk::UserControl& s = Peek(*form.Tickerell1).Surface();
  std::int16_t a = 1, b = 0, key = 'a';
  float x = 0, y = 0;
  s.Click();
  s.DblClick();
  s.MouseDown(a, b, x, y);
  s.MouseMove(a, b, x, y);
  s.MouseUp(a, b, x, y);
  s.KeyDown(a, b);
  s.KeyPress(key);
  s.KeyUp(a, b);
  s.Paint();
  EXPECT_EQ(key, 'Z');
  const std::vector<std::pair<com::DISPID, std::size_t>> expected = {
      {1, 0}, {2, 0}, {3, 4}, {4, 4}, {5, 4}, {6, 2}, {7, 1}, {8, 2}, {9, 0}};
  EXPECT_EQ(seen, expected);

  com::Unadvise(control, kEventsIid, cookie);
  s.Click();
  EXPECT_EQ(seen.size(), expected.size());
  // Only the control's own event interface is offered.
  EXPECT_EQ(ErrorOf([&] { com::Advise(control, kIid, sink.get()); }), 440);
}

}  // namespace
}  // namespace tickctl_test
