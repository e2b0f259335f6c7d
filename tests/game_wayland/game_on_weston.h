// The real game beside a Wayland desktop (weston nested in an X server, see
// tests/support/under_weston), as a player sees and handles it: started with a home of its
// own and the displays a session offers, its board found in screenshots of the X server
// by its pixels (a Wayland program cannot say where its window is), and the pointer and
// keys through xdotool on the X server, which weston follows.
#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace wayland_play {

// The main window's board in its client area, in pixels (15 twips each).
constexpr QSize kBoardSize(417, 447);
constexpr QRect kTray1(128, 368, 41, 33);  // player 1's first tray image
constexpr QRect kLocation5(184, 168, 49, 49);
constexpr char kCaption[] = "Zudir Iduv - Korvane#2";

// The displays that a session offers the game.
enum class Offered {
  kBoth,         // an X display and a Wayland one, in a Wayland session
  kWaylandOnly,  // a Wayland display alone
};

class GameOnWeston {
 public:
  // Starts the game with `args`; the platform the environment names (`platform`, unset
  // when empty) goes to it as QT_QPA_PLATFORM.
  GameOnWeston(Offered offered, const QStringList& args = {}, const QString& platform = {});
  ~GameOnWeston();
  GameOnWeston(const GameOnWeston&) = delete;
  GameOnWeston& operator=(const GameOnWeston&) = delete;

  bool Running();
  std::string Errors();
  QProcess& Process() { return process_; }

  // Waits for the board to show whole and still in weston's window; its place on the
  // screen, or nullopt.
  std::optional<QRect> WaitForBoard(int timeout_ms = 20000);

 private:
  QTemporaryDir home_;
  QProcess process_;
};

// What the X screen shows in `rect`, in 32-bit RGB.
QImage ScreenShot(const QRect& rect);
// The place of the board in a screenshot of the whole screen, if it shows there whole.
std::optional<QRect> BoardIn(const QImage& screen);

// The player's hands through xdotool, each giving whether it ran. Weston places its
// pointer where the X pointer enters its window; EnterAt moves the X pointer off that
// window and back in at `p`, so that the two agree.
bool EnterAt(QPoint p);
bool PointerTo(QPoint p);
bool Button(const char* down_or_up, int button);
bool Keys(const char* keys);

}  // namespace wayland_play
