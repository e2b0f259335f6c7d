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
    return QRect(outline->mapToGlobal(QPoint(0, 0)), outline->size());
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
  // goes, and the window cuts it off where it leaves.
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

// Pixels of two pictures of the same size that differ, within `area` of each.
int Changed(const QImage& a, const QImage& b, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST_F(DragDropTest, TheOutlineIsDrawnInTheSourcesWindowAboveItsControlsAndLetsThemShowInside) {
  QWidget* window = form.Window();
  ControlSurface& s = form.sources[0]->Container();
  const QRect box = s.PixelBox(*form.sources[0]);
  const QImage before = window->grab().toImage();
  Press(s, box.topLeft());
  // Its frame over the command button, a widget of its own, and over drawn controls.
  const QPoint to = form.button->Widget()->geometry().topLeft() + QPoint(6, 4);
  MoveTo(s, to);
  ASSERT_TRUE(OutlineOf(s));
  EXPECT_FALSE(s.Outline()->isWindow()) << "a window of its own cannot be placed everywhere";
  EXPECT_EQ(s.Outline()->window(), window);
  EXPECT_TRUE(s.Outline()->testAttribute(Qt::WA_TransparentForMouseEvents));

  const QImage during = window->grab().toImage();
  const QRect outline(s.mapTo(window, to), box.size());
  const QRect inside = outline.adjusted(2, 2, -2, -2);
  const QRect button(form.button->Widget()->mapTo(window, QPoint(0, 0)),
                     form.button->Widget()->size());
  EXPECT_EQ(Changed(during, before, inside), 0) << "what lies inside the frame shows";
  EXPECT_EQ(Changed(during, before, outline.adjusted(-3, -3, 3, 3)),
            Changed(during, before, outline))
      << "nothing changed around the frame";
  const QRect top_edge_on_button = QRect(outline.topLeft(), QSize(outline.width(), 2)) & button;
  EXPECT_GT(Changed(during, before, top_edge_on_button) * 2,
            top_edge_on_button.width() * top_edge_on_button.height())
      << "the frame shows above the button";
  QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, to);
  EXPECT_EQ(Changed(window->grab().toImage(), before, window->rect()), 0) << "no trace left";
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
