// A control's surface with a fixed single border: the border rings the surface, and the
// picture, the printed text and the mouse all start at its inner corner, exactly as on a
// surface without a border of the inner size. A change of border or size keeps what is
// drawn until the next drawing.
#include "toolkit/activex/user_control.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "com/picture_object.h"

namespace {

constexpr int kWidth = 60, kHeight = 40;  // pixels, border included

// A picture that differs in every pixel, so a shift by one shows.
com::ComPtr<com::IPictureDisp> Gradient(int width, int height) {
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      argb[static_cast<std::size_t>(y * width + x)] = 0xFF000000u |
                                                      static_cast<std::uint32_t>(x * 4) << 16 |
                                                      static_cast<std::uint32_t>(y * 6) << 8 | 0x40;
  return com::CreatePicture(std::make_shared<tk::Picture>(width, height, std::move(argb)));
}

// A surface of `width` x `height` pixels with the border style, the gradient picture
// cleared onto it and a line printed at the origin, as the screen shows it.
struct Drawn {
  std::unique_ptr<tk::UserControl> control;
  QImage shown;
};
Drawn Draw(int width, int height, std::int16_t border) {
  Drawn d{std::make_unique<tk::UserControl>(width * 15.0, height * 15.0), {}};
  tk::UserControl& c = *d.control;
  c.SetBorderStyle(border);
  c.SetPicture(Gradient(kWidth, kHeight));
  c.Cls();
  c.Font().size = 14;
  c.SetForeColor(0x0000FF);  // red
  c.Print("HIH");
  d.shown = c.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  return d;
}

TEST(UserControlBorder, DrawingStartsAtTheInnerCornerAndTheBorderHidesNothing) {
  const Drawn bare = Draw(kWidth - 2, kHeight - 2, 0);
  const Drawn bordered = Draw(kWidth, kHeight, 1);
  ASSERT_EQ(bordered.shown.size(), QSize(kWidth, kHeight));
  EXPECT_EQ(bordered.control->ScaleWidth(), kWidth - 2);
  EXPECT_EQ(bordered.control->ScaleHeight(), kHeight - 2);

  // Inside the border: the very picture and text of a borderless surface of that size,
  // its first row and column included.
  const QImage inside = bordered.shown.copy(1, 1, kWidth - 2, kHeight - 2);
  ASSERT_EQ(inside.size(), bare.shown.size());
  int differing = 0;
  for (int y = 0; y < inside.height(); ++y)
    for (int x = 0; x < inside.width(); ++x)
      differing += inside.pixel(x, y) != bare.shown.pixel(x, y);
  EXPECT_EQ(differing, 0) << "pixels inside the border unlike a borderless surface's";
  // The border: one black pixel all round.
  int not_black = 0;
  for (int x = 0; x < kWidth; ++x)
    not_black += (bordered.shown.pixel(x, 0) != qRgb(0, 0, 0)) +
                 (bordered.shown.pixel(x, kHeight - 1) != qRgb(0, 0, 0));
  for (int y = 0; y < kHeight; ++y)
    not_black += (bordered.shown.pixel(0, y) != qRgb(0, 0, 0)) +
                 (bordered.shown.pixel(kWidth - 1, y) != qRgb(0, 0, 0));
  EXPECT_EQ(not_black, 0);
}

TEST(UserControlBorder, TheMouseIsMeasuredFromTheInnerCorner) {
  for (std::int16_t border : {0, 1}) {
    SCOPED_TRACE(border);
    tk::UserControl c(kWidth * 15.0, kHeight * 15.0);
    c.SetBorderStyle(border);
    float seen_x = -99, seen_y = -99;
    c.MouseDown = [&](std::int16_t&, std::int16_t&, float& x, float& y) {
      seen_x = x;
      seen_y = y;
    };
    QTest::mousePress(c.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    EXPECT_EQ(seen_x, 10 - border);
    EXPECT_EQ(seen_y, 20 - border);
  }
}

// The text's pixels: red, with none of the picture's blue.
int RedPixels(const QImage& shown) {
  int n = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb c = shown.pixel(x, y);
      n += qRed(c) > 160 && qGreen(c) < 100 && qBlue(c) < 32;
    }
  return n;
}

// Nothing ticks here, as with a paused control or one in a designer: the drawing on the
// screen is all there is until the host draws again.
TEST(UserControlKeepsDrawing, ABorderPutOrAResizeKeepsWhatIsDrawn) {
  struct Case {
    const char* what;
    std::int16_t border_before;
    std::function<void(tk::UserControl&)> change;
    int width_after, height_after;  // the surface's, border included
    std::int16_t border_after;
  };
  const Case cases[] = {
      {"border put", 0, [](tk::UserControl& c) { c.SetBorderStyle(1); }, kWidth, kHeight, 1},
      {"border taken off", 1, [](tk::UserControl& c) { c.SetBorderStyle(0); }, kWidth, kHeight, 0},
      {"grown", 0, [](tk::UserControl& c) { c.SetBounds(0, 0, 80, 50); }, 80, 50, 0},
      {"shrunk, bordered", 1, [](tk::UserControl& c) { c.SetBounds(0, 0, 50, 32); }, 50, 32, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Drawn d = Draw(kWidth, kHeight, k.border_before);
    const QImage before = d.control->Image().copy();
    const int red_before = RedPixels(d.shown);
    ASSERT_GT(red_before, 20);

    k.change(*d.control);
    const QImage shown =
        d.control->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& after = d.control->Image();
    const int border = 2 * k.border_after;
    ASSERT_EQ(after.size(), QSize(k.width_after - border, k.height_after - border));
    // The text is on the screen still, moved by the ring's width at most.
    EXPECT_EQ(RedPixels(shown), red_before);

    // Where old and new overlap, the old drawing; where the image grew, what a clear of a
    // surface of the new size shows (the background and the picture).
    tk::UserControl fresh(k.width_after * 15.0, k.height_after * 15.0);
    fresh.SetBorderStyle(k.border_after);
    fresh.SetPicture(Gradient(kWidth, kHeight));
    fresh.Cls();
    ASSERT_EQ(fresh.Image().size(), after.size());
    int kept_wrong = 0, grown_wrong = 0;
    for (int y = 0; y < after.height(); ++y)
      for (int x = 0; x < after.width(); ++x) {
        if (x < before.width() && y < before.height())
          kept_wrong += after.pixel(x, y) != before.pixel(x, y);
        else
          grown_wrong += after.pixel(x, y) != fresh.Image().pixel(x, y);
      }
    EXPECT_EQ(kept_wrong, 0);
    EXPECT_EQ(grown_wrong, 0);
  }
}

}  // namespace
