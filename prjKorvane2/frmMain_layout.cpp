// The main window's description: every control at its place in twips, in stacking order
// from front to back, with its looks, and the menu bar.
#include "frmMain.h"
#include "pictures.h"
#include "toolkit/ui/qt_pictures.h"

namespace {

constexpr tk::OleColor kNavy = tk::RGB(0, 0, 128);
constexpr tk::OleColor kTeal = tk::RGB(0, 128, 128);
constexpr tk::OleColor kBlue = tk::RGB(0, 0, 255);
constexpr tk::OleColor kOlive = tk::RGB(192, 192, 0);

struct Box {
  double left, top, width, height;
};

// The nine locations, row by row from the top left (location n is element n - 1).
constexpr Box kLocations[9] = {
    {360, 480, 735, 735},  {2760, 480, 735, 735},  {5160, 480, 735, 735},
    {360, 2520, 735, 735}, {2760, 2520, 735, 735}, {5160, 2520, 735, 735},
    {360, 4560, 735, 735}, {2760, 4560, 735, 735}, {5160, 4560, 735, 735},
};

// Each line joins the centre with one other location; its ends lie under the circles.
constexpr double kLines[8][4] = {
    {3360, 2640, 5280, 1080}, {960, 4680, 2880, 3120},  {2880, 2640, 960, 1080},
    {3360, 3120, 5280, 4680}, {3120, 2520, 3120, 1200}, {3120, 4560, 3120, 3240},
    {1080, 2880, 2760, 2880}, {3480, 2880, 5160, 2880},
};

constexpr double kTrayLefts[3] = {1920, 2760, 3600};
constexpr double kTray1Top = 5520;
constexpr double kTray2Top = 6120;

// The order of the circles from front to back, as the window stacks them.
constexpr int kCircleOrder[9] = {2, 4, 7, 1, 0, 3, 5, 6, 8};
// The trays, front to back: (player, index).
constexpr int kTrayOrder[6][2] = {{2, 2}, {1, 2}, {2, 3}, {1, 3}, {2, 1}, {1, 1}};

QCursor CursorOf(const korvane::CursorPicture& c) {
  return tk::CursorFromPicture(c.picture, c.hot_x, c.hot_y);
}

tk::FontSpec NameFont() {
  tk::FontSpec f;
  f.name = "MS Sans Serif";
  f.size = 8.25;
  f.bold = true;
  return f;
}

}  // namespace

void frmMain::Describe() {
  tk::FormAttributes& a = Attributes();
  a.caption = "Zudir Iduv - Korvane#2";
  a.border = tk::BorderStyle::kSizable;
  a.show_in_taskbar = true;
  a.start_position = tk::StartUpPosition::kCenterScreen;
  a.client_width = 6255;
  a.client_height = 6705;
  a.back_color = tk::kSysMenu;
  a.icon = korvane::AppIconPicture();
  // Stands in for the outside resizing control that the window carries: the contents
  // are resized with the window.
  a.resize_contents = true;

  DescribeMenus();
  Frame2 = &Add<tk::Frame>(Client(), "Frame2", -1, 0, 0, 6255, 6735);
  Frame2->SetCaption("Board");
  DescribeBoard(Frame2->Surface());
  ConnectEvents();
}

void frmMain::DescribeMenus() {
  tk::MenuItem& game = AddMenu("mnuGame", "&Game");
  AddMenuItem(game, "mnuFileNewGame", "&New Game").Click = [this] { mnuFileNewGame_Click(); };
  AddMenuItem(game, "mnuFileExit", "E&xit").Click = [this] { mnuFileExit_Click(); };
  tk::MenuItem& help = AddMenu("mnuHelp", "&Help");
  AddMenuItem(help, "mnuHelpHowToPlay", "&How To Play").Click = [this] {
    mnuHelpHowToPlay_Click();
  };
  AddMenuItem(help, "mnuHelpKeyBoardConfiguration", "&Keyboard Configuration", false).Click =
      [this] { mnuHelpKeyBoardConfiguration_Click(); };
  AddMenuItem(help, "mnuHelpAbout", "&About").Click = [this] { mnuHelpAbout_Click(); };
}

void frmMain::DescribeBoard(tk::ControlSurface& f) {
  const QCursor open_hand = CursorOf(korvane::OpenHandCursor());
  const QCursor pointing_hand = CursorOf(korvane::PointingHandCursor());

  chkFirtsMovePlayer1 = &Add<tk::CheckBox>(f, "chkFirtsMovePlayer1", -1, 4440, 6480, 1815, 255);
  chkFirtsMovePlayer1->SetFont(tk::FontSpec{});
  chkFirtsMovePlayer1->SetCaption("First Move : Player 1");
  chkFirtsMovePlayer1->SetBackColor(kOlive);
  chkFirtsMovePlayer1->SetToolTipText("If Selected First move will be Given to Player 1.");
  chkFirtsMovePlayer1->SetValue(1);

  // The trays lie in front of the names and tiles: a long name widens its label and both
  // tiles over the trays, and runs beneath them, so every tray button can still be
  // dragged and the rest of the name still clicked.
  for (const auto& [player, index] : kTrayOrder) {
    tk::Image& tray =
        Add<tk::Image>(f, player == 1 ? "Player1sButtonAvailable" : "Player2sButtonAvailable",
                       index, kTrayLefts[index - 1], player == 1 ? kTray1Top : kTray2Top, 615, 495);
    tray.SetStretch(true);
    tray.SetMouseIcon(open_hand);
    tray.SetDragAutomatic(true);
    tray.SetToolTipText(player == 1 ? "Player 1's Buttons" : "Player 2's Buttons");
    (player == 1 ? tray1_ : tray2_)[index - 1] = &tray;
  }

  tk::Label** labels[2] = {&lblPlayer1, &lblPlayer2};
  const double label_tops[2] = {5640, 6240};
  for (int p = 0; p < 2; ++p) {
    tk::Label& l =
        Add<tk::Label>(f, p == 0 ? "lblPlayer1" : "lblPlayer2", -1, 120, label_tops[p], 705, 195);
    l.SetFont(NameFont());
    l.SetForeColor(kBlue);
    l.SetTransparent(true);
    l.SetAutoSize(true);
    l.SetCaption(p == 0 ? "Player 1" : "Player 2");
    l.SetMouseIcon(pointing_hand);
    *labels[p] = &l;
  }

  imgPlayer2 = &Add<tk::Image>(f, "imgPlayer2", -1, 120, 6120, 735, 495);
  imgPlayer2->SetPicture(korvane::Player2TilePicture());
  imgPlayer2->SetStretch(true);
  imgPlayer1 = &Add<tk::Image>(f, "imgPlayer1", -1, 120, 5520, 735, 495);
  imgPlayer1->SetPicture(korvane::Player1TilePicture());
  imgPlayer1->SetStretch(true);

  Label1 = &Add<tk::Label>(f, "Label1", -1, 5160, 5880, 1335, 1335);
  Label1->SetCaption(
      "Matrix Status - displays gamematrix  status. set my visibility =true to view. Only for  "
      "programmers");
  Label1->SetVisible(false);

  for (int n = 9; n >= 1; --n) {
    const Box& b = kLocations[n - 1];
    tk::Image& loc = Add<tk::Image>(f, "ButtonLocation", n, b.left, b.top, b.width, b.height);
    loc.SetStretch(true);
    loc.SetMouseIcon(open_hand);
    loc.SetDragAutomatic(true);
    locations_[n - 1] = &loc;
  }

  for (int k : kCircleOrder) {
    const Box& b = kLocations[k];
    tk::Shape& c = Add<tk::Shape>(f, "shpCircle", k, b.left, b.top, b.width, b.height);
    c.SetShape(tk::ShapeKind::kCircle);
    c.SetFillColor(kTeal);
    c.SetBorderColor(kNavy);
    c.SetBorderWidth(10);
    circles_[k] = &c;
  }

  for (int k = 0; k < 8; ++k) {
    tk::Line& l = Add<tk::Line>(f, "Line1", k, 0, 0, 0, 0);
    l.SetEnds(kLines[k][0], kLines[k][1], kLines[k][2], kLines[k][3]);
    l.SetBorderColor(kNavy);
    l.SetBorderWidth(15);
    lines_[k] = &l;
  }

  shpRect = &Add<tk::Shape>(f, "shpRect", -1, 720, 840, 4815, 4095);
  shpRect->SetShape(tk::ShapeKind::kRectangle);
  shpRect->SetBorderColor(kNavy);
  shpRect->SetBorderWidth(15);
  shpRect->SetFillColor(std::nullopt);

  Image1 = &Add<tk::Image>(f, "Image1", -1, 0, 0, 6255, 6735);
  Image1->SetPicture(korvane::BoardTexturePicture());
  Image1->SetStretch(true);
}

void frmMain::ConnectEvents() {
  for (int n = 1; n <= 9; ++n) {
    ButtonLocation(n).DragDrop = [this, n](tk::Control& source, float x, float y) {
      ButtonLocation_DragDrop(tk::Int16(static_cast<std::int16_t>(n)), source, x, y);
    };
  }
  lblPlayer1->Change = [this] { lblPlayer1_Change(); };
  lblPlayer2->Change = [this] { lblPlayer2_Change(); };
  lblPlayer1->Click = [this] { lblPlayer1_Click(); };
  lblPlayer2->Click = [this] { lblPlayer2_Click(); };
  imgPlayer1->MouseMove = [this](int b, int s, float x, float y) {
    imgPlayer1_MouseMove(b, s, x, y);
  };
  imgPlayer2->MouseMove = [this](int b, int s, float x, float y) {
    imgPlayer2_MouseMove(b, s, x, y);
  };
  Image1->MouseDown = [this](int b, int s, float x, float y) { Image1_MouseDown(b, s, x, y); };
  chkFirtsMovePlayer1->Click = [this] { chkFirtsMovePlayer1_Click(); };
}
