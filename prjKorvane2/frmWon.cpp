#include "frmWon.h"

#include "frmMain.h"
#include "modFrmAnim.h"
#include "modMain.h"
#include "pictures.h"
#include "runtime/checked.h"
#include "runtime/errors.h"
#include "toolkit/ui/screen.h"

using modMain::DebugMode;

frmWon& frmWon::Instance() {
  static frmWon* form = new frmWon();
  return *form;
}

void frmWon::Describe() {
  tk::FormAttributes& a = Attributes();
  a.caption = "Form1";
  a.border = tk::BorderStyle::kNone;
  a.show_in_taskbar = false;
  a.start_position = tk::StartUpPosition::kManual;
  a.client_width = 4035;
  a.client_height = 1590;
  a.icon = korvane::AppIconPicture();

  cmdClose = &Add<tk::CommandButton>(Client(), "cmdClose", -1, 3600, 120, 375, 375);
  cmdClose->SetCaption("X");
  cmdClose->Click = [this] { cmdClose_Click(); };

  Label1 = &Add<tk::Label>(Client(), "Label1", -1, 330, 360, 3285, 1080);
  tk::FontSpec font;
  font.name = "Comic Sans MS";
  font.size = 12;
  font.bold = true;
  Label1->SetFont(font);
  Label1->SetForeColor(tk::RGB(0, 0, 255));
  Label1->SetAlignment(tk::Alignment::kCenter);
  Label1->SetTransparent(true);
  Label1->SetWordWrap(true);
  Label1->SetCaption("Won ?");

  Image1 = &Add<tk::Image>(Client(), "Image1", -1, 1440, 120, 2055, 1095);
  Image1->SetPicture(korvane::SpeechBubblePicture());
  Image1->SetStretch(true);
}

void frmWon::Form_Load() {
  using namespace modDrawAniRects;
  tk::ResumeNext next(!DebugMode);
  next([&] {
    ScreenWidthPx = tk::RoundToInt<std::int32_t>(tk::ScreenWidthTwips() / tk::TwipsPerPixelX());
  });
  next([&] {
    ScreenHeightPx = tk::RoundToInt<std::int32_t>(tk::ScreenHeightTwips() / tk::TwipsPerPixelY());
  });
  next([&] { SetRect(&CornerRect, ScreenWidthPx, ScreenHeightPx, ScreenWidthPx, ScreenHeightPx); });
  next([&] { SetRect(&BoxRect, 0, 0, 300, 300); });
  next([&] { DrawAnimatedRects(hWnd(), IDANI_CAPTION, &CornerRect, &BoxRect); });
  frmMain& main = frmMain::Instance();
  next([&] { SetTop(main.Top()); });
  next([&] {
    // Half the scale width, rounded and with the remainder dropped: 2017 at design size.
    const std::int32_t half = tk::RoundToInt<std::int32_t>(ScaleWidth()) / 2;
    SetLeft(static_cast<float>(main.Left() + static_cast<double>(half)));
  });
}

void frmWon::Form_Resize() {
  tk::ResumeNext next(!DebugMode);
  next([&] { Image1->Move(0, 0, Width(), Height()); });
}

void frmWon::cmdClose_Click() {
  Unload();
}

void frmWon::Form_Unload(std::int16_t& /*Cancel*/) {
  modFrmAnim::AnimateForm(*this, 8, 300);
  modDrawAniRects::DrawAnimatedRects(hWnd(), modDrawAniRects::IDANI_CAPTION, &BoxRect, &CornerRect);
}
