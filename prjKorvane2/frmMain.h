// The game's main window: the board of nine locations joined by lines, the two trays of
// unplaced buttons, the name tiles, the first-move option and the Game and Help menus.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "runtime/checked.h"
#include "toolkit/ui/form.h"

class frmMain : public tk::Form {
 public:
  // The one main window of the program.
  static frmMain& Instance();

  // Controls, by their design names. Arrays keep their design index bases; reaching an
  // element outside them raises Subscript out of range (9).
  tk::Frame* Frame2 = nullptr;
  tk::Image* Image1 = nullptr;
  tk::Shape* shpRect = nullptr;
  tk::Image* imgPlayer1 = nullptr;
  tk::Image* imgPlayer2 = nullptr;
  tk::Label* lblPlayer1 = nullptr;
  tk::Label* lblPlayer2 = nullptr;
  tk::CheckBox* chkFirtsMovePlayer1 = nullptr;
  tk::Label* Label1 = nullptr;
  tk::Image& ButtonLocation(int index) const;           // 1 to 9
  tk::Image& Player1sButtonAvailable(int index) const;  // 1 to 3
  tk::Image& Player2sButtonAvailable(int index) const;  // 1 to 3
  tk::Shape& shpCircle(int index) const;                // 0 to 8
  tk::Line& Line1(int index) const;                     // 0 to 7

  // Menu commands and events.
  void mnuFileNewGame_Click();
  void mnuFileExit_Click();
  void mnuHelpHowToPlay_Click();
  void mnuHelpKeyBoardConfiguration_Click();
  void mnuHelpAbout_Click();
  void chkFirtsMovePlayer1_Click();
  void ButtonLocation_DragDrop(tk::Int16 Index, tk::Control& Source, float X, float Y);
  void lblPlayer1_Change();
  void lblPlayer2_Change();
  void lblPlayer1_Click();
  void lblPlayer2_Click();
  void imgPlayer1_MouseMove(int Button, int Shift, float X, float Y);
  void imgPlayer2_MouseMove(int Button, int Shift, float X, float Y);
  void Image1_MouseDown(int Button, int Shift, float X, float Y);

 protected:
  void Describe() override;
  void Form_Load() override;
  void Form_Unload(std::int16_t& Cancel) override;

 private:
  frmMain() : Form("frmMain") {}

  void DescribeMenus();
  void DescribeBoard(tk::ControlSurface& frame);
  void ConnectEvents();

  tk::Bool16 MoveButton(tk::Byte Mode, tk::Byte FromLocation, tk::Byte ToLocation,
                        tk::Int32 Player);
  void LoadPlayers();
  void DrawBoard();
  void DrawLocation(tk::Byte Row, const tk::Byte& Col, const tk::Byte& Owner);
  void DrawAvailableButtons();
  void UpdateTrayToolTips();
  void RenamePlayer(int player);
  void FitTilesToNames();

  std::array<tk::Image*, 9> locations_{};
  std::array<tk::Image*, 3> tray1_{};
  std::array<tk::Image*, 3> tray2_{};
  std::array<tk::Shape*, 9> circles_{};
  std::array<tk::Line*, 8> lines_{};
};
