#include "user32/window_handles.h"

#include <QApplication>
#include <QWidget>

namespace user32::detail {

QWidget* TopLevelFromHwnd(HWND hwnd) {
  if (hwnd == nullptr || qApp == nullptr) return nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (static_cast<void*>(widget) == hwnd) return widget;
  }
  return nullptr;
}

}  // namespace user32::detail
