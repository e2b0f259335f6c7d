// Measurements over a picture's pixels, for checking drawn pictures by their colours.
#pragma once

#include <cstdint>
#include <set>

#include "runtime/picture.h"

namespace picture_stats {

struct Rgb {
  double r = 0, g = 0, b = 0;
  double Sum() const { return r + g + b; }
  double Spread() const;  // max - min channel: 0 for grey, large for saturated colours
};

inline double Rgb::Spread() const {
  const double hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
  const double lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
  return hi - lo;
}

inline std::uint32_t At(const tk::Picture& p, int x, int y) {
  return p.argb()[static_cast<std::size_t>(y) * p.width() + x];
}
inline int Alpha(std::uint32_t argb) {
  return static_cast<int>(argb >> 24);
}

inline Rgb ToRgb(std::uint32_t argb) {
  return {static_cast<double>(argb >> 16 & 0xFF), static_cast<double>(argb >> 8 & 0xFF),
          static_cast<double>(argb & 0xFF)};
}

// Average colour of the pixels with left <= x < right and top <= y < bottom.
inline Rgb Average(const tk::Picture& p, int left, int top, int right, int bottom) {
  Rgb sum;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const Rgb c = ToRgb(At(p, x, y));
      sum.r += c.r;
      sum.g += c.g;
      sum.b += c.b;
    }
  }
  const double n = static_cast<double>(right - left) * (bottom - top);
  return {sum.r / n, sum.g / n, sum.b / n};
}

inline Rgb Average(const tk::Picture& p) {
  return Average(p, 0, 0, p.width(), p.height());
}

}  // namespace picture_stats
