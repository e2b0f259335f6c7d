#include "frmKeyboardConfig.h"

#include "pictures.h"

void frmKeyboardConfig::Describe() {
  tk::FormAttributes& a = Attributes();
  a.caption = "Korvane#2 Keyboard Configuration";
  a.border = tk::BorderStyle::kFixedDialog;
  a.min_button = false;
  a.max_button = false;
  a.show_in_taskbar = false;
  a.start_position = tk::StartUpPosition::kCenterOwner;
  a.client_width = 5565;
  a.client_height = 5475;
  a.icon = korvane::AppIconPicture();
}
