// The other calls of the window system and the desktop shell that the main window makes:
// moving the window by its background and opening the help page.
#pragma once

#include "shell32/shell32.h"
#include "user32/user32.h"

namespace modOtherAPIs {

using shell32::ShellExecuteA;
using shell32::SW_SHOWNORMAL;
using user32::HTCAPTION;
using user32::ReleaseCapture;
using user32::SendMessageA;
using user32::WM_NCLBUTTONDOWN;

}  // namespace modOtherAPIs
