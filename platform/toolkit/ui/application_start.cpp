#include "toolkit/ui/application_start.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/ui/platform_choice.h"

namespace tk {
namespace {

bool platform_set = false;

// Sets the platform for the QApplication about to be made, before it reads it.
int& WithPlatformChosen(int& argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  const std::string chosen = ChosenPlatform(
      [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
      },
      args);
  platform_set = !chosen.empty();
  if (platform_set) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(chosen));
  return argc;
}

}  // namespace

Application::Application(int& argc, char** argv)
    : QApplication(WithPlatformChosen(argc, argv), argv) {
  // The choice is for this program's windows alone; a program it starts (the help page's
  // browser) makes its own.
  if (platform_set) qunsetenv("QT_QPA_PLATFORM");
}

}  // namespace tk
