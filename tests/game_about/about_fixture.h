// The About window as the player opens it: Help > About on the real main window, which
// stays loaded across the cases of the program. The About window is modal, so what a case
// does while it is open runs on its modal loop. The control is reached the way the window
// reaches it, by dispatch identifier through the host's extender.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>

#include "box_recorder.h"
#include "com/dispatch.h"
#include "frmCredits.h"
#include "frmMain.h"
#include "tickctl_dispids.h"

namespace about_test {

// Members of the caption control's default interface.
using enum tickctl_test::Dispid;

inline constexpr char kClassId[] = "{63FE7693-F924-11D9-85A6-913B44F66914}";

// Copies the control's module to `copy` and registers the copy for this test's user, as
// comreg does.
::testing::AssertionResult RegisterModuleCopy(const std::string& copy);

// Runs events until `done` holds or `timeout_ms` has passed; whether it held.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 10000);

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Chooses Help > About from the main window's menu and returns when that command has
  // returned. `inside` runs on the About window's modal loop before the control's first
  // tick; the window is closed after it if it is still open. Without `inside` the case
  // closes the window itself (a guard closes it after 20 s and fails the case).
  void ChooseAbout(const std::function<void()>& inside);

  com::Variant Get(com::DISPID id) const;
  void Put(com::DISPID id, const com::Variant& value) const;
  int CurrentYpos() const { return Get(kCurrentYpos).ToI4(); }
  // The control's surface: its widget and what it shows.
  QWidget* Surface() const;
  QImage Shown() const;
  // A left click in the middle of the control, as the player clicks it.
  void ClickControl() const;

  frmMain& main = frmMain::Instance();
  frmCredits& credits = frmCredits::Instance();
  tk::testing::BoxRecorder boxes;
};

}  // namespace about_test
