#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "box_recorder.h"
#include "runtime/errors.h"
#include "test_form.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/screen.h"
#include "toolkit/ui/window_system.h"
#include "ui_driver.h"

namespace tk::testing {
namespace {

// A click as the window system delivers it, so a modal window can hold it back.
void SystemClick(QWidget* widget) {
  QWidget* top = widget->window();
  const QPoint p = widget->mapTo(top, widget->rect().center());
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
}

TEST(Form, LoadShowUnloadRunTheHandlersAndCancelKeepsTheWindow) {
  TestForm form;
  form.Load();
  form.Load();
  EXPECT_EQ(form.loads, 1);
  form.Show();
  EXPECT_TRUE(form.Window()->isVisible());
  EXPECT_EQ(form.ScaleWidth(), 6000);
  EXPECT_EQ(form.ScaleHeight(), 4500);
  form.cancel_unload = true;
  form.Unload();
  EXPECT_TRUE(form.IsLoaded());
  form.cancel_unload = false;
  form.Unload();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(form.unloads, 2);
  form.Show();  // loads afresh
  EXPECT_EQ(form.loads, 2);
  form.Unload();
}

TEST(Form, LabelRaisesChangeOnEveryCaptionAndSizesItselfToTheText) {
  TestForm form;
  form.Load();
  const int before = form.label_changes;
  form.label->SetCaption("Al");
  const double narrow = form.label->Width();
  form.label->SetCaption("A much longer name than that");
  const double wide = form.label->Width();
  form.label->SetCaption("A much longer name than that");
  EXPECT_EQ(form.label_changes, before + 3);
  EXPECT_GT(wide, narrow * 3);
  EXPECT_GT(narrow, 0);
  form.Unload();
}

TEST(Form, CheckBoxRaisesClickWhenItsValueChanges) {
  TestForm form;
  form.Show();
  form.check->SetValue(1);
  EXPECT_EQ(form.check->Value(), 1);
  QTest::mouseClick(form.check->Box(), Qt::LeftButton);
  EXPECT_EQ(form.check->Value(), 0);
  EXPECT_EQ(form.check_clicks, 2);
  form.Unload();
}

TEST(Form, ModalWindowBlocksTheOthersUntilItIsUnloaded) {
  TestForm owner;
  owner.Show();
  TestForm dialog;
  bool blocked = false;
  bool ran_after = false;
  QTimer::singleShot(50, [&] {
    blocked = QApplication::activeModalWidget() == dialog.Window();
    SystemClick(owner.button->Button());
    dialog.Unload();
  });
  dialog.Show(1);
  ran_after = true;
  EXPECT_TRUE(blocked);
  EXPECT_EQ(owner.button_clicks, 0);
  EXPECT_TRUE(ran_after);
  EXPECT_FALSE(dialog.IsLoaded());
  SystemClick(owner.button->Button());
  EXPECT_EQ(owner.button_clicks, 1);
  owner.Unload();
}

TEST(Form, UntrappedErrorInAHandlerIsShownAndTheProgramGoesOn) {
  BoxRecorder boxes;
  TestForm form;
  form.Show();
  form.button->Click = [] { Raise(kOverflow); };
  form.button->Button()->click();
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].text, "Run-time error '6':\r\rOverflow");
  EXPECT_EQ(boxes.messages[0].style, kCritical);
  form.button->Click = [&] { ++form.button_clicks; };
  form.button->Button()->click();
  EXPECT_EQ(form.button_clicks, 1);
  form.Unload();
}

class FixedForm : public TestForm {
 protected:
  void Describe() override {
    TestForm::Describe();
    Attributes().border = BorderStyle::kFixedSingle;
  }
};

// Where the window system places windows itself, its decorations may maximize any window,
// and one that keeps its size then ends the program; there a fixed window may grow.
TEST(Form, AFixedWindowKeepsItsSizeWhereTheProgramPlacesWindowsAndMayGrowWhereItCannot) {
  for (const bool places_windows : {true, false}) {
    SCOPED_TRACE(places_windows ? "windows placed by the program" : "placed by the compositor");
    OverrideWindowSystem(WindowSystemAbilities{places_windows, !places_windows});
    FixedForm form;
    form.Load();
    QWidget* w = form.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->minimumSize(), w->size());
    if (places_windows) {
      EXPECT_EQ(w->maximumSize(), w->size());
    } else {
      EXPECT_EQ(w->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }
    form.Unload();
    OverrideWindowSystem(std::nullopt);
  }
}

TEST(Form, TwipsFollowTheScreen) {
  EXPECT_EQ(TwipsPerPixelX(), 15);
  EXPECT_EQ(TwipsPerPixelY(), 15);
  EXPECT_GT(ScreenWidthTwips(), 0);
}

}  // namespace
}  // namespace tk::testing
