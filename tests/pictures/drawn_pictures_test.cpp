#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "picture_drawing.h"
#include "picture_list.h"
#include "picture_stats.h"
#include "pictures.h"

namespace {

using picture_stats::Alpha;
using picture_stats::At;
using picture_stats::Average;
using picture_stats::Rgb;
using picture_stats::ToRgb;

// What each listed picture must be, and the game's own call for it.
struct DrawnPicture {
  korvane::PictureId id;
  std::function<tk::PictureRef()> accessor;
  int width, height;
  bool opaque;
};

const DrawnPicture kPictures[] = {
    {korvane::PictureId::board_texture, korvane::BoardTexturePicture, 700, 498, true},
    {korvane::PictureId::player1_tile, korvane::Player1TilePicture, 74, 55, true},
    {korvane::PictureId::player2_tile, korvane::Player2TilePicture, 74, 55, true},
    {korvane::PictureId::pointing_hand, [] { return korvane::PointingHandCursor().picture; }, 32,
     32, false},
    {korvane::PictureId::open_hand, [] { return korvane::OpenHandCursor().picture; }, 32, 32,
     false},
    {korvane::PictureId::app_icon, korvane::AppIconPicture, 32, 32, true},
    {korvane::PictureId::speech_bubble, korvane::SpeechBubblePicture, 95, 94, true},
};

const DrawnPicture* Expected(korvane::PictureId id) {
  for (const DrawnPicture& p : kPictures)
    if (p.id == id) return &p;
  return nullptr;
}

TEST(DrawnPictures, EveryListedPictureHasItsSizeAndIsOpaqueWhereItMustBe) {
  for (const korvane::ListedPicture& listed : korvane::kPictureList) {
    SCOPED_TRACE(listed.name);
    const DrawnPicture* p = Expected(listed.id);
    ASSERT_NE(p, nullptr) << "no size is expected of this picture";
    const tk::PictureRef picture = korvane::BuiltInPicture(listed.id);
    ASSERT_TRUE(picture);
    EXPECT_EQ(p->accessor(), picture) << "the game's call gives another picture";
    EXPECT_EQ(picture->width(), p->width);
    EXPECT_EQ(picture->height(), p->height);
    ASSERT_EQ(picture->argb().size(), static_cast<std::size_t>(p->width) * p->height);
    if (!p->opaque) continue;
    for (std::uint32_t px : picture->argb()) ASSERT_EQ(Alpha(px), 255);
  }
}

std::string Hex(std::uint32_t argb) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(argb));
  return text;
}

// Where two pictures first differ: "" when they are the same size and pixel for pixel equal.
std::string FirstDifference(const tk::Picture& a, const tk::Picture& b) {
  if (a.width() != b.width() || a.height() != b.height())
    return "sizes differ: " + std::to_string(a.width()) + "x" + std::to_string(a.height()) +
           " and " + std::to_string(b.width()) + "x" + std::to_string(b.height());
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (At(a, x, y) != At(b, x, y))
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
               ") differs: " + Hex(At(a, x, y)) + " and " + Hex(At(b, x, y));
    }
  }
  return "";
}

TEST(DrawnPictures, AreDrawnOnceAndDrawingIsRepeatable) {
  for (const korvane::ListedPicture& listed : korvane::kPictureList) {
    SCOPED_TRACE(listed.name);
    EXPECT_EQ(korvane::BuiltInPicture(listed.id), korvane::BuiltInPicture(listed.id))
        << "the built-in picture is shared";
    const tk::PictureRef first = korvane::Draw(listed.id), second = korvane::Draw(listed.id);
    EXPECT_NE(first, second);
    EXPECT_EQ(FirstDifference(*first, *second), "");
  }
}

// The game's pictures are drawn when it is built and linked in as data; they must be
// exactly what the drawing code draws now.
TEST(DrawnPictures, BuiltInPicturesAreExactlyWhatTheCodeDraws) {
  for (const korvane::ListedPicture& listed : korvane::kPictureList) {
    SCOPED_TRACE(listed.name);
    EXPECT_EQ(FirstDifference(*korvane::BuiltInPicture(listed.id), *korvane::Draw(listed.id)), "");
  }
}

void ExpectNear(const Rgb& actual, const Rgb& expected, double tolerance) {
  EXPECT_NEAR(actual.r, expected.r, tolerance);
  EXPECT_NEAR(actual.g, expected.g, tolerance);
  EXPECT_NEAR(actual.b, expected.b, tolerance);
}

TEST(DrawnPictures, AverageColoursMatchTheirDescriptions) {
  ExpectNear(Average(*korvane::BoardTexturePicture()), {180, 155, 123}, 1.5);
  ExpectNear(Average(*korvane::Player1TilePicture()), {135, 199, 239}, 1.5);
  ExpectNear(Average(*korvane::Player2TilePicture()), {223, 115, 176}, 1.5);
}

// How much neighbouring pixels differ one step along (dx, dy), summed over the channels.
double MeanStepDifference(const tk::Picture& p, int dx, int dy) {
  double sum = 0;
  int count = 0;
  for (int y = 20; y + 1 < p.height() - 1; ++y) {
    for (int x = 1; x + 1 < p.width(); ++x) {
      const Rgb a = ToRgb(At(p, x, y)), b = ToRgb(At(p, x + dx, y + dy));
      sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
      ++count;
    }
  }
  return sum / count;
}

TEST(BoardTexture, StripesRunFromTopLeftToBottomRight) {
  const tk::Picture& board = *korvane::BoardTexturePicture();
  const double along = MeanStepDifference(board, 1, 1);
  const double across = MeanStepDifference(board, 1, -1);
  EXPECT_GT(across, 3.0) << "stripes are visible";
  EXPECT_LT(along, across * 0.5) << "pixels change little along the stripes";
}

TEST(BoardTexture, TopEdgeIsLighterAndGreyer) {
  const tk::Picture& board = *korvane::BoardTexturePicture();
  const Rgb top = Average(board, 0, 0, board.width(), 4);
  const Rgb body = Average(board, 0, 100, board.width(), board.height());
  EXPECT_GT(top.Sum(), body.Sum() + 30);
  EXPECT_LT(top.Spread(), body.Spread() - 15);
}

TEST(BoardTexture, HoldsNoBoardLines) {
  // The lines are navy and the circles teal; the cloth is tan everywhere, red over blue.
  for (std::uint32_t px : korvane::BoardTexturePicture()->argb()) {
    const Rgb c = ToRgb(px);
    ASSERT_GT(c.r, c.b + 20);
    ASSERT_GT(c.Sum(), 300);
  }
}

TEST(Tiles, GlossBandAboveDarkRimsInTheirOwnHue) {
  struct Case {
    const char* name;
    tk::PictureRef tile;
    bool blue;
  } cases[] = {{"player 1", korvane::Player1TilePicture(), true},
               {"player 2", korvane::Player2TilePicture(), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const tk::Picture& t = *c.tile;
    const Rgb band = Average(t, 0, 7, t.width(), 15);
    const Rgb body = Average(t, 0, 26, t.width(), 44);
    const Rgb top_rim = Average(t, 0, 0, t.width(), 2);
    const Rgb bottom_rim = Average(t, 0, t.height() - 2, t.width(), t.height());
    EXPECT_GT(band.Sum(), body.Sum() + 60);
    EXPECT_LT(top_rim.Sum(), body.Sum() - 60);
    EXPECT_LT(bottom_rim.Sum(), body.Sum() - 60);
    for (const Rgb& rim : {top_rim, bottom_rim}) {
      if (c.blue)
        EXPECT_GT(rim.b, rim.r + 60) << "rim stays blue";
      else
        EXPECT_GT(rim.r, rim.g + 60) << "rim stays pink";
    }
  }
}

double Distance(const Rgb& a, const Rgb& b) {
  return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) +
                   (a.b - b.b) * (a.b - b.b));
}

int CountNear(const tk::Picture& p, const Rgb& colour, double within) {
  int n = 0;
  for (std::uint32_t px : p.argb()) n += Distance(ToRgb(px), colour) < within;
  return n;
}

TEST(AppIcon, AmberBoardWithBlueLinesAndBothPlayersPieces) {
  const tk::Picture& icon = *korvane::AppIconPicture();
  const Rgb inside_corner = ToRgb(At(icon, 2, 29));
  EXPECT_GT(inside_corner.r, 220);
  EXPECT_GT(inside_corner.r, inside_corner.g + 30);
  EXPECT_GT(inside_corner.g, inside_corner.b + 80);
  const Rgb centre = ToRgb(At(icon, 16, 16));
  EXPECT_GT(centre.b, centre.r + 100) << "the spokes meet in the centre";
  EXPECT_GT(CountNear(icon, {135, 199, 239}, 40), 10);
  EXPECT_GT(CountNear(icon, {139, 16, 24}, 40), 10);
}

TEST(SpeechBubble, AmberBubbleWithTailAtLowerLeftOnWhite) {
  const tk::Picture& bubble = *korvane::SpeechBubblePicture();
  const Rgb white{255, 255, 255};
  for (auto [x, y] : {std::pair{0, 0}, {94, 0}, {0, 93}, {94, 93}, {80, 85}}) {
    EXPECT_EQ(Distance(ToRgb(At(bubble, x, y)), white), 0) << x << "," << y;
  }
  auto amber = [&](int x, int y) {
    const Rgb c = ToRgb(At(bubble, x, y));
    return c.r > 200 && c.r > c.g + 30 && c.g > c.b + 60;
  };
  EXPECT_TRUE(amber(20, 40));
  EXPECT_TRUE(amber(75, 55));
  EXPECT_TRUE(amber(14, 78)) << "the tail";
  EXPECT_FALSE(amber(80, 78)) << "no tail at the lower right";
  // The quotation marks are light on the amber, one each side of the middle.
  EXPECT_LT(Distance(ToRgb(At(bubble, 39, 47)), {255, 246, 222}), 10);
  EXPECT_LT(Distance(ToRgb(At(bubble, 58, 47)), {255, 246, 222}), 10);
  EXPECT_TRUE(amber(48, 47)) << "the marks stand apart";
}

}  // namespace
