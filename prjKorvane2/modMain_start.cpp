// The program's start procedure, Main of modMain: it shows the main window and switches
// Num Lock on; from then on everything happens in event handlers.
#include "modMain_start.h"

#include "frmMain.h"
#include "modCapsNumScrollOnOff.h"
#include "modMain.h"
#include "runtime/errors.h"

namespace modMain {

void Main() {
  DebugMode = tk::kFalse16;
  tk::ResumeNext next(!DebugMode);
  next([] { frmMain::Instance().Load(); });
  next([] { frmMain::Instance().Show(); });
  next([] { modCapsNumScrollOnOff::SetLockKeyOn(144); });
}

}  // namespace modMain
