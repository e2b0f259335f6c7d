#include "game_on_weston.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "x_desktop.h"

namespace wayland_play {
namespace {

// The board's texture, told from weston's grey desktop, its panel and the window's frame.
bool IsTexture(QRgb px) {
  return qRed(px) > qBlue(px) + 30 && qGreen(px) > qBlue(px);
}

// Off weston's window (1024 x 768 at the top left of a larger X screen).
constexpr QPoint kOffWeston(1200, 850);

}  // namespace

GameOnWeston::GameOnWeston(Offered offered, const QStringList& args, const QString& platform) {
  QProcessEnvironment env = x11play::GameEnvironment(home_.path());
  env.remove("QT_QPA_PLATFORM");
  if (!platform.isEmpty()) env.insert("QT_QPA_PLATFORM", platform);
  env.insert("XDG_SESSION_TYPE", "wayland");
  if (offered == Offered::kWaylandOnly) env.remove("DISPLAY");
  process_.setProcessEnvironment(env);
  process_.start(KORVANE2_EXE, args);
}

GameOnWeston::~GameOnWeston() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished(5000);
}

bool GameOnWeston::Running() {
  return process_.waitForStarted(5000) && process_.state() == QProcess::Running;
}

std::string GameOnWeston::Errors() {
  return process_.readAllStandardError().toStdString();
}

std::optional<QRect> GameOnWeston::WaitForBoard(int timeout_ms) {
  // Whole, and the same in two shots a moment apart: drawn, and placed for good.
  std::optional<QRect> board;
  QImage last;
  x11play::WaitUntil(
      [&] {
        const QImage shot = ScreenShot(QGuiApplication::primaryScreen()->geometry());
        const std::optional<QRect> seen = BoardIn(shot);
        const QImage now = seen ? shot.copy(*seen) : QImage();
        const bool still = seen && seen == board && now == last;
        board = seen;
        last = now;
        return still;
      },
      timeout_ms, 100);
  if (!board || last.isNull()) return std::nullopt;
  return board;
}

QImage ScreenShot(const QRect& rect) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

std::optional<QRect> BoardIn(const QImage& screen) {
  // The texture covers the whole board and shows in each of its rows and columns, past
  // its lines and controls; the rows and columns where it shows make up the board. Small
  // things of the same colours elsewhere (the window's icon) fall short of that.
  constexpr int kEnough = 30;
  std::vector<int> rows(static_cast<std::size_t>(screen.height()));
  std::vector<int> columns(static_cast<std::size_t>(screen.width()));
  for (int y = 0; y < screen.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
    for (int x = 0; x < screen.width(); ++x) {
      if (!IsTexture(line[x])) continue;
      ++rows[static_cast<std::size_t>(y)];
      ++columns[static_cast<std::size_t>(x)];
    }
  }
  const auto span = [](const std::vector<int>& counts) -> std::pair<int, int> {
    const auto enough = [](int n) { return n >= kEnough; };
    const auto first = std::find_if(counts.begin(), counts.end(), enough);
    const auto last = std::find_if(counts.rbegin(), counts.rend(), enough);
    if (first == counts.end()) return {0, -1};
    return {static_cast<int>(first - counts.begin()), static_cast<int>(counts.rend() - last) - 1};
  };
  const auto [top, bottom] = span(rows);
  const auto [left, right] = span(columns);
  const QRect box(QPoint(left, top), QPoint(right, bottom));
  if (box.size() != kBoardSize) return std::nullopt;
  return box;
}

bool PointerTo(QPoint p) {
  return x11play::Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())})
      .has_value();
}

bool EnterAt(QPoint p) {
  return PointerTo(kOffWeston) && PointerTo(p);
}

bool Button(const char* down_or_up, int button) {
  return x11play::Xdotool({down_or_up, QString::number(button)}).has_value();
}

bool Keys(const char* keys) {
  return x11play::Xdotool({"key", keys}).has_value();
}

}  // namespace wayland_play
