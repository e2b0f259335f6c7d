#include "about_fixture.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "com/activation.h"
#include "com/late_bound.h"
#include "game_main_window.h"

namespace about_test {
namespace fs = std::filesystem;

namespace {

// The cases run in a folder of their own with no file named script in it, so the control
// finds the credits where the game ships them: beside the control's module. At the end the
// main window is unloaded, so nothing of it outlives the program.
class AboutEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) / ("game-about-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    previous_ = fs::current_path();
    fs::current_path(folder_);
  }
  void TearDown() override {
    if (frmMain::Instance().IsLoaded()) frmMain::Instance().Unload();
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

 private:
  fs::path folder_, previous_;
};
[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new AboutEnvironment);

}  // namespace

::testing::AssertionResult RegisterModuleCopy(const std::string& copy) {
  fs::create_directories(fs::path(copy).parent_path());
  fs::copy_file(TICKCTL_PATH, copy, fs::copy_options::overwrite_existing);
  QProcess comreg;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ASAN_OPTIONS", "detect_leaks=0");
  comreg.setProcessEnvironment(env);
  comreg.start(COMREG, {"register", QString::fromStdString(copy)});
  if (!comreg.waitForFinished(60000) || comreg.exitCode() != 0)
    return ::testing::AssertionFailure()
           << "comreg register failed: " << comreg.readAllStandardError().toStdString();
  return ::testing::AssertionSuccess();
}

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const QDeadlineTimer deadline(timeout_ms);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(5);
  }
  return true;
}

void AboutWindowTest::SetUp() {
  // The control is found through the registration beside the runtime; the user's own
  // store starts empty.
  unsetenv("TOOLKIT_MACHINE_STORE");
  if (const char* store = std::getenv("TOOLKIT_STORE")) fs::remove(store);
  ASSERT_FALSE(fs::exists("script")) << "the current folder must hold no credits file";
  korvane::testing::MainWindow();
  korvane::testing::ChooseNewGame();
  boxes.messages.clear();
}

void AboutWindowTest::TearDown() {
  if (credits.IsLoaded()) credits.Unload();
  unsetenv("TOOLKIT_MACHINE_STORE");
  com::CoFreeUnusedLibraries();
}

void AboutWindowTest::ChooseAbout(const std::function<void()>& inside) {
  // Both timers belong to this call: when Help > About returns at once (the window could
  // not be loaded), neither fires later.
  QTimer body;
  body.setSingleShot(true);
  QObject::connect(&body, &QTimer::timeout, [&] {
    if (!credits.IsLoaded() || !inside) return;
    inside();
    if (credits.IsLoaded() && credits.Window()) credits.Window()->close();
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (!credits.IsLoaded()) return;
    ADD_FAILURE() << "the About window was still open after 20 s";
    credits.Unload();
  });
  body.start(0);
  guard.start(20000);
  main.FindMenu("mnuHelpAbout")->Action()->trigger();
}

com::Variant AboutWindowTest::Get(com::DISPID id) const {
  return com::PropertyGet(credits.Tickerell1->Object(), id);
}

void AboutWindowTest::Put(com::DISPID id, const com::Variant& value) const {
  com::PropertyPut(credits.Tickerell1->Object(), id, value);
}

QWidget* AboutWindowTest::Surface() const {
  const auto widgets = credits.Client().findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  return widgets.size() == 1 ? widgets.front() : nullptr;
}

QImage AboutWindowTest::Shown() const {
  QWidget* surface = Surface();
  return surface ? surface->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

void AboutWindowTest::ClickControl() const {
  QWidget* surface = Surface();
  ASSERT_NE(surface, nullptr);
  QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
}

}  // namespace about_test
