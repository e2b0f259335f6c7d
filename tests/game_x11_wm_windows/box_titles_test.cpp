// The message and input boxes the game raises, under a window manager that draws the
// window's icon and three buttons in every title bar: each box is wide enough for its
// whole title beside them, with its text whole and its buttons inside.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "main_window.h"
#include "modMain.h"
#include "modal_look.h"
#include "runtime/app_info.h"
#include "runtime/errors.h"
#include "runtime/prompts.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/qt_boxes.h"
#include "wm_frames.h"

namespace wm_test {
namespace {

// What the title bar needs for the whole title: the title in a bold title font, and the
// window's icon and three buttons, each no wider than the bar is tall, between the
// frame's side borders. The window manager centres the title on the bar, so the room the
// three buttons take on one side is lost on the other as well.
int TitleBarNeeds(const QString& title, const QMargins& frame) {
  QFont bold = QApplication::font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(title) + 2 * 3 * frame.top() + frame.left() +
         frame.right();
}

struct Seen {
  QString title;
  Framed framed;
  bool text_whole = true;
  bool buttons_inside = true;
};

// Raises a box with `raise`; once it is framed on the screen, looks at it and closes it.
std::optional<Seen> SeeBox(const std::function<void()>& raise) {
  std::optional<Seen> seen;
  wm_test::LookAtBox(raise, [&](QWidget& box, const Framed& framed) {
    seen = Seen{box.windowTitle(), framed};
    const auto text_whole = [&] {
      for (const QLabel* l : box.findChildren<QLabel*>()) {
        if (l->isVisible() && !l->text().isEmpty() && l->width() < l->sizeHint().width())
          return false;
      }
      return true;
    };
    const auto buttons_inside = [&] {
      for (const QPushButton* b : box.findChildren<QPushButton*>()) {
        if (!box.rect().contains(QRect(b->mapTo(&box, QPoint(0, 0)), b->size()))) return false;
      }
      return true;
    };
    // A box widened for its title lays itself out again once the manager has framed it;
    // under load that can come a little after the frame.
    (void)QTest::qWaitFor([&] { return text_whole() && buttons_inside(); }, 2000);
    seen->text_whole = text_whole();
    seen->buttons_inside = buttons_inside();
  });
  return seen;
}

TEST(BoxTitles, EachBoxTheGameRaisesShowsItsWholeTitle) {
  ShownMainWindow();
  tk::SetAppTitle(modMain::kAppTitle);
  tk::InstallQtBoxes();
  const struct {
    const char* title;
    std::function<void()> raise;
  } boxes[] = {
      {"Invalid", [] { tk::MsgBox("Invalid Move", tk::kCritical, "Invalid", modMain::kAppTitle); }},
      {"Invalid",
       [] { tk::MsgBox("Ann\rInvalid Move", tk::kExclamation, "Invalid", modMain::kAppTitle); }},
      {"Game Korvane#2",
       [] { tk::MsgBox("It is Player 2's Move.", tk::kCritical, {}, modMain::kAppTitle); }},
      {"Game Korvane#2", [] { tk::RunHandler([] { tk::Raise(tk::kOverflow); }); }},
      {"New Game",
       [] {
         tk::MsgBox("Quit Current Game ?", tk::kQuestion | tk::kYesNo, "New Game",
                    modMain::kAppTitle);
       }},
      {"Player 1's Name",
       [] {
         tk::InputBox("Enter Player 1's Name Here : ", "Player 1's Name", "Player 1",
                      modMain::kAppTitle);
       }},
      {"Player 2's Name",
       [] {
         tk::InputBox("Enter Player 2's Name Here : ", "Player 2's Name", "Player 2",
                      modMain::kAppTitle);
       }},
      {"Error",
       [] {
         tk::MsgBox("Error in Opening /opt/game/Help/korvane2.html", tk::kCritical, "Error",
                    modMain::kAppTitle);
       }},
      {"prjTickerell",
       [] { tk::MsgBox("File script\rNot Found", tk::kCritical, {}, "prjTickerell"); }},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.title);
    const auto seen = SeeBox(b.raise);
    ASSERT_TRUE(seen) << "no box was shown and framed";
    EXPECT_EQ(seen->title, b.title);
    if (WindowManagerRunning()) {
      EXPECT_GE(seen->framed.frame.top(), 10) << "the box has a title bar";
    }
    EXPECT_GE(seen->framed.Outer().width(), TitleBarNeeds(seen->title, seen->framed.frame));
    EXPECT_TRUE(seen->text_whole);
    EXPECT_TRUE(seen->buttons_inside);
  }
  tk::InstallPrompter({});
}

}  // namespace
}  // namespace wm_test
