#include "wm_frames.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace wm_test {
namespace {

std::optional<QString> Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    p.kill();
    p.waitForFinished(1000);
    return std::nullopt;
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString IdOf(const QWidget& window) {
  return QString::number(window.winId());
}

// The client area on the screen, when the window is mapped and viewable.
std::optional<QRect> ClientOnScreen(const QWidget& window) {
  const auto out = Run("xwininfo", {"-id", IdOf(window)});
  if (!out || !out->contains("IsViewable")) return std::nullopt;
  const auto number = [&](const QString& key) {
    const QRegularExpression re(QRegularExpression::escape(key) + ":\\s*(-?\\d+)");
    return re.match(*out).captured(1).toInt();
  };
  return QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
               number("Height"));
}

std::optional<QMargins> FrameExtents(const QWidget& window) {
  const auto out = Run("xprop", {"-id", IdOf(window), "_NET_FRAME_EXTENTS"});
  if (!out) return std::nullopt;
  const QRegularExpression re("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)");
  const auto m = re.match(*out);
  if (!m.hasMatch()) return std::nullopt;
  // Left, right, top, bottom.
  return QMargins(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt(),
                  m.captured(4).toInt());
}

// The X window ids at the start of the lines of xwininfo's output that match `re`.
QStringList IdsOnLines(const QString& out, const QRegularExpression& re) {
  QStringList ids;
  for (const QString& line : out.split('\n')) {
    if (!re.match(line).hasMatch()) continue;
    const auto m = QRegularExpression("^\\s*(0x[0-9a-f]+)").match(line);
    if (m.hasMatch()) ids << m.captured(1);
  }
  return ids;
}

}  // namespace

QStringList WindowStates(const QWidget& window) {
  const auto out = Run("xprop", {"-id", IdOf(window), "_NET_WM_STATE"});
  if (!out || !out->contains('=')) return {};
  QStringList states;
  for (const QString& s : out->section('=', 1).split(',', Qt::SkipEmptyParts))
    states << s.trimmed();
  return states;
}

unsigned long TransientFor(const QWidget& window) {
  const auto out = Run("xprop", {"-id", IdOf(window), "WM_TRANSIENT_FOR"});
  if (!out) return 0;
  const auto m = QRegularExpression("window id # (0x[0-9a-f]+)").match(*out);
  return m.hasMatch() ? m.captured(1).toULong(nullptr, 16) : 0;
}

std::optional<int> IcewmTaskButtons() {
  // The taskbar's task pane holds one window per task it lists.
  const auto tree = Run("xwininfo", {"-root", "-tree"});
  if (!tree) return std::nullopt;
  const QStringList panes = IdsOnLines(*tree, QRegularExpression("\"TaskPane\""));
  if (panes.size() != 1) return std::nullopt;
  const auto children = Run("xwininfo", {"-id", panes[0], "-children"});
  if (!children) return std::nullopt;
  int shown = 0;
  for (const QString& id : IdsOnLines(*children, QRegularExpression("^\\s+0x[0-9a-f]+ "))) {
    const auto info = Run("xwininfo", {"-id", id});
    if (info && info->contains("IsViewable")) ++shown;
  }
  return shown;
}

bool WindowManagerRunning() {
  const auto out = Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
  return out && out->contains("window id");
}

std::optional<Framed> WaitFramed(const QWidget& window, int timeout_ms) {
  const bool managed = WindowManagerRunning();
  std::optional<Framed> framed;
  (void)QTest::qWaitFor(
      [&] {
        const std::optional<QMargins> frame = managed ? FrameExtents(window) : QMargins();
        const auto client = frame ? ClientOnScreen(window) : std::nullopt;
        if (client) framed = Framed{*client, *frame};
        return framed.has_value();
      },
      timeout_ms);
  return framed;
}

bool WaitClientAt(const QWidget& window, QPoint at, int timeout_ms) {
  return QTest::qWaitFor(
      [&] {
        const auto client = ClientOnScreen(window);
        return client && client->topLeft() == at;
      },
      timeout_ms);
}

}  // namespace wm_test
