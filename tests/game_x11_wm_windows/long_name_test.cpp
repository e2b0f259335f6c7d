// A long player name under a window manager, played with the X pointer: the name runs
// beneath the trays, so each of the player's tray buttons still starts its drag and
// places, and a click on the part of the name that shows still renames him.
#include <gtest/gtest.h>

#include <QTest>

#include "box_recorder.h"
#include "main_window.h"
#include "modMain.h"
#include "toolkit/ui/surface.h"
#include "x_desktop.h"

namespace wm_test {
namespace {

// 38 characters: in the name font, well over the 120 pixels from the tile to the trays.
constexpr const char* kLongName = "The Unbeatable Champion of Every Board";

QPoint CentreOnScreen(const tk::Control& c) {
  return OnScreen(c, c.Container().RectOf(c).center());
}

// Just inside the start of the name, where the name is written on the tile.
QPoint NameStartOnScreen(const tk::Label& name) {
  const QRectF r = name.Container().RectOf(name);
  return OnScreen(name, QPointF(r.left() + 4, r.center().y()));
}

void ClickAt(QPoint p) {
  ASSERT_TRUE(x11play::Xdotool(
      {"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"}));
}

TEST(LongName, TraysStillPlaceAndTheVisibleNameStillRenames) {
  frmMain& f = ShownMainWindow();
  tk::testing::BoxRecorder boxes;
  f.FindMenu("mnuFileNewGame")->Action()->trigger();  // the recorder says Yes if asked
  ASSERT_EQ(f.chkFirtsMovePlayer1->Value(), 1) << "player 1 moves first";

  boxes.input_answers.push_back(kLongName);
  ClickAt(NameStartOnScreen(*f.lblPlayer1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.lblPlayer1->Caption() == kLongName; }));
  // The name and both tiles now reach across the first two trays of each player.
  tk::ControlSurface& board = f.Frame2->Surface();
  ASSERT_GT(board.RectOf(*f.lblPlayer1).right(),
            board.RectOf(f.Player1sButtonAvailable(2)).right());
  ASSERT_EQ(f.imgPlayer2->Width(), f.lblPlayer1->Width());

  // Player 1 places from each of his trays, player 2 from his in between; no line forms.
  // A tray shows as many buttons as are left, from the first, so the last one goes first.
  const struct {
    int player, tray, location;
  } turns[] = {{1, 3, 1}, {2, 3, 2}, {1, 2, 4}, {2, 2, 6}, {1, 1, 9}};
  for (const auto& t : turns) {
    SCOPED_TRACE("player " + std::to_string(t.player) + " tray " + std::to_string(t.tray));
    tk::Image& tray =
        t.player == 1 ? f.Player1sButtonAvailable(t.tray) : f.Player2sButtonAvailable(t.tray);
    tk::Image& tile = t.player == 1 ? *f.imgPlayer1 : *f.imgPlayer2;
    x11play::DragPointer(CentreOnScreen(tray), CentreOnScreen(f.ButtonLocation(t.location)));
    ASSERT_TRUE(QTest::qWaitFor([&] {
      return f.ButtonLocation(t.location).Picture() == tile.Picture();
    })) << "nothing was placed";
    EXPECT_FALSE(tray.Visible());
  }
  EXPECT_EQ(int(modMain::Player1ButtonsLeft), 0);
  EXPECT_EQ(boxes.inputs.size(), 1u) << "no press on a tray asked for a name";
  EXPECT_TRUE(boxes.messages.empty());

  // The start of the name, and the name where a placed button has left its tray, rename.
  for (const QPoint at :
       {NameStartOnScreen(*f.lblPlayer1), CentreOnScreen(f.Player1sButtonAvailable(1))}) {
    const size_t asked = boxes.inputs.size();
    ClickAt(at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.inputs.size() == asked + 1; }))
        << "no name was asked for";
    EXPECT_EQ(boxes.inputs.back().title, "Player 1's Name");
    EXPECT_EQ(boxes.inputs.back().default_text, kLongName);
  }
  EXPECT_EQ(f.lblPlayer1->Caption(), kLongName) << "Cancel kept the name";
}

}  // namespace
}  // namespace wm_test
