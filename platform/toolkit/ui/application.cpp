#include "toolkit/ui/application.h"

#include <QApplication>
#include <QEventLoop>

#include "runtime/errors.h"
#include "runtime/prompts.h"

namespace tk {
namespace {

int loaded_windows = 0;
bool message_loop_running = false;

}  // namespace

std::string UntrappedErrorText(int number, const std::string& description) {
  return "Run-time error '" + std::to_string(number) + "':\r\r" + description;
}

void RunHandler(const std::function<void()>& handler) {
  if (const TrappedError e = Trap(handler))
    MsgBox(UntrappedErrorText(e.number, e.description), kCritical);
}

void PumpEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int RunMessageLoop() {
  if (loaded_windows == 0) return 0;
  message_loop_running = true;
  const int code = QApplication::exec();
  message_loop_running = false;
  return code;
}

void WindowLoaded() {
  ++loaded_windows;
}

void WindowUnloaded() {
  if (loaded_windows > 0) --loaded_windows;
  if (loaded_windows == 0 && message_loop_running) QCoreApplication::exit(0);
}

int LoadedWindowCount() {
  return loaded_windows;
}

}  // namespace tk
