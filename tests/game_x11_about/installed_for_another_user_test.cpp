// The game installed by the superuser, played by an ordinary user: the build tree is
// installed into a scratch prefix, and the installed launcher runs as the unprivileged
// user nobody, with an empty home of his own, on the X server. Help > About shows the
// credits through the machine-wide registration, his renamed player is saved in his own
// store, and the installation is left as it was. Every wait is a poll bounded in time.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "runtime/key_store.h"
#include "x_desktop.h"

namespace {

namespace fs = std::filesystem;
using x11play::FindWindow;
using x11play::WaitUntil;
using x11play::WindowGeometry;
using x11play::Xdotool;

constexpr char kMainTitle[] = "^Zudir Iduv - Korvane#2$";
constexpr char kErrorBoxTitle[] = "^Game Korvane#2$";
constexpr int kMainClientHeight = 447;
// The middle of the start of lblPlayer1's caption in the main window's client area, in
// pixels (120, 5640 twips).
constexpr QPoint kPlayer1Name(8 + 12, 376 + 6);
constexpr char kPlayersKey[] = "Software\\Program Settings\\Korvane2\\Players";

std::set<std::string> Listing(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir)) names.insert(e.path().string());
  return names;
}

int RedPixels(const QImage& shot) {
  int n = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QRgb px = shot.pixel(x, y);
      n += qRed(px) - std::max(qGreen(px), qBlue(px)) > 80;
    }
  return n;
}

// Runs a program to its end; its exit code, or -1.
int RunToEnd(const QString& program, const QStringList& args, QString* output = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForFinished(180000)) {
    p.kill();
    p.waitForFinished(5000);
    return -1;
  }
  if (output) *output = QString::fromLocal8Bit(p.readAll());
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class InstalledForAnotherUser : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0)
      GTEST_SKIP() << "installing for every user and playing as another needs the superuser; "
                      "run as root to test it";
    if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "no xdotool";
    if (QStandardPaths::findExecutable("setpriv").isEmpty()) GTEST_SKIP() << "no setpriv";
    const passwd* nobody = getpwnam("nobody");
    const group* nogroup = getgrnam("nogroup");
    if (!nobody || !nogroup) GTEST_SKIP() << "no user nobody or group nogroup";
    if (RunToEnd("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "true"}) != 0)
      GTEST_SKIP() << "cannot run a program as nobody here (setpriv failed)";
    uid_ = nobody->pw_uid;
    gid_ = nogroup->gr_gid;

    // A prefix that every user may pass through, whatever the build tree's folders allow.
    char root[] = "/tmp/korvane2-installed-XXXXXX";
    ASSERT_NE(mkdtemp(root), nullptr);
    root_ = root;
    ASSERT_EQ(chmod(root, 0755), 0);
    prefix_ = root_ / "usr";
    QString out;
    ASSERT_EQ(
        RunToEnd(CMAKE_COMMAND,
                 {"--install", BUILD_TREE, "--prefix", QString::fromStdString(prefix_.string())},
                 &out),
        0)
        << out.toStdString();

    home_ = root_ / "home";
    fs::create_directories(home_ / "run");
    for (const fs::path& p : {home_, home_ / "run"}) {
      ASSERT_EQ(chown(p.c_str(), uid_, gid_), 0);
      ASSERT_EQ(chmod(p.c_str(), 0700), 0);
    }
  }
  void TearDown() override {
    if (game_.state() != QProcess::NotRunning) {
      game_.kill();
      game_.waitForFinished(10000);
    }
    if (!root_.empty()) fs::remove_all(root_);
  }

  // The installed launcher, started as nobody with a clean environment of his own.
  void StartAsNobody() {
    QProcessEnvironment env;
    const QProcessEnvironment mine = QProcessEnvironment::systemEnvironment();
    for (const char* keep : {"PATH", "DISPLAY", "LANG", "UBSAN_OPTIONS"})
      if (mine.contains(keep)) env.insert(keep, mine.value(keep));
    const QString home = QString::fromStdString(home_.string());
    env.insert("HOME", home);
    env.insert("XDG_RUNTIME_DIR", home + "/run");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");  // the game is killed at the end
    // The X server's key, for him to read.
    if (const QString auth = mine.value("XAUTHORITY"); !auth.isEmpty()) {
      const fs::path copy = home_ / ".Xauthority";
      fs::copy_file(auth.toStdString(), copy, fs::copy_options::overwrite_existing);
      ASSERT_EQ(chown(copy.c_str(), uid_, gid_), 0);
      env.insert("XAUTHORITY", QString::fromStdString(copy.string()));
    }
    game_.setProcessEnvironment(env);
    game_.setWorkingDirectory(home);
    game_.setProcessChannelMode(QProcess::MergedChannels);
    game_.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                            QString::fromStdString((prefix_ / "bin" / "korvane2").string())});
    ASSERT_TRUE(game_.waitForStarted(10000));
  }
  std::string GameOutput() { return game_.readAll().toStdString(); }

  fs::path root_, prefix_, home_;
  uid_t uid_ = 0;
  gid_t gid_ = 0;
  QProcess game_;
};

TEST_F(InstalledForAnotherUser, AboutShowsTheCreditsAndARenameIsSavedInHisOwnStore) {
  const fs::path lib = prefix_ / "lib" / "korvane2";
  EXPECT_EQ(fs::status(lib / "machine.store").permissions() & fs::perms::others_read,
            fs::perms::others_read)
      << "the machine-wide registration is not readable by every user";
  const auto installed = Listing(prefix_);

  StartAsNobody();
  std::optional<QString> main;
  ASSERT_TRUE(WaitUntil([&] { return (main = FindWindow(kMainTitle)).has_value(); }, 30000))
      << GameOutput();
  const QRect frame = WindowGeometry(*main);
  const QPoint client = frame.topLeft() + QPoint(0, frame.height() - kMainClientHeight);

  // His renamed player goes to his own store.
  const std::string name = "Nobody's Own";
  ASSERT_TRUE(Xdotool({"mousemove", QString::number(client.x() + kPlayer1Name.x()),
                       QString::number(client.y() + kPlayer1Name.y()), "click", "1"}));
  std::optional<QString> box;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindWindow("^Player 1's Name$")).has_value(); }))
      << "no rename box";
  ASSERT_TRUE(Xdotool({"windowfocus", "--sync", *box}));
  ASSERT_TRUE(Xdotool({"key", "ctrl+a"}));
  ASSERT_TRUE(Xdotool({"type", QString::fromStdString(name)}));
  ASSERT_TRUE(Xdotool({"key", "Return"}));
  const fs::path store = home_ / ".config" / "toolkit" / "user.store";
  EXPECT_TRUE(WaitUntil([&] {
    return tk::KeyStore(store).GetValue(kPlayersKey, "Player1") == name;
  })) << "the new name was not saved in "
      << store;
  struct stat st {};
  ASSERT_EQ(stat(store.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, uid_) << "his store is not his own";

  // Help > About: the credits, not the box that says the control is not registered.
  ASSERT_TRUE(Xdotool({"windowfocus", "--sync", *main}));
  ASSERT_TRUE(Xdotool({"key", "alt+h"}));
  ASSERT_TRUE(WaitUntil([&] {
    Xdotool({"key", "a"});  // once the menu is open
    return FindWindow("^Credits$") || FindWindow(kErrorBoxTitle);
  }));
  ASSERT_FALSE(FindWindow(kErrorBoxTitle)) << "Help > About gave an error box, not the credits";
  const auto credits = FindWindow("^Credits$");
  ASSERT_TRUE(credits);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return RedPixels(QGuiApplication::primaryScreen()
                             ->grabWindow(credits->toULongLong())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32)) > 200;
      },
      10000))
      << "the credits do not show";

  // Playing changed nothing in the installation.
  EXPECT_EQ(Listing(prefix_), installed);
  EXPECT_EQ(game_.state(), QProcess::Running) << GameOutput();
}

}  // namespace
