// Plays the X server through xdotool, as a player's pointer and keyboard would.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace korvane_test {

bool HaveXdotool();
// Runs xdotool; its standard output, or nullopt when it failed.
std::optional<std::string> Xdotool(const QStringList& args, int timeout_ms = 20000);
// The first window whose title matches `pattern` (a regular expression), waiting up to
// `timeout_ms` for it to appear.
// `pid` non-zero: only that process's windows.
std::optional<std::string> WaitForWindow(const QString& pattern, qint64 pid = 0,
                                         int timeout_ms = 20000);

}  // namespace korvane_test
