// Watches for the win window while a drop runs: once it is the active modal window it
// records the congratulation, lets the test look at the window, and closes it with its
// "X" button unless the test closed it already. Each win is handled once.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "frmWon.h"

namespace korvane::testing {

class WinWindowCloser {
 public:
  using Inspect = std::function<void(frmWon& won)>;
  explicit WinWindowCloser(Inspect inspect = {});
  WinWindowCloser(const WinWindowCloser&) = delete;
  WinWindowCloser& operator=(const WinWindowCloser&) = delete;

  // The caption of the win window's label, one for every win seen.
  std::vector<std::string> congratulations;

 private:
  void Poll();

  static constexpr int kActivationTimeoutMs = 10000;

  Inspect inspect_;
  QTimer timer_;
  QElapsedTimer waiting_for_activation_;
};

}  // namespace korvane::testing
