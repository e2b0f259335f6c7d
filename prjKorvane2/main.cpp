// The process entry: sets up the runtime for the game and runs Main, then the message
// loop until the last window has been unloaded.
#include <QApplication>

#include "exit_when_shown.h"
#include "frmMain.h"
#include "modMain.h"
#include "modMain_start.h"
#include "runtime/app_info.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/application_start.h"
#include "toolkit/ui/qt_boxes.h"

int main(int argc, char** argv) {
  tk::Application app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  tk::SetAppTitle(modMain::kAppTitle);
  tk::InstallQtBoxes();
  modMain::Main();
  // Off by default: bench/startup sets it to time the start-up.
  if (qEnvironmentVariableIsSet("KORVANE2_EXIT_WHEN_SHOWN") && frmMain::Instance().Window())
    korvane::ExitWhenFirstPainted(*frmMain::Instance().Window());
  return tk::RunMessageLoop();
}
