// The real game on the X server under a window manager, as a player sees and handles it:
// started with a home of its own, its main window found, the board's place on the
// screen, screenshots of the screen, and the pointer and keys through xdotool.
#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace wm_drag {

// The main window's board in its client area, in pixels (15 twips each).
constexpr QSize kBoardSize(417, 447);
constexpr QPoint kTexture(150, 94);            // the texture, between the lines
constexpr QRect kTray1(128, 368, 41, 33);      // player 1's first tray image
constexpr QRect kTrayRows(128, 368, 153, 73);  // both players' tray images
constexpr QRect kLocation5(184, 168, 49, 49);
constexpr char kCaption[] = "Zudir Iduv - Korvane#2";

class GameUnderWm {
 public:
  GameUnderWm();
  ~GameUnderWm();
  GameUnderWm(const GameUnderWm&) = delete;
  GameUnderWm& operator=(const GameUnderWm&) = delete;

  // Waits for the main window to show; false, with the reason in Errors(), if it does not.
  bool Started();
  std::string Errors();
  const QString& MainWindow() const { return main_; }
  QString Caption() const;

  // The top-left corner of the main window (inside its frame), and of its board, on the
  // screen, as they are now.
  QPoint WindowOrigin() const;
  QPoint BoardOrigin() const;
  // A point of the board on the screen.
  QPoint OnScreen(QPoint board_px) const { return BoardOrigin() + board_px; }
  // The board as it shows on the screen now, once it has been drawn.
  QImage BoardShot() const;

 private:
  QTemporaryDir home_;
  QProcess process_;
  QString main_;
};

// What the screen shows in `rect`, in 32-bit RGB.
QImage ScreenShot(const QRect& rect);

// The player's hands: xdotool's pointer and keyboard. Each gives whether xdotool ran.
bool PointerTo(QPoint screen_px);
bool Button(const char* down_or_up, int button);
// Lets go of the buttons pressed with Button and not released yet.
void ReleaseButtons();
bool Keys(const char* keys);

}  // namespace wm_drag
