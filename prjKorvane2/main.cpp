// The process entry: sets up the runtime for the game and runs Main, then the message
// loop until the last window has been unloaded.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>

#include "app_info.h"
#include "application.h"
#include "application_start.h"
#include "frmMain.h"
#include "modMain.h"
#include "modMain_start.h"
#include "qt_boxes.h"

namespace {

// For timing the start-up (bench/startup): with KORVANE2_EXIT_WHEN_SHOWN set, the program
// prints "shown" once the main window has first been painted, and ends. Off by default.
class ExitWhenShown : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done_) {
      done_ = true;
      // Queued, so the whole window has been painted and flushed first.
      QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  tk::Application app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  tk::SetAppTitle(modMain::kAppTitle);
  tk::InstallQtBoxes();
  ExitWhenShown exit_when_shown;
  modMain::Main();
  if (qEnvironmentVariableIsSet("KORVANE2_EXIT_WHEN_SHOWN") && frmMain::Instance().Window())
    frmMain::Instance().Window()->installEventFilter(&exit_when_shown);
  return tk::RunMessageLoop();
}
