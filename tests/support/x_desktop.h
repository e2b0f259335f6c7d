// A player's hands and eyes on the X server, through xdotool: find windows by their
// names, read names and places, move the pointer, press buttons and keys. Every wait is
// a poll bounded in time.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace x11play {

// Runs xdotool; its standard output, trimmed, or nullopt when it failed.
std::optional<QString> Xdotool(const QStringList& args);

// Polls every 50 ms until `done` holds or `timeout_ms` has passed; whether it held.
bool WaitUntil(const std::function<bool()>& done, int timeout_ms = 5000);

// The first visible window whose name matches the regular expression, or nullopt.
std::optional<QString> FindWindow(const QString& name_regex);
QString WindowName(const QString& id);
// The window's place and size on the screen, in pixels.
QRect WindowGeometry(const QString& id);

// Presses the left button at one point, moves in steps to another, releases there.
void DragPointer(QPoint from, QPoint to);
// Gives the window the keyboard focus and types one key into it.
void KeyInto(const QString& id, const QString& key);

}  // namespace x11play
