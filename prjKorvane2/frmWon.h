// The small borderless window that congratulates the winner: it flies in from the
// screen's corner beside the board and collapses and flies back when closed.
#pragma once

#include <cstdint>

#include "modDrawAniRects.h"
#include "toolkit/ui/form.h"

class frmWon : public tk::Form {
 public:
  static frmWon& Instance();

  tk::CommandButton* cmdClose = nullptr;
  tk::Label* Label1 = nullptr;
  tk::Image* Image1 = nullptr;

  // Kept while the window exists, computed again at every load.
  std::int32_t ScreenWidthPx = 0;
  std::int32_t ScreenHeightPx = 0;
  modDrawAniRects::RECT CornerRect{};
  modDrawAniRects::RECT BoxRect{};

  void cmdClose_Click();

 protected:
  void Describe() override;
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(std::int16_t& Cancel) override;

 private:
  frmWon() : Form("frmWon") {}
};
