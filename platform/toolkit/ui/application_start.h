// The start of a program built on the toolkit: its QApplication, made on the window system
// that the toolkit chooses for its windows (platform_choice.h).
#pragma once

#include <QApplication>

namespace tk {

class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
};

}  // namespace tk
