// Which of the game's windows the taskbar lists: the main window alone. The win window,
// Credits, the keyboard configuration window and every box are marked for taskbars and
// pagers to skip, each belongs to the main window, and icewm's taskbar shows one task.
#include <gtest/gtest.h>

#include <QWidget>
#include <functional>

#include "frmCredits.h"
#include "frmKeyboardConfig.h"
#include "frmWon.h"
#include "main_window.h"
#include "modMain.h"
#include "modal_look.h"
#include "runtime/prompts.h"
#include "toolkit/ui/qt_boxes.h"
#include "wm_frames.h"

namespace wm_test {
namespace {

constexpr char kSkipTaskbar[] = "_NET_WM_STATE_SKIP_TASKBAR";
constexpr char kSkipPager[] = "_NET_WM_STATE_SKIP_PAGER";

void ExpectListedAlone(const QWidget& main) {
  EXPECT_FALSE(WindowStates(main).contains(kSkipTaskbar)) << "the main window is listed";
  if (const auto tasks = IcewmTaskButtons()) {
    EXPECT_EQ(*tasks, 1) << "icewm lists " << *tasks << " tasks";
  }
}

void ExpectSkippedAndOwned(const QWidget& window, const QWidget& main) {
  const QStringList states = WindowStates(window);
  EXPECT_TRUE(states.contains(kSkipTaskbar)) << states.join(' ').toStdString();
  EXPECT_TRUE(states.contains(kSkipPager)) << states.join(' ').toStdString();
  EXPECT_EQ(TransientFor(window), main.winId()) << "it belongs to the main window";
  ExpectListedAlone(main);
}

TEST(TaskbarMarks, OnlyTheMainWindowIsListed) {
  frmMain& f = ShownMainWindow();
  QWidget& main = *f.Window();
  ExpectListedAlone(main);

  frmKeyboardConfig keyboard;  // the game never opens it, but its description holds
  const struct {
    const char* name;
    tk::Form& form;
    std::function<void()> open;
  } forms[] = {
      {"Credits", frmCredits::Instance(), [&] { f.FindMenu("mnuHelpAbout")->Action()->trigger(); }},
      {"win window", frmWon::Instance(), [] { frmWon::Instance().Show(1); }},
      {"keyboard configuration", keyboard, [&] { keyboard.Show(1); }},
  };
  for (const auto& w : forms) {
    SCOPED_TRACE(w.name);
    bool looked = false;
    LookWhileModal(w.form, w.open, [&](const Framed&) {
      looked = true;
      ExpectSkippedAndOwned(*w.form.Window(), main);
    });
    EXPECT_TRUE(looked);
  }

  tk::InstallQtBoxes();
  const struct {
    const char* name;
    std::function<void()> raise;
  } boxes[] = {
      {"message box", [] { tk::MsgBox("Invalid Move", tk::kCritical, "Invalid", "Game"); }},
      {"input box", [] { tk::InputBox("Enter Player 1's Name Here : ", "Name", "Ann", "Game"); }},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.name);
    EXPECT_TRUE(LookAtBox(b.raise, [&](QWidget& box, const Framed&) {
      ExpectSkippedAndOwned(box, main);
    })) << "no box was shown and framed";
  }
  tk::InstallPrompter({});
}

}  // namespace
}  // namespace wm_test
