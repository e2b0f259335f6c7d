#include "win_window_closer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QWidget>

namespace korvane::testing {

WinWindowCloser::WinWindowCloser(Inspect inspect) : inspect_(std::move(inspect)) {
  timer_.setInterval(10);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

void WinWindowCloser::Poll() {
  frmWon& won = frmWon::Instance();
  QWidget* window = won.IsLoaded() ? won.Window() : nullptr;
  // Its entrance flight runs nested loops before the window is shown; wait for the show.
  if (window == nullptr || !window->isVisible()) return;
  if (QApplication::activeModalWidget() != window) return;
  // Shown is not yet active: the activation, and the focus with it, arrives as a window
  // system event that a loaded machine may deliver after this timer. Wait for it, but not
  // for ever, so that a window that never becomes active fails the test's checks.
  if (!window->isActiveWindow()) {
    if (!waiting_for_activation_.isValid()) waiting_for_activation_.start();
    if (!waiting_for_activation_.hasExpired(kActivationTimeoutMs)) return;
    ADD_FAILURE() << "the win window did not become active";
  }
  waiting_for_activation_.invalidate();
  timer_.stop();  // closing runs nested loops of its own
  congratulations.push_back(won.Label1->Caption());
  if (inspect_) inspect_(won);
  if (won.IsLoaded()) won.cmdClose->Button()->click();
  EXPECT_FALSE(won.IsLoaded()) << "the win window stayed open after its X was pressed";
  timer_.start();
}

}  // namespace korvane::testing
