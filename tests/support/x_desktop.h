// A player's hands and eyes on the X server, through xdotool: find windows by their
// names, read names and places, move the pointer, press buttons and keys. Every wait is
// a poll bounded in time.
#pragma once

#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace x11play {

// The environment the real game runs in on the X server, with a home of its own under
// `home`: its settings and its store there, never the user's.
QProcessEnvironment GameEnvironment(const QString& home);

// Runs xdotool; its standard output, trimmed, or nullopt when it failed.
std::optional<QString> Xdotool(const QStringList& args);

// Polls every `poll_ms` until `done` holds or `timeout_ms` has passed; whether it held.
// The bound is generous: on a busy machine a program may take seconds to answer.
bool WaitUntil(const std::function<bool()>& done, int timeout_ms = 10000, int poll_ms = 50);

// The first visible window whose name matches the regular expression, or nullopt.
std::optional<QString> FindWindow(const QString& name_regex);
QString WindowName(const QString& id);
// The window's place and size on the screen, in pixels.
QRect WindowGeometry(const QString& id);

// Presses the left button at one point, moves in steps to another, releases there.
void DragPointer(QPoint from, QPoint to);
// Gives the window the keyboard focus and types one key into it.
void KeyInto(const QString& id, const QString& key);

// The visible windows of a process: its windows, boxes and open menus.
QStringList VisibleWindowsOf(qint64 pid);
// Types an access key (e.g. "alt+h") into a window of the process and waits until the
// menu it opens is on the screen; whether it came. Keys typed next go to that menu.
bool OpenMenu(const QString& window, qint64 pid, const QString& access_key);
// Types keys into whatever holds the keyboard (an open menu, say).
void Type(const QString& keys);

}  // namespace x11play
