#include "toolkit/ui/colors.h"

#include <QApplication>
#include <QPalette>

namespace tk {
namespace {

QColor SystemColor(int index) {
  const QPalette pal = qApp ? QApplication::palette() : QPalette();
  switch (index) {
    case 4:   // menu background
    case 15:  // button face
      return pal.color(QPalette::Button);
    case 5:  // window background
      return pal.color(QPalette::Base);
    case 7:   // menu text
    case 8:   // window text
    case 18:  // button text
      return pal.color(QPalette::WindowText);
    case 13:  // highlight
      return pal.color(QPalette::Highlight);
    case 14:
      return pal.color(QPalette::HighlightedText);
    case 2:  // active caption
      return QColor(0, 84, 227);
    default:
      return pal.color(QPalette::Window);
  }
}

}  // namespace

QColor ToQColor(OleColor color) {
  if (color & 0x80000000u) return SystemColor(static_cast<int>(color & 0xFF));
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

}  // namespace tk
