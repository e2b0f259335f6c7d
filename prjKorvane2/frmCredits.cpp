#include "frmCredits.h"

#include "modFrmAnim.h"
#include "pictures.h"

frmCredits& frmCredits::Instance() {
  static frmCredits* form = new frmCredits();
  return *form;
}

void frmCredits::Describe() {
  tk::FormAttributes& a = Attributes();
  a.caption = "Credits";
  a.border = tk::BorderStyle::kFixedSingle;
  a.min_button = false;
  a.max_button = false;
  a.show_in_taskbar = false;
  a.start_position = tk::StartUpPosition::kCenterOwner;
  a.client_width = 4680;
  a.client_height = 3540;
  a.icon = korvane::AppIconPicture();
}

void frmCredits::Form_Unload(std::int16_t& /*Cancel*/) {
  modFrmAnim::AnimateForm(*this, 8, 300);
}
