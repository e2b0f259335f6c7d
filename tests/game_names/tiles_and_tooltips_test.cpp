// The name tiles always take the width of the wider name label, and the tooltips of the
// tiles and of all six tray buttons name their owner by his current name.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <algorithm>

#include "main_window_fixture.h"
#include "toolkit/ui/surface.h"
#include "ui_driver.h"

namespace korvane_test {
namespace {

// Moves the pointer over the strip of a tile above its name label, which covers the
// rest of it.
void HoverTile(tk::Image& tile) {
  tk::ControlSurface& surface = tile.Container();
  const QPoint p = surface.RectOf(tile).topLeft().toPoint() + QPoint(4, 3);
  ASSERT_EQ(surface.HitTest(p), &tile);
  QMouseEvent move(QEvent::MouseMove, p, surface.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&surface, &move);
}

using TilesAndTooltipsTest = MainWindowTest;

TEST_F(TilesAndTooltipsTest, BothTilesTakeTheWiderLabelsWidthGrowingAndShrinking) {
  struct Case {
    const char* what;
    int renamed;  // the player renamed in this step; the other keeps his name
    const char* name;
    int wider;  // the label whose width both tiles must take (0: a tie)
  };
  // Played in order: each step renames one player, so both labels are looked at on
  // every change, whichever one changed.
  const Case cases[] = {
      {"player 1 wider", 1, "A rather long name for player one", 1},
      {"player 2 wider still", 2, "An even longer name for the second player here", 2},
      {"player 2 shrinks below player 1", 2, "Bo", 1},
      {"player 1 shrinks below player 2", 1, "I", 2},
      {"equal names", 1, "Bo", 0},
      {"both short, below the design width", 2, "i", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rename(c.renamed, c.name);
    const double w1 = f.lblPlayer1->Width(), w2 = f.lblPlayer2->Width();
    if (c.wider == 0) {
      ASSERT_EQ(w1, w2);
    } else {
      ASSERT_GT(c.wider == 1 ? w1 : w2, c.wider == 1 ? w2 : w1);
    }
    EXPECT_EQ(Tile(1).Width(), std::max(w1, w2));
    EXPECT_EQ(Tile(2).Width(), std::max(w1, w2));
  }
  EXPECT_LT(Tile(1).Width(), 735) << "the tiles have no minimum width";
  EXPECT_EQ(Tile(1).Height(), 495);
  EXPECT_EQ(Tile(1).Left(), 120);
}

TEST_F(TilesAndTooltipsTest, TrayTooltipsFollowTheNamesHiddenTraysToo) {
  // Player 1 places a button: his third tray image is hidden now.
  tk::testing::Drag(Tray(1, 1), f.ButtonLocation(1));
  ASSERT_FALSE(Tray(1, 3).Visible());
  Rename(1, "Alice");
  Rename(2, "Bob");
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Tray(1, i).ToolTipText(), "Alice's Buttons");
    EXPECT_EQ(Tray(2, i).ToolTipText(), "Bob's Buttons");
  }
  // A new game reading other names from the store updates them all again.
  Rename(1, "Carol");
  NewGame();
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Tray(1, i).ToolTipText(), "Carol's Buttons");
    EXPECT_EQ(Tray(2, i).ToolTipText(), "Bob's Buttons");
  }
}

TEST_F(TilesAndTooltipsTest, TileTooltipIsBuiltFromTheCurrentNameAtEachMouseMove) {
  EXPECT_EQ(tile_tooltips_at_load, "|") << "no tile tooltip before the mouse moves over it";
  HoverTile(Tile(1));
  HoverTile(Tile(2));
  EXPECT_EQ(Tile(1).ToolTipText(), "Player 1's Button");
  EXPECT_EQ(Tile(2).ToolTipText(), "Player 2's Button");

  Rename(1, " Zoë ");
  Rename(2, "李小龙");
  HoverTile(Tile(1));
  EXPECT_EQ(Tile(1).ToolTipText(), " Zoë 's Button");
  HoverTile(Tile(2));
  EXPECT_EQ(Tile(2).ToolTipText(), "李小龙's Button");
}

}  // namespace
}  // namespace korvane_test
