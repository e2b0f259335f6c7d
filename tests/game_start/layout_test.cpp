#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QMenuBar>
#include <QWidget>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "runtime/errors.h"
#include "toolkit/ui/surface.h"
#include "ui_driver.h"

namespace game_start_testing {
namespace {

class Layout : public MainWindowTest {};

struct Placed {
  const char* name;
  int index;
  double left, top, width, height;  // twips
};

// Every control of the window at its designed place. The name tiles and labels are
// placed here too, but sized by the names they carry.
const Placed kPlaces[] = {
    {"Frame2", -1, 0, 0, 6255, 6735},
    {"Image1", -1, 0, 0, 6255, 6735},
    {"shpRect", -1, 720, 840, 4815, 4095},
    {"ButtonLocation", 1, 360, 480, 735, 735},
    {"ButtonLocation", 2, 2760, 480, 735, 735},
    {"ButtonLocation", 3, 5160, 480, 735, 735},
    {"ButtonLocation", 4, 360, 2520, 735, 735},
    {"ButtonLocation", 5, 2760, 2520, 735, 735},
    {"ButtonLocation", 6, 5160, 2520, 735, 735},
    {"ButtonLocation", 7, 360, 4560, 735, 735},
    {"ButtonLocation", 8, 2760, 4560, 735, 735},
    {"ButtonLocation", 9, 5160, 4560, 735, 735},
    {"shpCircle", 0, 360, 480, 735, 735},
    {"shpCircle", 1, 2760, 480, 735, 735},
    {"shpCircle", 2, 5160, 480, 735, 735},
    {"shpCircle", 3, 360, 2520, 735, 735},
    {"shpCircle", 4, 2760, 2520, 735, 735},
    {"shpCircle", 5, 5160, 2520, 735, 735},
    {"shpCircle", 6, 360, 4560, 735, 735},
    {"shpCircle", 7, 2760, 4560, 735, 735},
    {"shpCircle", 8, 5160, 4560, 735, 735},
    {"Player1sButtonAvailable", 1, 1920, 5520, 615, 495},
    {"Player1sButtonAvailable", 2, 2760, 5520, 615, 495},
    {"Player1sButtonAvailable", 3, 3600, 5520, 615, 495},
    {"Player2sButtonAvailable", 1, 1920, 6120, 615, 495},
    {"Player2sButtonAvailable", 2, 2760, 6120, 615, 495},
    {"Player2sButtonAvailable", 3, 3600, 6120, 615, 495},
    {"imgPlayer1", -1, 120, 5520, -1, 495},
    {"imgPlayer2", -1, 120, 6120, -1, 495},
    {"lblPlayer1", -1, 120, 5640, -1, -1},
    {"lblPlayer2", -1, 120, 6240, -1, -1},
    {"chkFirtsMovePlayer1", -1, 4440, 6480, 1815, 255},
    {"Label1", -1, 5160, 5880, 1335, 1335},
};

TEST_F(Layout, EveryControlSitsWhereTheWindowDescribesIt) {
  EXPECT_EQ(form.ScaleWidth(), 6255);
  EXPECT_EQ(form.ScaleHeight(), 6705);
  EXPECT_EQ(form.Client().size(), QSize(417, 447));
  for (const Placed& p : kPlaces) {
    SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
    const tk::Control* c = form.FindControl(p.name, p.index);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Left(), p.left);
    EXPECT_EQ(c->Top(), p.top);
    if (p.width >= 0) {
      EXPECT_EQ(c->Width(), p.width);
    }
    if (p.height >= 0) {
      EXPECT_EQ(c->Height(), p.height);
    }
  }
  // The frame reaches 2 pixels below the client area; the texture covers it all.
  EXPECT_EQ(static_cast<tk::WidgetControl&>(*form.Frame2).Widget()->geometry(),
            QRect(0, 0, 417, 449));
  EXPECT_EQ(form.Frame2->Surface().RectOf(*form.Image1), QRectF(0, 0, 417, 449));
  // The tiles take the wider of the two names.
  EXPECT_EQ(form.imgPlayer1->Width(), form.imgPlayer2->Width());
  EXPECT_EQ(form.imgPlayer1->Width(), std::max(form.lblPlayer1->Width(), form.lblPlayer2->Width()));
}

TEST_F(Layout, LinesJoinTheCentreToTheOtherLocations) {
  const double ends[8][4] = {
      {3360, 2640, 5280, 1080}, {960, 4680, 2880, 3120},  {2880, 2640, 960, 1080},
      {3360, 3120, 5280, 4680}, {3120, 2520, 3120, 1200}, {3120, 4560, 3120, 3240},
      {1080, 2880, 2760, 2880}, {3480, 2880, 5160, 2880},
  };
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    const tk::Line& l = form.Line1(k);
    EXPECT_EQ(l.X1(), ends[k][0]);
    EXPECT_EQ(l.Y1(), ends[k][1]);
    EXPECT_EQ(l.X2(), ends[k][2]);
    EXPECT_EQ(l.Y2(), ends[k][3]);
  }
  EXPECT_THROW(form.Line1(8), tk::RuntimeError);
  EXPECT_THROW(form.shpCircle(-1), tk::RuntimeError);
  EXPECT_THROW(form.ButtonLocation(0), tk::RuntimeError);
  EXPECT_THROW(form.Player1sButtonAvailable(4), tk::RuntimeError);
}

std::string Id(const tk::Control& c) {
  return c.Index() < 0 ? c.Name() : c.Name() + "(" + std::to_string(c.Index()) + ")";
}

// The trays lie in front of the names and tiles, so a long name runs beneath them.
TEST_F(Layout, StackingOrderFrontToBack) {
  std::vector<std::string> expected = {"chkFirtsMovePlayer1"};
  for (const char* t :
       {"Player2sButtonAvailable(2)", "Player1sButtonAvailable(2)", "Player2sButtonAvailable(3)",
        "Player1sButtonAvailable(3)", "Player2sButtonAvailable(1)", "Player1sButtonAvailable(1)"})
    expected.push_back(t);
  for (const char* t : {"lblPlayer1", "lblPlayer2", "imgPlayer2", "imgPlayer1", "Label1"})
    expected.push_back(t);
  for (int n = 9; n >= 1; --n) expected.push_back("ButtonLocation(" + std::to_string(n) + ")");
  for (int k : {2, 4, 7, 1, 0, 3, 5, 6, 8})
    expected.push_back("shpCircle(" + std::to_string(k) + ")");
  for (int k = 0; k < 8; ++k) expected.push_back("Line1(" + std::to_string(k) + ")");
  expected.push_back("shpRect");
  expected.push_back("Image1");

  std::vector<std::string> actual;
  for (const tk::Control* c : form.Frame2->Surface().Controls()) actual.push_back(Id(*c));
  EXPECT_EQ(actual, expected);
  ASSERT_EQ(form.Client().Controls().size(), 1u);
  EXPECT_EQ(form.Client().Controls()[0], form.Frame2);
}

TEST_F(Layout, WhatThePointerFindsFollowsTheStacking) {
  tk::ControlSurface& board = form.Frame2->Surface();
  const auto at = [&](QPointF px) {
    const tk::Control* c = board.HitTest(px);
    return c ? Id(*c) : std::string("nothing");
  };
  EXPECT_EQ(at(tk::testing::CentreOf(form.ButtonLocation(5))), "ButtonLocation(5)")
      << "an empty location lies over its circle";
  EXPECT_EQ(at(tk::testing::CentreOf(*form.lblPlayer1)), "lblPlayer1");
  EXPECT_EQ(at(QPointF(12, 398)), "imgPlayer1") << "below the name";
  EXPECT_EQ(at(QPointF(400, 410)), "Image1") << "the hidden Label1 takes no mouse";
  EXPECT_EQ(at(QPointF(208, 120)), "Image1") << "lines take no mouse";
}

TEST_F(Layout, PointersAndToolTips) {
  const auto hot_spot = [](const tk::Control& c) {
    return c.MouseIcon() ? c.MouseIcon()->hotSpot() : QPoint(-1, -1);
  };
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(hot_spot(form.ButtonLocation(n)), QPoint(16, 14));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(hot_spot(form.Player1sButtonAvailable(i)), QPoint(16, 14));
    EXPECT_EQ(hot_spot(form.Player2sButtonAvailable(i)), QPoint(16, 14));
    EXPECT_EQ(form.Player1sButtonAvailable(i).ToolTipText(), "Player 1's Buttons");
    EXPECT_EQ(form.Player2sButtonAvailable(i).ToolTipText(), "Player 2's Buttons");
  }
  EXPECT_EQ(hot_spot(*form.lblPlayer1), QPoint(12, 1));
  EXPECT_EQ(hot_spot(*form.lblPlayer2), QPoint(12, 1));
  for (const tk::Control* c :
       {static_cast<tk::Control*>(form.imgPlayer1), static_cast<tk::Control*>(form.imgPlayer2),
        static_cast<tk::Control*>(form.Image1), static_cast<tk::Control*>(form.Label1)})
    EXPECT_FALSE(c->MouseIcon().has_value()) << c->Name();
  EXPECT_EQ(form.chkFirtsMovePlayer1->ToolTipText(),
            "If Selected First move will be Given to Player 1.");
}

TEST_F(Layout, DragSourcesAreTheLocationsAndTraysOnly) {
  for (const auto& c : form.Controls()) {
    const bool source =
        c->Name() == "ButtonLocation" || c->Name().find("sButtonAvailable") != std::string::npos;
    EXPECT_EQ(c->DragAutomatic(), source) << Id(*c);
  }
}

TEST_F(Layout, CheckBoxLabelsAndTheHiddenDiagnosticLabel) {
  EXPECT_EQ(form.chkFirtsMovePlayer1->Value(), 1);
  EXPECT_EQ(form.chkFirtsMovePlayer1->Box()->text().toStdString(), "First Move : Player 1");
  EXPECT_FALSE(form.Label1->Visible());
  EXPECT_TRUE(form.lblPlayer1->AutoSize());
  EXPECT_TRUE(form.lblPlayer1->Font().bold);
  EXPECT_EQ(form.lblPlayer1->Font().name, "MS Sans Serif");
  EXPECT_EQ(form.lblPlayer1->Caption(), "Player 1");
  EXPECT_EQ(form.lblPlayer2->Caption(), "Player 2");
}

TEST_F(Layout, MenusWithTheirAccessKeys) {
  const struct {
    const char* name;
    const char* caption;
    char key;
    bool enabled;
  } menus[] = {
      {"mnuGame", "&Game", 'G', true},
      {"mnuFileNewGame", "&New Game", 'N', true},
      {"mnuFileExit", "E&xit", 'X', true},
      {"mnuHelp", "&Help", 'H', true},
      {"mnuHelpHowToPlay", "&How To Play", 'H', true},
      {"mnuHelpKeyBoardConfiguration", "&Keyboard Configuration", 'K', false},
      {"mnuHelpAbout", "&About", 'A', true},
  };
  for (const auto& m : menus) {
    SCOPED_TRACE(m.name);
    const tk::MenuItem* item = form.FindMenu(m.name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption(), m.caption);
    EXPECT_EQ(QKeySequence::mnemonic(QString::fromUtf8(m.caption)),
              QKeySequence(Qt::ALT | Qt::Key(m.key)));
    EXPECT_EQ(item->Enabled(), m.enabled);
    EXPECT_TRUE(item->Action()->shortcut().isEmpty());
  }
  // The two top menus in order on the bar, their items in order below them.
  const QList<QAction*> bar = form.Window()->findChild<QMenuBar*>()->actions();
  ASSERT_EQ(bar.size(), 2);
  EXPECT_EQ(bar[0], form.FindMenu("mnuGame")->Action());
  EXPECT_EQ(bar[1], form.FindMenu("mnuHelp")->Action());
  const QList<QAction*> help = form.FindMenu("mnuHelp")->Menu()->actions();
  ASSERT_EQ(help.size(), 3);
  EXPECT_EQ(help[1], form.FindMenu("mnuHelpKeyBoardConfiguration")->Action());
}

TEST_F(Layout, WindowAttributes) {
  QWidget* w = form.Window();
  const Qt::WindowFlags flags = w->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_NE(w->minimumSize(), w->maximumSize()) << "sizable";
  EXPECT_FALSE(w->windowIcon().isNull());
  EXPECT_EQ(w->parentWidget(), nullptr) << "no owner, in the taskbar";
}

}  // namespace
}  // namespace game_start_testing
