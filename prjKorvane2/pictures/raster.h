// Small drawing helpers shared by the picture drawers: colours with straight alpha,
// supersampled rendering of a shading function, signed distances of simple shapes,
// deterministic noise, and pixel art written as text.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/picture.h"

namespace korvane::raster {

// A colour with channels 0..255 and alpha 0..1 (not premultiplied).
struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

inline int FloorToInt(float v) {
  const int i = static_cast<int>(v);
  return i > v ? i - 1 : i;
}

// Small enough to be called for every sample, so defined here where they can be inlined.
inline float Clamp01(float v) {
  return v < 0 ? 0 : v > 1 ? 1 : v;
}

inline float SmoothStep(float edge0, float edge1, float x) {
  const float t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

inline Colour Mix(Colour from, Colour to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

// `top` painted over `bottom` with coverage `coverage` (0..1) times top's alpha.
inline Colour Over(Colour bottom, Colour top, float coverage = 1.0f) {
  const float ta = top.a * Clamp01(coverage);
  const float a = ta + bottom.a * (1 - ta);
  if (a <= 0) return {0, 0, 0, 0};
  auto channel = [&](float t, float b) { return (t * ta + b * bottom.a * (1 - ta)) / a; };
  return {channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

// Calls shade(x, y) at n x n points inside each pixel and averages them (weighted by
// alpha), so hard-edged shapes come out anti-aliased. Rows from the top.
template <class Shade>
std::vector<Colour> Supersample(int width, int height, int n, Shade&& shade) {
  std::vector<Colour> out(static_cast<std::size_t>(width) * height);
  const float step = 1.0f / n;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
          const Colour c = shade(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      Colour& o = out[static_cast<std::size_t>(y) * width + x];
      if (a > 0)
        o = {r / a, g / a, b / a, a / (n * n)};
      else
        o = {0, 0, 0, 0};
    }
  }
  return out;
}

// Shifts every channel so the picture's average colour meets `target`, repeating the
// shift so that clipped channels are made up for by the others.
void MatchAverage(std::vector<Colour>& pixels, Colour target);

tk::PictureRef ToPicture(int width, int height, const std::vector<Colour>& pixels);

// Signed distances: negative inside, positive outside, in pixels.
float CircleDistance(float x, float y, float cx, float cy, float radius);
float EllipseDistance(float x, float y, float cx, float cy, float rx, float ry);
float SegmentDistance(float x, float y, float x0, float y0, float x1, float y1);
float TriangleDistance(float x, float y, float ax, float ay, float bx, float by, float cx,
                       float cy);
float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom,
                         float radius);

// Deterministic noise in [0, 1) per lattice point.
float LatticeNoise(int x, int y, std::uint32_t seed);

// LatticeNoise smoothly interpolated between the lattice points of a fixed range, the
// lattice worked out once: for noise sampled at every pixel of a large picture.
class NoiseGrid {
 public:
  NoiseGrid(float x0, float y0, float x1, float y1, std::uint32_t seed);
  float operator()(float x, float y) const {
    const int ix = FloorToInt(x), iy = FloorToInt(y);
    const int c = ix - left_ < 0 ? 0 : ix - left_ > columns_ - 2 ? columns_ - 2 : ix - left_;
    const int r = iy - top_ < 0 ? 0 : iy - top_ > rows_ - 2 ? rows_ - 2 : iy - top_;
    const float tx = SmoothStep(0, 1, x - ix), ty = SmoothStep(0, 1, y - iy);
    const float* row = &values_[static_cast<std::size_t>(r) * columns_ + c];
    const float top = row[0] + (row[1] - row[0]) * tx;
    const float bottom = row[columns_] + (row[columns_ + 1] - row[columns_]) * tx;
    return top + (bottom - top) * ty;
  }

 private:
  int left_, top_, columns_ = 0, rows_ = 0;
  std::vector<float> values_;
};

// Pixel art: one string per row, one character per pixel, looked up in `palette`.
// Every row must be `width` characters long and every character must be in the palette.
tk::PictureRef FromPixelArt(const std::vector<std::string_view>& rows,
                            const std::vector<std::pair<char, std::uint32_t>>& palette);

}  // namespace korvane::raster
