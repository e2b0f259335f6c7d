// The About window: the credits scrolling in the caption control over the board texture.
// The control is reached only by late binding, through its dispatch identifiers.
#pragma once

#include <cstdint>

#include "toolkit/activex/activex_control.h"
#include "toolkit/ui/form.h"

class frmCredits : public tk::Form {
 public:
  static frmCredits& Instance();

  tk::ActiveXControl* Tickerell1 = nullptr;

  void Tickerell1_click();

 protected:
  void Describe() override;
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(std::int16_t& Cancel) override;

 private:
  frmCredits() : Form("frmCredits") {}
};
