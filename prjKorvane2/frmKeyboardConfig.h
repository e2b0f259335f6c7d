// A window that the program carries but never opens: no item, button or procedure loads it.
#pragma once

#include "toolkit/ui/form.h"

class frmKeyboardConfig : public tk::Form {
 public:
  frmKeyboardConfig() : Form("frmKeyboardConfig") {}

 protected:
  void Describe() override;
};
