#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <string>

#include "x_desktop.h"

namespace {

constexpr const char* kCaption = "Zudir Iduv - Korvane#2";
constexpr int kClientWidth = 417;
constexpr int kClientHeight = 447;

struct Rgb {
  double r, g, b;
};

// The average colour of a box of the client area.
Rgb Average(const QImage& client, QRect box) {
  double r = 0, g = 0, b = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      const QRgb px = client.pixel(x, y);
      r += qRed(px);
      g += qGreen(px);
      b += qBlue(px);
    }
  }
  const double n = double(box.width()) * box.height();
  return {r / n, g / n, b / n};
}

::testing::AssertionResult Near(const Rgb& seen, const Rgb& wanted, double tolerance,
                                const std::string& what) {
  if (std::abs(seen.r - wanted.r) <= tolerance && std::abs(seen.g - wanted.g) <= tolerance &&
      std::abs(seen.b - wanted.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << ": saw (" << int(seen.r) << ", " << int(seen.g) << ", " << int(seen.b)
         << "), wanted (" << int(wanted.r) << ", " << int(wanted.g) << ", " << int(wanted.b) << ")";
}

class RealProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    QProcessEnvironment env = x11play::GameEnvironment(home_.path());
    game_.setProcessEnvironment(env);
    game_.setProcessChannelMode(QProcess::ForwardedChannels);
    game_.start(KORVANE2_EXE, {});
    ASSERT_TRUE(game_.waitForStarted(5000));
  }
  void TearDown() override {
    if (game_.state() != QProcess::NotRunning) {
      game_.kill();
      game_.waitForFinished(5000);
    }
  }

  // The id of the game's visible window, or empty once the time is up.
  QString WaitForWindow() {
    std::optional<QString> id;
    x11play::WaitUntil(
        [&] {
          id = x11play::FindWindow(QString("^") + QRegularExpression::escape(kCaption) + "$");
          return id.has_value();
        },
        20000);
    return id.value_or(QString());
  }

  // The client area below the menu bar, once the board has been drawn on it.
  QImage GrabClient(const QString& id) {
    QImage client;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
      const QImage window =
          QGuiApplication::primaryScreen()->grabWindow(id.toULongLong()).toImage();
      if (window.width() == kClientWidth && window.height() > kClientHeight) {
        client = window.copy(0, window.height() - kClientHeight, kClientWidth, kClientHeight)
                     .convertToFormat(QImage::Format_RGB32);
        // Drawn: the board's tan shows between the locations.
        if (Near(Average(client, QRect(240, 90, 30, 20)), {180, 155, 123}, 30, "tan")) break;
      }
      QThread::msleep(50);
    }
    return client;
  }

  QTemporaryDir home_;
  QProcess game_;
};

TEST_F(RealProgram, ShowsTheBoardWithFullTraysAndQuitsFromTheGameMenu) {
  const QString id = WaitForWindow();
  ASSERT_FALSE(id.isEmpty()) << "no window named " << kCaption;
  const QImage client = GrabClient(id);
  ASSERT_FALSE(client.isNull()) << "no window of " << kClientWidth << " x (menu bar + "
                                << kClientHeight << ") pixels";

  const Rgb tan{180, 155, 123}, navy{0, 0, 128}, teal{0, 128, 128};
  const Rgb blue{135, 199, 239}, pink{223, 115, 176};
  EXPECT_TRUE(Near(Average(client, QRect(240, 90, 30, 20)), tan, 25, "board texture"));
  EXPECT_TRUE(Near(Average(client, QRect(380, 120, 20, 60)), tan, 25, "board texture, right"));
  EXPECT_TRUE(Near(Average(client, QRect(100, 59, 40, 3)), navy, 25, "square, top edge"));
  EXPECT_TRUE(Near(Average(client, QRect(110, 190, 40, 5)), navy, 25, "spoke 4-5"));
  EXPECT_TRUE(Near(Average(client, QRect(206, 110, 5, 30)), navy, 25, "spoke 2-5"));
  EXPECT_TRUE(Near(Average(client, QRect(127, 123, 3, 3)), navy, 25, "spoke 1-5"));
  for (int n = 0; n < 9; ++n) {
    const QPoint centre(24 + 160 * (n % 3) + 24, 32 + 136 * (n / 3) + 24);
    EXPECT_TRUE(Near(Average(client, QRect(centre - QPoint(3, 3), QSize(7, 7))), teal, 25,
                     "circle of location " + std::to_string(n + 1)));
  }
  for (int i = 0; i < 3; ++i) {
    const int left = 128 + 56 * i;
    EXPECT_TRUE(Near(Average(client, QRect(left + 4, 368 + 4, 33, 25)), blue, 30,
                     "player 1's tray " + std::to_string(i + 1)));
    EXPECT_TRUE(Near(Average(client, QRect(left + 4, 408 + 4, 33, 25)), pink, 30,
                     "player 2's tray " + std::to_string(i + 1)));
  }
  if (HasFailure()) client.save(QDir::current().filePath("game_x11_start_failure.png"));

  // Game > Exit by its access keys; with both trays full it asks nothing.
  ASSERT_TRUE(x11play::OpenMenu(id, game_.processId(), "alt+g")) << "the Game menu did not open";
  x11play::Type("x");
  EXPECT_TRUE(game_.waitForFinished(20000)) << "still running after Game > Exit";
  EXPECT_EQ(game_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game_.exitCode(), 0);
}

}  // namespace
