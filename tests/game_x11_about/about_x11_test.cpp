// The About window of the real program on the X server: opened from the keyboard with
// the menu's access keys, looked at in screenshots (red credits rising over the board
// texture), paused and resumed with clicks of the X pointer, and closed the way a window
// manager closes a window, which collapses it and leaves the main window. Every wait is a
// poll bounded in time.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <climits>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "pictures.h"
#include "toolkit/ui/qt_pictures.h"
#include "x_desktop.h"

namespace {

using x11play::FindWindow;
using x11play::WaitUntil;
using x11play::WindowGeometry;
using x11play::Xdotool;

constexpr int kClientWidth = 312;
constexpr int kClientHeight = 236;

QImage Grab(const QString& id) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(id.toULongLong())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// Red text drawn over the texture: the red channel well above the others.
bool Reddish(QRgb px) {
  return qRed(px) - std::max(qGreen(px), qBlue(px)) > 80;
}

std::vector<int> RedPerRow(const QImage& shot) {
  std::vector<int> rows(static_cast<std::size_t>(shot.height()), 0);
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      rows[static_cast<std::size_t>(y)] += Reddish(shot.pixel(x, y));
  return rows;
}

int RedPixels(const QImage& shot) {
  int n = 0;
  for (int r : RedPerRow(shot)) n += r;
  return n;
}

// How far the red text has risen from `before` to `after`, in pixels: the shift that
// best lays the rows' red counts of one over the other (negative: it went down).
int RiseBetween(const QImage& before, const QImage& after) {
  const std::vector<int> a = RedPerRow(before), b = RedPerRow(after);
  const int h = static_cast<int>(a.size());
  int best = 0;
  double best_score = 1e18;
  for (int d = -40; d <= 150; ++d) {
    double score = 0;
    int rows = 0;
    for (int y = 0; y < h; ++y) {
      if (y + d < 0 || y + d >= h) continue;
      score += std::abs(b[static_cast<std::size_t>(y)] - a[static_cast<std::size_t>(y + d)]);
      ++rows;
    }
    if (rows < h / 3) continue;
    score /= rows;
    if (score < best_score) {
      best_score = score;
      best = d;
    }
  }
  return best;
}

// The X server as a window manager sees it, for what xdotool cannot do: asking a window
// to close (WM_DELETE_WINDOW) and reading its size quickly while it collapses.
class XServer {
 public:
  XServer() : c_(xcb_connect(nullptr, nullptr)) {}
  ~XServer() { xcb_disconnect(c_); }
  bool ok() const { return xcb_connection_has_error(c_) == 0; }

  void RequestClose(xcb_window_t w) {
    xcb_client_message_event_t ev;
    std::memset(&ev, 0, sizeof ev);
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = Atom("WM_PROTOCOLS");
    ev.data.data32[0] = Atom("WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c_, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
    xcb_flush(c_);
  }

  // The window's width while it is mapped; nullopt once it is unmapped or gone.
  std::optional<int> MappedWidth(xcb_window_t w) {
    auto* attrs = xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr);
    const bool mapped = attrs && attrs->map_state == XCB_MAP_STATE_VIEWABLE;
    free(attrs);
    if (!mapped) return std::nullopt;
    auto* geo = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr);
    if (!geo) return std::nullopt;
    const int width = geo->width;
    free(geo);
    return width;
  }

 private:
  xcb_atom_t Atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        c_, xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
  }

  xcb_connection_t* c_;
};

class AboutX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "no xdotool";
    ASSERT_TRUE(home_.isValid());
    QProcessEnvironment env = x11play::GameEnvironment(home_.path());
    env.remove("TOOLKIT_MACHINE_STORE");
    game_.setProcessEnvironment(env);
    // A folder without a file named script: the credits come from beside the control.
    game_.setWorkingDirectory(home_.path());
    game_.setProcessChannelMode(QProcess::ForwardedChannels);
    game_.start(KORVANE2_EXE, {});
    ASSERT_TRUE(game_.waitForStarted(5000));
  }
  void TearDown() override {
    if (game_.state() == QProcess::NotRunning) return;
    game_.kill();
    game_.waitForFinished(5000);
  }

  void ClickAt(QPoint p) {
    ASSERT_TRUE(Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y()), "sleep",
                         "0.05", "click", "1"}));
  }
  // The first screenshot of the window, polled until `ok` holds for it.
  std::optional<QImage> ShotWhen(const QString& id, const std::function<bool(const QImage&)>& ok,
                                 int timeout_ms = 10000) {
    std::optional<QImage> found;
    WaitUntil(
        [&] {
          const QImage shot = Grab(id);
          if (shot.size() != QSize(kClientWidth, kClientHeight) || !ok(shot)) return false;
          found = shot;
          return true;
        },
        timeout_ms);
    return found;
  }

  QTemporaryDir home_;
  QProcess game_;
};

TEST_F(AboutX11, CreditsRiseOverTheBoardPauseOnAClickAndCloseWithTheWindow) {
  std::optional<QString> main;
  ASSERT_TRUE(WaitUntil([&] { return (main = FindWindow("^Zudir Iduv - Korvane#2$")).has_value(); },
                        20000));
  // Help > About by its access keys.
  ASSERT_TRUE(x11play::OpenMenu(*main, game_.processId(), "alt+h")) << "the Help menu did not open";
  x11play::Type("a");
  std::optional<QString> credits;
  ASSERT_TRUE(WaitUntil([&] { return (credits = FindWindow("^Credits$")).has_value(); }, 10000))
      << "no window named Credits";
  const QRect frame = WindowGeometry(*credits);
  EXPECT_EQ(frame.size(), QSize(kClientWidth, kClientHeight));

  // Red text over the board texture, once drawn.
  const auto first = ShotWhen(*credits, [](const QImage& s) { return RedPixels(s) > 200; });
  ASSERT_TRUE(first) << "no red text appeared";
  const QImage board =
      tk::ToQImage(*korvane::BoardTexturePicture()).convertToFormat(QImage::Format_RGB32);
  int texture = 0;
  for (int y = 0; y < kClientHeight; ++y)
    for (int x = 0; x < kClientWidth; ++x) texture += first->pixel(x, y) == board.pixel(x, y);
  EXPECT_GT(texture, kClientWidth * kClientHeight / 2) << "the board texture shows behind the text";

  // Rising: past the start-up wait, a shot a little later shows the text higher up.
  std::optional<QImage> a = ShotWhen(
      *credits, [&](const QImage& s) { return RedPixels(s) > 200 && s != *first; }, 10000);
  ASSERT_TRUE(a) << "the credits do not move";
  EXPECT_TRUE(ShotWhen(*credits, [&](const QImage& s) {
    return RedPixels(s) > 200 && RiseBetween(*a, s) > 0;
  })) << "the text did not rise";

  // A click stops it where it stands: two shots a while apart come out the same...
  const QPoint centre = frame.center();
  ClickAt(centre);
  QImage still;
  EXPECT_TRUE(WaitUntil([&] {
    const QImage before = Grab(*credits);
    QThread::msleep(200);  // scrolling, the text would rise 20 pixels meanwhile
    still = Grab(*credits);
    return RedPixels(still) > 200 && before == still;
  })) << "the credits did not stop";
  // ...and stay so: time in which they would have moved on.
  QThread::msleep(500);
  EXPECT_TRUE(Grab(*credits) == still) << "the credits moved while paused";

  // ...and another lets it go on rising from there.
  ClickAt(centre);
  EXPECT_TRUE(ShotWhen(*credits, [&](const QImage& s) {
    return RedPixels(s) > 200 && RiseBetween(still, s) > 0;
  })) << "the credits did not go on";

  // Closed as a window manager closes it: the window collapses and goes; the game stays.
  XServer x;
  ASSERT_TRUE(x.ok());
  const auto window = static_cast<xcb_window_t>(credits->toULongLong());
  x.RequestClose(window);
  int narrowest = INT_MAX;
  // Polled often: the collapse lasts 0.3 s.
  EXPECT_TRUE(WaitUntil(
      [&] {
        const auto width = x.MappedWidth(window);
        if (width) narrowest = std::min(narrowest, *width);
        return !width.has_value();
      },
      10000, 5))
      << "the About window did not close";
  EXPECT_LT(narrowest, kClientWidth) << "the window did not collapse";
  EXPECT_FALSE(FindWindow("^Credits$"));
  EXPECT_TRUE(FindWindow("^Zudir Iduv - Korvane#2$")) << "the main window went too";
  EXPECT_EQ(game_.state(), QProcess::Running);
}

}  // namespace
