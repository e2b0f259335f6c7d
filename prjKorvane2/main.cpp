// The process entry: sets up the runtime for the game and runs Main, then the message
// loop until the last window has been unloaded.
#include <QApplication>

#include "app_info.h"
#include "application.h"
#include "modMain.h"
#include "modMain_start.h"
#include "qt_boxes.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  tk::SetAppTitle(modMain::kAppTitle);
  tk::InstallQtBoxes();
  modMain::Main();
  return tk::RunMessageLoop();
}
