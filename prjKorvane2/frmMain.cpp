// The main window's code: start and end, the menu commands, the first-move option, the
// drawing of the board and trays, the drop handler that runs every turn, and the
// services beside the game (names, tooltips, moving the window, the help page).
#include "frmMain.h"

#include <cstdint>

#include "frmCredits.h"
#include "frmWon.h"
#include "modFrmAnim.h"
#include "modMain.h"
#include "modOtherAPIs.h"
#include "runtime/app_info.h"
#include "runtime/errors.h"
#include "runtime/key_store.h"
#include "runtime/prompts.h"

using namespace modMain;

namespace {

constexpr int kNo = tk::kAnswerNo;

int AskQuitCurrentGame() {
  return tk::MsgBox("Quit Current Game ?", tk::kQuestion | tk::kYesNo, "New Game", kAppTitle);
}

bool GameUnderWay() {
  return Player1ButtonsLeft != 3 || Player2ButtonsLeft != 3;
}

tk::Image& Element(const auto& array, int index, int base) {
  const int at = index - base;
  if (at < 0 || at >= static_cast<int>(array.size()) || array[at] == nullptr)
    tk::Raise(tk::kSubscriptOutOfRange);
  return *array[at];
}

// The runtime's Trim: spaces only, at both ends.
std::string TrimSpaces(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

frmMain& frmMain::Instance() {
  static frmMain* form = [] {
    auto* f = new frmMain();
    modMain::SetPlayerNameSource([f](int player) -> std::string {
      tk::Label* l = player == 1 ? f->lblPlayer1 : player == 2 ? f->lblPlayer2 : nullptr;
      if (l == nullptr || !f->IsLoaded()) tk::Raise(tk::kObjectRequired);
      return l->Caption();
    });
    return f;
  }();
  return *form;
}

tk::Image& frmMain::ButtonLocation(int index) const {
  return Element(locations_, index, 1);
}
tk::Image& frmMain::Player1sButtonAvailable(int index) const {
  return Element(tray1_, index, 1);
}
tk::Image& frmMain::Player2sButtonAvailable(int index) const {
  return Element(tray2_, index, 1);
}
tk::Shape& frmMain::shpCircle(int index) const {
  if (index < 0 || index > 8 || circles_[index] == nullptr) tk::Raise(tk::kSubscriptOutOfRange);
  return *circles_[index];
}
tk::Line& frmMain::Line1(int index) const {
  if (index < 0 || index > 7 || lines_[index] == nullptr) tk::Raise(tk::kSubscriptOutOfRange);
  return *lines_[index];
}

// ---- Start and end -----------------------------------------------------------------------

void frmMain::Form_Load() {
  tk::ResumeNext next(!DebugMode);
  // The game is reset first, so the New Game command below finds full trays and asks
  // nothing.
  next([&] { ResetGame(); });
  next([&] { mnuFileNewGame_Click(); });
}

void frmMain::Form_Unload(std::int16_t& /*Cancel*/) {
  modFrmAnim::AnimateForm(*this, 8, 300);
}

void frmMain::mnuFileNewGame_Click() {
  tk::ResumeNext next(!DebugMode);
  bool declined = false;
  next([&] { declined = GameUnderWay() && AskQuitCurrentGame() == kNo; });
  if (declined) return;
  next([&] { ResetGame(); });
  next([&] { LoadPlayers(); });
  next([&] { DrawAvailableButtons(); });
  next([&] { DrawBoard(); });
}

void frmMain::LoadPlayers() {
  tk::ResumeNext next(!DebugMode);
  next([&] {
    lblPlayer1->SetCaption(tk::GetSetting(tk::ExeName(), "Players", "Player1", "Player 1"));
  });
  next([&] {
    lblPlayer2->SetCaption(tk::GetSetting(tk::ExeName(), "Players", "Player2", "Player 2"));
  });
  for (tk::Byte i = 1; i <= 3; ++i) {
    next([&] { Player1sButtonAvailable(i).SetPicture(imgPlayer1->Picture()); });
    next([&] { Player2sButtonAvailable(i).SetPicture(imgPlayer2->Picture()); });
  }
  next([&] { chkFirtsMovePlayer1_Click(); });
}

void frmMain::chkFirtsMovePlayer1_Click() {
  tk::ResumeNext next(!DebugMode);
  // Only before the first placement: during a game the option waits for the next one.
  next([&] {
    if (Player1ButtonsLeft == 3 && Player2ButtonsLeft == 3)
      Player1Turn = tk::ToBool16(chkFirtsMovePlayer1->Value() == 1);
  });
}

void frmMain::mnuFileExit_Click() {
  if (GameUnderWay() && AskQuitCurrentGame() == kNo) return;
  Unload();
}

// ---- Drawing -------------------------------------------------------------------------------

void frmMain::DrawBoard() {
  tk::ResumeNext next(!DebugMode);
  for (tk::Byte Row = 1; Row <= 3; ++Row) {
    for (tk::Byte Col = 1; Col <= 3; ++Col) {
      next([&] {
        const tk::Byte cell = GameMatrix(Row, Col);
        const tk::Byte owner = cell == 1 ? 1 : cell == 2 ? 2 : 0;
        DrawLocation(Row, Col, owner);
      });
    }
  }
  next([&] { Label1->SetCaption(GetGameMatrixText()); });
}

void frmMain::DrawLocation(tk::Byte Row, const tk::Byte& Col, const tk::Byte& Owner) {
  tk::ResumeNext next(!DebugMode);
  tk::Byte L = 0;
  next([&] { L = CellToLocation(Row, Col); });
  next([&] {
    if (Owner == 1)
      ButtonLocation(L).SetPicture(imgPlayer1->Picture());
    else if (Owner == 2)
      ButtonLocation(L).SetPicture(imgPlayer2->Picture());
    else
      ButtonLocation(L).SetPicture(nullptr);  // the empty picture
  });
  next([&] { ButtonLocation(L).Refresh(); });
}

void frmMain::DrawAvailableButtons() {
  tk::ResumeNext next(!DebugMode);
  struct Tray {
    tk::Byte left;
    tk::Image& (frmMain::*element)(int) const;
    tk::Image* tile;
  };
  const Tray trays[2] = {{Player1ButtonsLeft, &frmMain::Player1sButtonAvailable, imgPlayer1},
                         {Player2ButtonsLeft, &frmMain::Player2sButtonAvailable, imgPlayer2}};
  for (const Tray& t : trays) {
    // A tray shows exactly its first N images; a hidden one can't be dragged.
    for (int i = 1; i <= int(t.left); ++i) {
      next([&] { (this->*t.element)(i).SetPicture(t.tile->Picture()); });
      next([&] { (this->*t.element)(i).SetVisible(true); });
    }
    for (int i = int(t.left) + 1; i <= 3; ++i)
      next([&] { (this->*t.element)(i).SetVisible(false); });
  }
}

// ---- Turns ---------------------------------------------------------------------------------

tk::Bool16 frmMain::MoveButton(tk::Byte Mode, tk::Byte FromLocation, tk::Byte ToLocation,
                               tk::Int32 Player) {
  return MoveButtonRule(Mode, FromLocation, ToLocation, Player);
}

void frmMain::ButtonLocation_DragDrop(tk::Int16 Index, tk::Control& Source, float /*X*/,
                                      float /*Y*/) {
  tk::ResumeNext next(!DebugMode);
  std::string name;
  next([&] { name = Source.Name(); });
  const auto it_is_move_of = [&](int player) {
    tk::MsgBox("It is " + GetPlayerName(player) + "'s Move.", tk::kCritical, std::nullopt,
               kAppTitle);
  };
  bool accepted = false;
  // Each check ends the handler on its own statement, so the order below is the order
  // in which a drop is refused.
  next([&] {
    if (name == "Player1sButtonAvailable" || name == "Player2sButtonAvailable") {
      const int player = name == "Player1sButtonAvailable" ? 1 : 2;
      if ((player == 1) != (Player1Turn != 0)) {
        it_is_move_of(player == 1 ? 2 : 1);
        return;
      }
      const tk::Int16 from = tk::Int16::From(Source.Index());
      if (!MoveButton(kPlacement, tk::Byte::From(from), tk::Byte::From(Index), player)) {
        tk::MsgBox("Invalid Move", tk::kCritical, "Invalid", kAppTitle);
        return;
      }
      tk::Byte& left = player == 1 ? Player1ButtonsLeft : Player2ButtonsLeft;
      left = left - tk::Byte(1);
      accepted = true;
    } else if (name == "ButtonLocation") {
      const tk::Byte from = tk::Byte::From(Source.Index());
      const tk::Int32 owner = GetLocationOwner(from).value();
      if (owner == 0) return;  // an empty location was dragged
      if (owner == 1 && Player1Turn == tk::kFalse16) {
        it_is_move_of(2);
        return;
      }
      if (owner == 2 && Player1Turn != tk::kFalse16) {
        it_is_move_of(1);
        return;
      }
      if (!AllButtonsPlaced(owner)) return;  // it has told the player itself
      if (!MoveButton(kMove, from, tk::Byte::From(Index), owner)) {
        tk::MsgBox(GetPlayerName(owner) + "\r" + "Invalid Move", tk::kExclamation, "Invalid",
                   kAppTitle);
        return;
      }
      accepted = true;
    }
  });
  if (!accepted) return;
  // The new position is on the screen before anything else happens.
  next([&] { DrawAvailableButtons(); });
  next([&] { DrawBoard(); });
  tk::Byte Winner = 0;
  next([&] { Winner = CheckForWinner(); });
  if (Winner != 0) {
    frmWon& won = frmWon::Instance();
    next([&] { won.Load(); });
    next([&] {
      won.Label1->SetCaption("Congradulations " + GetPlayerName(Winner.value()) + "  You Won...!");
    });
    next([&] { won.Show(1); });
    return;
  }
  next([&] { Player1Turn = tk::ToBool16(Player1Turn == tk::kFalse16); });
  next([&] {
    SetCaption("Zudir Iduv - Korvane#2 - " + GetPlayerName(Player1Turn != tk::kFalse16 ? 1 : 2) +
               "'s Move");
  });
}

// ---- Names, tiles and tooltips -----------------------------------------------------------

void frmMain::FitTilesToNames() {
  tk::ResumeNext next(!DebugMode);
  float W2 = 0, W1 = 0;
  next([&] { W2 = static_cast<float>(lblPlayer2->Width()); });
  next([&] { W1 = static_cast<float>(lblPlayer1->Width()); });
  // Both tiles take the wider label's width, read afresh for each; a tie takes player 2's.
  tk::Label* wider = W1 > W2 ? lblPlayer1 : lblPlayer2;
  next([&] { imgPlayer1->SetWidth(static_cast<float>(wider->Width())); });
  next([&] { imgPlayer2->SetWidth(static_cast<float>(wider->Width())); });
  next([&] { UpdateTrayToolTips(); });
}

void frmMain::lblPlayer1_Change() {
  FitTilesToNames();
}

void frmMain::lblPlayer2_Change() {
  FitTilesToNames();
}

void frmMain::UpdateTrayToolTips() {
  for (int i = 1; i <= 3; ++i) {
    Player1sButtonAvailable(i).SetToolTipText(lblPlayer1->Caption() + "'s Buttons");
    Player2sButtonAvailable(i).SetToolTipText(lblPlayer2->Caption() + "'s Buttons");
  }
}

void frmMain::RenamePlayer(int player) {
  tk::ResumeNext next(!DebugMode);
  tk::Label* label = player == 1 ? lblPlayer1 : lblPlayer2;
  const std::string number = std::to_string(player);
  std::string answer;
  next([&] {
    answer =
        tk::InputBox("Enter Player " + number + "'s Name Here : ", "Player " + number + "'s Name",
                     label->Caption(), kAppTitle);
  });
  // Cancel, an empty answer and spaces only change nothing; otherwise the name is taken
  // exactly as typed, spaces at its ends included.
  if (TrimSpaces(answer).empty()) return;
  next([&] { label->SetCaption(answer); });
  next([&] { tk::SaveSetting(tk::ExeName(), "Players", "Player" + number, label->Caption()); });
}

void frmMain::lblPlayer1_Click() {
  RenamePlayer(1);
}

void frmMain::lblPlayer2_Click() {
  RenamePlayer(2);
}

void frmMain::imgPlayer1_MouseMove(int, int, float, float) {
  tk::ResumeNext next(!DebugMode);
  next([&] { imgPlayer1->SetToolTipText(lblPlayer1->Caption() + "'s Button"); });
}

void frmMain::imgPlayer2_MouseMove(int, int, float, float) {
  tk::ResumeNext next(!DebugMode);
  next([&] { imgPlayer2->SetToolTipText(lblPlayer2->Caption() + "'s Button"); });
}

// ---- Moving the window, help and about ---------------------------------------------------

void frmMain::Image1_MouseDown(int, int, float, float) {
  modOtherAPIs::ReleaseCapture();
  std::int32_t zero = 0;
  modOtherAPIs::SendMessageA(hWnd(), modOtherAPIs::WM_NCLBUTTONDOWN, modOtherAPIs::HTCAPTION,
                             reinterpret_cast<user32::LPARAM>(&zero));
}

void frmMain::mnuHelpHowToPlay_Click() {
  // The path goes over as the file system names it, whatever the locale's character set:
  // a folder name it cannot spell must still find the page.
  const std::string path = tk::ExeFolder() + "/Help/korvane2.html";
  const std::int32_t result = modOtherAPIs::ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr,
                                                          "/", modOtherAPIs::SW_SHOWNORMAL);
  if (result <= 32) tk::MsgBox("Error in Opening " + path, tk::kCritical, "Error", kAppTitle);
}

void frmMain::mnuHelpKeyBoardConfiguration_Click() {}

void frmMain::mnuHelpAbout_Click() {
  frmCredits& credits = frmCredits::Instance();
  credits.Load();
  credits.Show(1);
}
