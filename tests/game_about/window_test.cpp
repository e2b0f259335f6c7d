// The About window as it opens: its frame and place over the main window, the control
// stretched over the whole client area, and the seven values the window gives the control
// read back through the control's own getters.
#include <QApplication>
#include <QWidget>

#include "about_fixture.h"
#include "com/late_bound.h"
#include "com/picture_object.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/qt_pictures.h"

namespace about_test {
namespace {

TEST_F(AboutWindowTest, FixedFrameCentredOnTheMainWindowWithTheControlOverTheClientArea) {
  // Loaded but not yet shown, the control stands where the description puts it.
  credits.Load();
  ASSERT_TRUE(credits.IsLoaded());
  ASSERT_NE(credits.Tickerell1, nullptr);
  ASSERT_NE(Surface(), nullptr);
  EXPECT_EQ(Surface()->geometry(), QRect(32, 88, 249, 65));

  ChooseAbout([&] {
    QWidget* w = credits.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(credits.Caption(), "Credits");
    EXPECT_EQ(w->windowTitle(), "Credits");
    EXPECT_TRUE(w->isModal());

    // Fixed single: a title bar with the close box only, and no resizing.
    const Qt::WindowFlags flags = w->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    // Out of the taskbar: a secondary window owned by the main window.
    const Qt::WindowType type = w->windowType();
    EXPECT_TRUE(type == Qt::Dialog || type == Qt::Tool) << type;
    EXPECT_EQ(w->parentWidget(), main.Window());

    EXPECT_EQ(credits.Client().size(), QSize(312, 236));
    EXPECT_DOUBLE_EQ(credits.ScaleWidth(), 4680);
    EXPECT_DOUBLE_EQ(credits.ScaleHeight(), 3540);
    const QPoint offset = w->frameGeometry().center() - main.Window()->frameGeometry().center();
    EXPECT_TRUE(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2)
        << "centred on the main window, off by " << offset.x() << ", " << offset.y();

    // The first resize moved the control over the whole client area.
    ASSERT_NE(Surface(), nullptr);
    EXPECT_EQ(Surface()->geometry(), QRect(0, 0, 312, 236));
    com::IDispatch* t = credits.Tickerell1->Object();
    EXPECT_DOUBLE_EQ(com::PropertyGet(t, "Left").ToR8(), 0);
    EXPECT_DOUBLE_EQ(com::PropertyGet(t, "Top").ToR8(), 0);
    EXPECT_DOUBLE_EQ(com::PropertyGet(t, "Width").ToR8(), 4680);
    EXPECT_DOUBLE_EQ(com::PropertyGet(t, "Height").ToR8(), 3540);

    // The main window takes no input meanwhile.
    EXPECT_EQ(QApplication::activeModalWidget(), w);
  });
  EXPECT_FALSE(credits.IsLoaded());
  EXPECT_TRUE(main.IsLoaded());
  EXPECT_EQ(tk::LoadedWindowCount(), 1);
}

TEST_F(AboutWindowTest, TheSevenValuesAndTheDefaultsReadBackThroughTheControl) {
  struct Expected {
    const char* name;
    com::DISPID id;
    double value;
  };
  const Expected expected[] = {
      {"ForeColor", kForeColor, 255},
      {"StartupYpos", kStartupYpos, 100},
      {"StartupWait", kStartupWait, 1.5},
      {"ScrollStart", kScrollStart, 300},
      {"ScrollEnd", kScrollEnd, -850},
      {"SkipPixels", kSkipPixels, 1},
      {"Scroll", kScroll, -1},
      {"TimerInterval", kTimerInterval, 10},
  };
  ChooseAbout([&] {
    for (const Expected& e : expected) EXPECT_DOUBLE_EQ(Get(e.id).ToR8(), e.value) << e.name;
    EXPECT_EQ(Get(kScroll).vt(), com::VT_BOOL);
    EXPECT_EQ(Get(kCaption).ToText(), "script");

    // The background picture is the board texture of the main window.
    const com::Variant picture = Get(kPicture);
    ASSERT_TRUE(picture.is_object());
    const tk::PictureRef shown = com::PictureOf(picture);
    const tk::PictureRef board = main.Image1->Picture();
    ASSERT_TRUE(shown && board);
    EXPECT_EQ(tk::ToQImage(*shown), tk::ToQImage(*board));
  });
}

// Red credits over the board texture: after the first drawing, every pixel of the surface
// either is the texture's own pixel at that place or belongs to the text, and the text
// holds solid red.
TEST_F(AboutWindowTest, RedCreditsDrawnOverTheBoardTexture) {
  ChooseAbout([&] {
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() == 100; }));
    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(312, 236));
    const QImage board =
        tk::ToQImage(*main.Image1->Picture()).convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(board.width(), 312);
    ASSERT_GE(board.height(), 236);

    int red = 0, texture_above_text = 0, other_above_text = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const QRgb px = shown.pixel(x, y);
        if (px == qRgb(255, 0, 0)) ++red;
        if (y < 100) (px == board.pixel(x, y) ? texture_above_text : other_above_text)++;
      }
    }
    EXPECT_GT(red, 50) << "solid red text";
    EXPECT_EQ(other_above_text, 0) << "above the text's top only the texture shows";
    EXPECT_EQ(texture_above_text, 312 * 100);
  });
}

}  // namespace
}  // namespace about_test
