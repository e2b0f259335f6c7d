#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <functional>

#include "test_form.h"
#include "ui_driver.h"

namespace tk::testing {
namespace {

class DragDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Load();
    form.Show();
  }
  void TearDown() override { form.Unload(); }

  // The left button goes down at `local` on the surface, then the pointer moves there.
  static void Press(ControlSurface& s, QPoint local) {
    QTest::mousePress(&s, Qt::LeftButton, Qt::NoModifier, local);
  }
  static void MoveTo(ControlSurface& s, QPoint local, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent move(QEvent::MouseMove, local, s.mapToGlobal(local), Qt::NoButton, held,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&s, &move);
  }
  // The outline's place on the screen, when it shows.
  static std::optional<QRect> OutlineOf(const ControlSurface& s) {
    const QWidget* outline = s.Outline();
    if (outline == nullptr || !outline->isVisible()) return std::nullopt;
    return outline->geometry();
  }

  TestForm form;
};

TEST_F(DragDropTest, TheOutlineHasTheSourcesSizeAndFollowsThePointerAtTheGrabOffset) {
  ControlSurface& s = form.sources[1]->Container();
  const QRect box = s.PixelBox(*form.sources[1]);
  const QPoint grab = box.topLeft() + QPoint(7, 5);
  EXPECT_FALSE(OutlineOf(s)) << "no outline before a drag";
  Press(s, grab);
  EXPECT_EQ(OutlineOf(s), QRect(s.mapToGlobal(box.topLeft()), box.size()))
      << "it starts around the source";
  // Within the window, to its edge, and beyond it: the outline goes wherever the pointer
  // goes, since it is drawn above every window.
  for (const QPoint to : {QPoint(300, 40), QPoint(0, 0), QPoint(-150, 600), QPoint(900, -80)}) {
    SCOPED_TRACE(::testing::PrintToString(std::make_pair(to.x(), to.y())));
    MoveTo(s, to);
    EXPECT_EQ(OutlineOf(s), QRect(s.mapToGlobal(to) - QPoint(7, 5), box.size()));
  }
  MoveTo(s, CentreOf(*form.targets[0]));
  QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, CentreOf(*form.targets[0]));
  EXPECT_FALSE(OutlineOf(s)) << "gone after the drop";
  ASSERT_EQ(form.drops.size(), 1u);
  EXPECT_EQ(form.drops[0].source_index, 2);

  // A drop on nothing takes it away too.
  Press(s, grab);
  ASSERT_TRUE(OutlineOf(s));
  MoveTo(s, QPoint(2, 2));
  QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_FALSE(OutlineOf(s));
  EXPECT_EQ(form.drops.size(), 1u);
}

TEST_F(DragDropTest, ADragThatLosesTheMouseEndsWithNoDropAndNoOutline) {
  ControlSurface& s = form.sources[0]->Container();
  QWidget other;
  other.resize(100, 100);
  const std::pair<const char*, std::function<void()>> losses[] = {
      {"a modal window opens",
       [&] {
         other.setWindowModality(Qt::ApplicationModal);
         other.show();
       }},
      {"another window becomes active",
       [&] {
         other.setWindowModality(Qt::NonModal);
         other.show();
         other.activateWindow();
         QTRY_VERIFY(!form.Window()->isActiveWindow());
       }},
      {"a menu takes the mouse",
       [&] {
         QEvent leave(QEvent::Leave);
         QCoreApplication::sendEvent(&s, &leave);
       }},
      {"the release went elsewhere", [&] { MoveTo(s, QPoint(30, 30), Qt::NoButton); }},
      {"the window hides", [&] { form.Window()->hide(); }},
  };
  for (const auto& [how, lose] : losses) {
    SCOPED_TRACE(how);
    form.Window()->show();
    form.Window()->activateWindow();
    QTRY_VERIFY(form.Window()->isActiveWindow());
    Press(s, CentreOf(*form.sources[0]));
    MoveTo(s, CentreOf(*form.targets[0]));
    ASSERT_TRUE(s.Dragging());
    ASSERT_TRUE(OutlineOf(s));
    lose();
    EXPECT_FALSE(s.Dragging());
    EXPECT_FALSE(OutlineOf(s));
    other.hide();
    // The button comes up over a target later on: nothing is dropped.
    QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, CentreOf(*form.targets[0]));
    EXPECT_TRUE(form.drops.empty());
  }
}

TEST_F(DragDropTest, DropRaisesTheTargetsEventWithTheSourcesNameAndIndex) {
  Drag(*form.sources[1], *form.targets[0]);
  Drag(*form.targets[0], *form.targets[1]);
  ASSERT_EQ(form.drops.size(), 2u);
  EXPECT_EQ(form.drops[0].target, "Target");
  EXPECT_EQ(form.drops[0].target_index, 1);
  EXPECT_EQ(form.drops[0].source, "Source");
  EXPECT_EQ(form.drops[0].source_index, 2);
  EXPECT_EQ(form.drops[1].source, "Target");
  EXPECT_EQ(form.drops[1].source_index, 1);
  EXPECT_EQ(form.drops[1].target_index, 2);
}

TEST_F(DragDropTest, AClickWithoutMovingDropsTheControlOnItself) {
  Click(*form.targets[1]);
  ASSERT_EQ(form.drops.size(), 1u);
  EXPECT_EQ(form.drops[0].source, "Target");
  EXPECT_EQ(form.drops[0].source_index, 2);
  EXPECT_EQ(form.drops[0].target_index, 2);
}

TEST_F(DragDropTest, HiddenControlStartsNoDragAndTakesNoDrop) {
  form.sources[0]->SetVisible(false);
  Drag(*form.sources[0], *form.targets[0]);
  EXPECT_TRUE(form.drops.empty());
  form.targets[1]->SetVisible(false);
  Drag(*form.sources[2], *form.targets[1]);
  EXPECT_TRUE(form.drops.empty());
  form.label->SetVisible(false);
  Click(*form.label);
  EXPECT_EQ(form.label_clicks, 0);
}

TEST_F(DragDropTest, DropOnAControlWithoutHandlerOrOnNothingDoesNothing) {
  Drag(*form.sources[0], *form.no_handler);
  Drag(*form.sources[0], *form.label);
  EXPECT_TRUE(form.drops.empty());
}

TEST_F(DragDropTest, ControlsOnTopTakeTheMouseFirst) {
  // The label lies in front of nothing here; a click raises its Click, not a drag.
  Click(*form.label);
  EXPECT_EQ(form.label_clicks, 1);
  EXPECT_TRUE(form.drops.empty());
}

}  // namespace
}  // namespace tk::testing
