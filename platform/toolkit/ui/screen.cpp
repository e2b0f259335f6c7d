#include "toolkit/ui/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace tk {
namespace {

QScreen* Primary() {
  return qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr;
}

double TwipsPerPixel(double dpi) {
  if (dpi <= 0) return kDesignTwipsPerPixel;
  return std::round(1440.0 / dpi);
}

}  // namespace

double TwipsPerPixelX() {
  QScreen* s = Primary();
  return s ? TwipsPerPixel(s->logicalDotsPerInchX()) : kDesignTwipsPerPixel;
}

double TwipsPerPixelY() {
  QScreen* s = Primary();
  return s ? TwipsPerPixel(s->logicalDotsPerInchY()) : kDesignTwipsPerPixel;
}

double ScreenWidthTwips() {
  QScreen* s = Primary();
  return s ? s->geometry().width() * TwipsPerPixelX() : 1024 * kDesignTwipsPerPixel;
}

double ScreenHeightTwips() {
  QScreen* s = Primary();
  return s ? s->geometry().height() * TwipsPerPixelY() : 768 * kDesignTwipsPerPixel;
}

}  // namespace tk
