#include "main_window.h"

#include <gtest/gtest.h>

#include "modMain.h"
#include "toolkit/ui/surface.h"
#include "wm_frames.h"

namespace wm_test {

frmMain& ShownMainWindow() {
  modMain::DebugMode = tk::kFalse16;  // as the start procedure sets it
  frmMain& f = frmMain::Instance();
  if (!f.IsLoaded() || !f.Window()->isVisible()) {
    f.Load();
    f.Show();
  }
  EXPECT_TRUE(WaitFramed(*f.Window()).has_value()) << "the main window was never framed";
  return f;
}

QPoint OnScreen(const tk::Control& control, QPointF local) {
  QWidget* window = control.Parent().Window();
  const auto framed = WaitFramed(*window);
  if (!framed) return {};
  return framed->client.topLeft() + control.Container().mapTo(window, local.toPoint());
}

}  // namespace wm_test
