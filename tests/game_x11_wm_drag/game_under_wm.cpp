#include "game_under_wm.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdlib>
#include <memory>
#include <set>
#include <string_view>

#include "x_desktop.h"

namespace wm_drag {
namespace {

// Where an X window is on the screen and how large it is, asked of the X server (the
// window manager's frame is not included).
std::optional<QRect> XGeometry(const QString& id) {
  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> c(xcb_connect(nullptr, nullptr),
                                                                 &xcb_disconnect);
  if (xcb_connection_has_error(c.get()) != 0) return std::nullopt;
  const auto window = static_cast<xcb_window_t>(id.toULongLong());
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
      xcb_get_geometry_reply(c.get(), xcb_get_geometry(c.get(), window), nullptr), &std::free);
  if (!geometry) return std::nullopt;
  std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> at(
      xcb_translate_coordinates_reply(
          c.get(), xcb_translate_coordinates(c.get(), window, geometry->root, 0, 0), nullptr),
      &std::free);
  if (!at) return std::nullopt;
  return QRect(at->dst_x, at->dst_y, geometry->width, geometry->height);
}

}  // namespace

GameUnderWm::GameUnderWm() {
  QProcessEnvironment env = x11play::GameEnvironment(home_.path());
  process_.setProcessEnvironment(env);
  process_.start(KORVANE2_EXE, {});
}

GameUnderWm::~GameUnderWm() {
  ReleaseButtons();
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished(5000);
}

bool GameUnderWm::Started() {
  if (!process_.waitForStarted(5000)) return false;
  const auto found = [&] {
    const auto id = x11play::FindWindow(QString("^") + kCaption + "$");
    if (id) main_ = *id;
    return id.has_value() && XGeometry(main_).has_value();
  };
  return x11play::WaitUntil(found, 20000);
}

std::string GameUnderWm::Errors() {
  return process_.readAllStandardError().toStdString();
}

QString GameUnderWm::Caption() const {
  return x11play::WindowName(main_);
}

QPoint GameUnderWm::WindowOrigin() const {
  return XGeometry(main_).value_or(QRect()).topLeft();
}

QPoint GameUnderWm::BoardOrigin() const {
  const QRect window = XGeometry(main_).value_or(QRect());
  // The menu bar lies above the board.
  return window.topLeft() + QPoint(0, window.height() - kBoardSize.height());
}

QImage GameUnderWm::BoardShot() const {
  // Drawn once the texture shows at its top left, and two shots a moment apart agree.
  const auto drawn = [](const QImage& shot) {
    const QRgb px = shot.pixel(kTexture);
    return qRed(px) > qBlue(px) + 30 && qGreen(px) > qBlue(px);
  };
  QImage shot;
  x11play::WaitUntil(
      [&] {
        const QImage next = ScreenShot(QRect(BoardOrigin(), kBoardSize));
        const bool done = drawn(next) && next == shot;
        shot = next;
        return done;
      },
      10000);
  return shot;
}

QImage ScreenShot(const QRect& rect) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

bool PointerTo(QPoint p) {
  return x11play::Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())})
      .has_value();
}

namespace {

// The buttons pressed and not yet released, so that a test that stops half way leaves
// none down for the next.
std::set<int>& HeldButtons() {
  static std::set<int> held;
  return held;
}

}  // namespace

bool Button(const char* down_or_up, int button) {
  if (std::string_view(down_or_up) == "mousedown")
    HeldButtons().insert(button);
  else
    HeldButtons().erase(button);
  return x11play::Xdotool({down_or_up, QString::number(button)}).has_value();
}

void ReleaseButtons() {
  while (!HeldButtons().empty()) Button("mouseup", *HeldButtons().begin());
}

bool Keys(const char* keys) {
  return x11play::Xdotool({"key", keys}).has_value();
}

}  // namespace wm_drag
