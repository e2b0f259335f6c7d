#include "x_desktop.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace x11play {

QProcessEnvironment GameEnvironment(const QString& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", home);
  env.insert("XDG_CONFIG_HOME", home + "/config");
  env.insert("TOOLKIT_STORE", home + "/config/toolkit/user.store");
  env.insert("QT_QPA_PLATFORM", "xcb");
  return env;
}

std::optional<QString> Xdotool(const QStringList& args) {
  QProcess p;
  p.start("xdotool", args);
  if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    p.kill();
    p.waitForFinished(1000);
    return std::nullopt;
  }
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

bool WaitUntil(const std::function<bool()>& done, int timeout_ms, int poll_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeout_ms) return false;
    QThread::msleep(static_cast<unsigned long>(poll_ms));
  }
  return true;
}

std::optional<QString> FindWindow(const QString& name_regex) {
  const auto out = Xdotool({"search", "--onlyvisible", "--name", name_regex});
  if (!out || out->isEmpty()) return std::nullopt;
  return out->split('\n').first().trimmed();
}

QString WindowName(const QString& id) {
  return Xdotool({"getwindowname", id}).value_or(QString());
}

QRect WindowGeometry(const QString& id) {
  const auto out = Xdotool({"getwindowgeometry", "--shell", id});
  if (!out) return {};
  int x = 0, y = 0, w = 0, h = 0;
  for (const QString& line : out->split('\n')) {
    const QString key = line.section('=', 0, 0), value = line.section('=', 1);
    if (key == "X") x = value.toInt();
    if (key == "Y") y = value.toInt();
    if (key == "WIDTH") w = value.toInt();
    if (key == "HEIGHT") h = value.toInt();
  }
  return QRect(x, y, w, h);
}

void DragPointer(QPoint from, QPoint to) {
  const auto at = [](QPoint p) {
    return QStringList{QString::number(p.x()), QString::number(p.y())};
  };
  const QPoint mid = (from + to) / 2;
  // The pauses only pace the hand; the server delivers the events in order whatever they are.
  Xdotool(QStringList{"mousemove"} + at(from) +
          QStringList{"sleep", "0.05", "mousedown", "1", "sleep", "0.05", "mousemove"} + at(mid) +
          QStringList{"sleep", "0.05", "mousemove"} + at(to) +
          QStringList{"sleep", "0.05", "mouseup", "1"});
}

void KeyInto(const QString& id, const QString& key) {
  Xdotool({"windowfocus", "--sync", id});
  Xdotool({"key", key});
}

QStringList VisibleWindowsOf(qint64 pid) {
  const auto out = Xdotool({"search", "--onlyvisible", "--pid", QString::number(pid)});
  if (!out || out->isEmpty()) return {};
  return out->split('\n');
}

bool OpenMenu(const QString& window, qint64 pid, const QString& access_key) {
  const QStringList before = VisibleWindowsOf(pid);
  KeyInto(window, access_key);
  return WaitUntil([&] {
    for (const QString& id : VisibleWindowsOf(pid))
      if (!before.contains(id)) return true;
    return false;
  });
}

void Type(const QString& keys) {
  Xdotool({"key", keys});
}

}  // namespace x11play
