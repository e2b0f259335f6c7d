// The program's run: handlers that the toolkit calls, errors that leave them, event
// pumping, and the end of the program when its last window unloads.
#pragma once

#include <functional>
#include <string>

namespace tk {

// Runs an event handler. A run-time error that leaves it untrapped is shown in a critical
// box with its number and description, and the program goes on.
void RunHandler(const std::function<void()>& handler);

// The text of that box: "Run-time error '6':" then a blank line, then the description.
std::string UntrappedErrorText(int number, const std::string& description);

// Runs pending events once.
void PumpEvents();

// Runs the message loop until no window is loaded any more; returns the exit code.
int RunMessageLoop();

// Bookkeeping of loaded windows; when the count falls to 0 inside RunMessageLoop, the
// program ends.
void WindowLoaded();
void WindowUnloaded();
int LoadedWindowCount();

}  // namespace tk
