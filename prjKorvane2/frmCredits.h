// The About window: the credits scrolling in the caption control over the board texture.
#pragma once

#include <cstdint>

#include "form.h"

class frmCredits : public tk::Form {
 public:
  static frmCredits& Instance();

 protected:
  void Describe() override;
  void Form_Unload(std::int16_t& Cancel) override;

 private:
  frmCredits() : Form("frmCredits") {}
};
