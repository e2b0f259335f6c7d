// What a tick leaves on the surface: the text over the background picture in the line's
// colour and font, centring, the font carried from line to line and tick to tick, and the
// same picture, font, colour and position as a line-by-line drawing of the whole buffer.
#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetricsF>
#include <QRect>

#include "render_test_support.h"

namespace tickerell::testing {
namespace {

class DrawingTest : public RendererTest {
 protected:
  DrawingTest() {
    state.ScrollStarted = tk::kTrue16;
    surface->SetPicture(PatternPicture(kSurfaceWidth, kSurfaceHeight));
  }
  // Ticks once with the text top at `y`.
  void TickAt(std::int32_t y) {
    state.ScrollY = y;
    renderer.tmrRefresh_Timer();
  }
  // The smallest rectangle holding every pixel that differs from `background`.
  QRect Ink(const QImage& background) const {
    QRect ink;
    const QImage& image = surface->Image();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != background.pixel(x, y)) ink |= QRect(x, y, 1, 1);
    return ink;
  }
  QImage Background() { return Reference({}); }
};

LineFormat Sized(int size, bool bold = false) {
  LineFormat f = DefaultLineFormat();
  f.Size = size;
  f.Bold = tk::ToBool16(bold);
  return f;
}

TEST_F(DrawingTest, TextLiesInItsLineBoxInTheLinesColourOverThePicture) {
  state.m_Alignment = 0;
  SetLines(state, {Line("HIH", Sized(24, true), 0x0000FF)});  // red
  const QImage background = Background();
  TickAt(50);

  tk::FontSpec heading;
  heading.bold = true;
  heading.size = 24;
  const QFontMetricsF fm(tk::ToQFont(heading));
  const QRect ink = Ink(background);
  ASSERT_FALSE(ink.isEmpty());
  // 2 pixels of gap above the line, then the line box; the text starts at the left edge.
  EXPECT_GE(ink.top(), 52);
  EXPECT_LE(ink.bottom(), 52 + fm.height());
  EXPECT_LE(ink.left(), 4);
  EXPECT_LE(ink.right(), fm.horizontalAdvance("HIH") + 2);
  EXPECT_GT(ink.width(), fm.horizontalAdvance("HIH") / 2);
  // The stems are solid text colour; everything else is the picture or a blend over it.
  int solid = 0;
  for (int y = ink.top(); y <= ink.bottom(); ++y)
    for (int x = ink.left(); x <= ink.right(); ++x)
      if (surface->Image().pixel(x, y) == qRgb(255, 0, 0)) ++solid;
  EXPECT_GT(solid, 50);
  EXPECT_EQ(surface->CurrentX(), 0.0f);
  EXPECT_FLOAT_EQ(surface->CurrentY(), 52.0f + static_cast<float>(fm.height()));
  EXPECT_EQ(surface->ForeColor(), 0x0000FFu);
}

TEST_F(DrawingTest, CentredLinesSitInTheMiddleAndTooWideOnesAreCutOnBothSides) {
  SetLines(state, {Line("Centre", Sized(18), 0xFF0000)});
  const QImage background = Background();
  TickAt(10);
  const QRect ink = Ink(background);
  EXPECT_NEAR(ink.center().x(), kSurfaceWidth / 2.0, 3.0);

  const std::string wide(60, 'W');
  SetLines(state, {Line(wide, Sized(18), 0xFF0000)});
  const float width = surface->TextWidth(wide);
  ASSERT_GT(width, kSurfaceWidth);
  TickAt(10);
  const QRect cut = Ink(background);
  EXPECT_EQ(cut.left(), 0);
  EXPECT_EQ(cut.right(), kSurfaceWidth - 1);

  EXPECT_EQ(DifferingPixels(surface->Image(), Reference({10})), 0);
}

TEST_F(DrawingTest, SizeZeroKeepsThePreviousLinesSizeAlsoAcrossTicks) {
  // The first line names no size: on the first tick it keeps the surface's own, later the
  // last line's of the tick before.
  SetLines(state, {Line("b", Sized(0), 1), Line("a", Sized(30), 2), Line("c", Sized(-4), 3)});
  const float start_size = static_cast<float>(surface->Font().size);
  tk::FontSpec small, large;
  small.size = start_size;
  large.size = 30;
  const float h_small = static_cast<float>(QFontMetricsF(tk::ToQFont(small)).height());
  const float h_large = static_cast<float>(QFontMetricsF(tk::ToQFont(large)).height());

  TickAt(0);
  EXPECT_FLOAT_EQ(surface->CurrentY(), 2 + h_small + 2 + h_large + 2 + h_large);
  EXPECT_EQ(surface->Font().size, 30);
  TickAt(0);
  EXPECT_FLOAT_EQ(surface->CurrentY(), 3 * (2 + h_large));
}

// A buffer that uses every setting a line can have, with texts of every kind.
std::vector<BufferLine> VariedLines() {
  const char* names[] = {"MS Sans Serif", "Arial", "Times New Roman", "Courier New", "Tahoma", ""};
  const int sizes[] = {10, 0, 24, -3, 8, 36, 0, 14, 12};
  const char* texts[] = {"Credits",
                         "",
                         "Grüße – café ÅÉÎ",
                         "jgpq yQ",
                         "/",
                         "  spaced  ",
                         "A much longer line that runs well past the right edge of the control"};
  const OleColor colors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0, 0x808080, 0x00FFFF};
  std::vector<BufferLine> lines;
  for (int i = 0; i < 70; ++i) {
    LineFormat f = DefaultLineFormat();
    f.Name = names[i % 6];
    f.Size = sizes[i % 9];
    f.Bold = tk::ToBool16(i % 2);
    f.Italic = tk::ToBool16(i % 3 == 0);
    f.Underline = tk::ToBool16(i % 5 == 1);
    f.Strikethrough = tk::ToBool16(i % 7 == 2);
    f.Charset = i % 4 == 0 ? 2 : 0;
    f.Weight = 100 * i;
    lines.push_back(Line(texts[i % 7], f, colors[i % 6]));
  }
  return lines;
}

TEST_F(DrawingTest, EveryTickMatchesDrawingTheWholeBufferLineByLine) {
  auto lines = VariedLines();
  SetLines(state, lines);
  state.m_ScrollStart = 300;
  state.m_ScrollEnd = -1300;
  state.ScrollY = 300;
  host.skip = 37;
  auto ref = MakeSurface();
  ref->SetPicture(surface->Picture());

  for (int tick = 0; tick < 60; ++tick) {
    SCOPED_TRACE(tick);
    switch (tick) {
      case 10:
        SetLines(state, lines);  // rebuilt with the same lines
        break;
      case 15:
        lines[3].Text = "changed";
        SetLines(state, lines);
        break;
      case 20:
        state.LineBuffer[8].Color = 0x123456;  // changed in place
        break;
      case 25:
        state.m_Alignment = 0;
        break;
      case 30:
        state.m_Alignment = 1;
        surface->SetBorderStyle(1);  // a narrower inner width
        ref->SetBorderStyle(1);
        break;
      case 35:
        state.LineBuffer[1].Format.Size = 0;  // carries the last line's size of the tick before
        break;
      case 40:
        state.LineCount = 20;
        break;
      case 45:
        state.LineBuffer[20].Format.Weight = 900;  // never applied, changes nothing
        break;
    }
    const std::int32_t y = state.ScrollY;
    renderer.tmrRefresh_Timer();
    ref->Cls();
    LiteralDraw(*ref, state, y);
    ASSERT_EQ(state.m_CurrentYpos, y);
    ASSERT_EQ(DifferingPixels(surface->Image(), ref->Image()), 0);
    ASSERT_TRUE(SameFont(surface->Font(), ref->Font()));
    ASSERT_EQ(surface->CurrentX(), ref->CurrentX());
    ASSERT_EQ(surface->CurrentY(), ref->CurrentY());
    ASSERT_EQ(surface->ForeColor(), ref->ForeColor());
  }
}

}  // namespace
}  // namespace tickerell::testing
