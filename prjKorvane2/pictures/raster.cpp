#include "raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace korvane::raster {

namespace {
// Plain length: Length guards against overflow that picture coordinates never reach,
// and costs several times as much.
float Length(float x, float y) {
  return std::sqrt(x * x + y * y);
}
}  // namespace

void MatchAverage(std::vector<Colour>& pixels, Colour target) {
  if (pixels.empty()) return;
  for (int pass = 0; pass < 4; ++pass) {
    double r = 0, g = 0, b = 0;
    for (const Colour& c : pixels) {
      r += c.r;
      g += c.g;
      b += c.b;
    }
    const double n = static_cast<double>(pixels.size());
    const float dr = static_cast<float>(target.r - r / n);
    const float dg = static_cast<float>(target.g - g / n);
    const float db = static_cast<float>(target.b - b / n);
    bool clipped = false;
    for (Colour& c : pixels) {
      c.r += dr;
      c.g += dg;
      c.b += db;
      if (std::min({c.r, c.g, c.b}) < 0 || std::max({c.r, c.g, c.b}) > 255) {
        clipped = true;
        c.r = std::clamp(c.r, 0.0f, 255.0f);
        c.g = std::clamp(c.g, 0.0f, 255.0f);
        c.b = std::clamp(c.b, 0.0f, 255.0f);
      }
    }
    if (!clipped) return;
  }
}

tk::PictureRef ToPicture(int width, int height, const std::vector<Colour>& pixels) {
  std::vector<std::uint32_t> argb;
  argb.reserve(pixels.size());
  auto byte = [](float v, float scale) {
    return static_cast<std::uint32_t>(std::clamp(v * scale, 0.0f, 255.0f) + 0.5f);
  };
  for (const Colour& c : pixels) {
    argb.push_back(byte(c.a, 255) << 24 | byte(c.r, 1) << 16 | byte(c.g, 1) << 8 | byte(c.b, 1));
  }
  return std::make_shared<const tk::Picture>(width, height, std::move(argb));
}

float CircleDistance(float x, float y, float cx, float cy, float radius) {
  return Length(x - cx, y - cy) - radius;
}

float EllipseDistance(float x, float y, float cx, float cy, float rx, float ry) {
  // Scaled circle distance: exact on the axes, close enough elsewhere for gentle ellipses.
  const float k = Length((x - cx) / rx, (y - cy) / ry);
  return (k - 1) * std::min(rx, ry);
}

float SegmentDistance(float x, float y, float x0, float y0, float x1, float y1) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float len2 = dx * dx + dy * dy;
  const float t = len2 > 0 ? Clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0;
  return Length(x - (x0 + t * dx), y - (y0 + t * dy));
}

float TriangleDistance(float x, float y, float ax, float ay, float bx, float by, float cx,
                       float cy) {
  const float edge =
      std::min({SegmentDistance(x, y, ax, ay, bx, by), SegmentDistance(x, y, bx, by, cx, cy),
                SegmentDistance(x, y, cx, cy, ax, ay)});
  auto side = [&](float px, float py, float qx, float qy) {
    return (qx - px) * (y - py) - (qy - py) * (x - px);
  };
  const float s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy), s3 = side(cx, cy, ax, ay);
  const bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  return inside ? -edge : edge;
}

float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom,
                         float radius) {
  const float cx = (left + right) / 2, cy = (top + bottom) / 2;
  const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
  const float outside = Length(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float LatticeNoise(int x, int y, std::uint32_t seed) {
  // An integer hash (xorshift-multiply); the same inputs give the same value everywhere.
  std::uint32_t h = seed * 0x9E3779B9u ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^
                    static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return static_cast<float>(h >> 8) / 16777216.0f;
}

NoiseGrid::NoiseGrid(float x0, float y0, float x1, float y1, std::uint32_t seed)
    : left_(static_cast<int>(std::floor(x0))), top_(static_cast<int>(std::floor(y0))) {
  columns_ = static_cast<int>(std::floor(x1)) - left_ + 2;
  rows_ = static_cast<int>(std::floor(y1)) - top_ + 2;
  values_.resize(static_cast<std::size_t>(columns_) * rows_);
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      values_[static_cast<std::size_t>(r) * columns_ + c] = LatticeNoise(left_ + c, top_ + r, seed);
    }
  }
}

tk::PictureRef FromPixelArt(const std::vector<std::string_view>& rows,
                            const std::vector<std::pair<char, std::uint32_t>>& palette) {
  const int height = static_cast<int>(rows.size());
  const int width = height ? static_cast<int>(rows[0].size()) : 0;
  std::vector<std::uint32_t> argb;
  argb.reserve(static_cast<std::size_t>(width) * height);
  for (std::string_view row : rows) {
    if (static_cast<int>(row.size()) != width) throw std::logic_error("ragged pixel art");
    for (char ch : row) {
      auto it = std::find_if(palette.begin(), palette.end(),
                             [ch](const auto& entry) { return entry.first == ch; });
      if (it == palette.end()) throw std::logic_error("pixel art character not in palette");
      argb.push_back(it->second);
    }
  }
  return std::make_shared<const tk::Picture>(width, height, std::move(argb));
}

}  // namespace korvane::raster
