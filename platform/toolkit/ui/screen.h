// The screen as the runtime measures it: twips (1440 to the inch), 15 to the pixel on a
// 96 dpi screen.
#pragma once

namespace tk {

double TwipsPerPixelX();
double TwipsPerPixelY();
double ScreenWidthTwips();
double ScreenHeightTwips();

inline constexpr double kDesignTwipsPerPixel = 15.0;

// Layout descriptions are in twips at the design density; pixels are design pixels.
inline double TwipsToPixels(double twips) {
  return twips / kDesignTwipsPerPixel;
}
inline double PixelsToTwips(double pixels) {
  return pixels * kDesignTwipsPerPixel;
}

}  // namespace tk
