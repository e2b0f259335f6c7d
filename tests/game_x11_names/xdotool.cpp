#include "xdotool.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace korvane_test {

bool HaveXdotool() {
  return !QStandardPaths::findExecutable("xdotool").isEmpty();
}

std::optional<std::string> Xdotool(const QStringList& args, int timeout_ms) {
  QProcess p;
  p.start("xdotool", args);
  if (!p.waitForFinished(timeout_ms) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return std::nullopt;
  return p.readAllStandardOutput().toStdString();
}

std::optional<std::string> WaitForWindow(const QString& pattern, qint64 pid, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeout_ms) {
    QStringList args = {"search", "--all", "--onlyvisible"};
    if (pid != 0) args << "--pid" << QString::number(pid);
    args << "--name" << pattern;
    if (auto out = Xdotool(args); out && !out->empty()) return out->substr(0, out->find('\n'));
    QTest::qWait(100);
  }
  return std::nullopt;
}

}  // namespace korvane_test
