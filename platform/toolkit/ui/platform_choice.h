// Which window system the toolkit's programs run on. Their windows place themselves
// (centred by their outer frame, beside each other, collapsing towards a point), which an
// X server lets a program do and a Wayland compositor does not; so where a session offers
// an X display beside a Wayland one, the programs take the X display. A platform the user
// names (QT_QPA_PLATFORM, or -platform on the command line) always wins, and where only
// Wayland is offered the programs run there natively.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tk {

// The platform to ask Qt for, or empty to leave the choice to Qt. `env` reads a variable
// of the environment (empty when unset); `args` are the program's arguments.
std::string ChosenPlatform(const std::function<std::string(const char*)>& env,
                           const std::vector<std::string>& args);

}  // namespace tk
