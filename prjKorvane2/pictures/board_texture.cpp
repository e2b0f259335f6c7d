// The board surface: tan cloth with fine diagonal stripes and a faint grain along them.
#include <cmath>
#include <numbers>

#include "picture_drawing.h"
#include "raster.h"

namespace korvane {

using raster::Colour;

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 498;
constexpr Colour kAverage{180, 155, 123};
// The light, slightly grey sheen along the top edge, and how far down it reaches.
constexpr Colour kTopSheen{212, 204, 192};
constexpr float kSheenDepth = 14.0f;
constexpr float kStripePeriod = 3.2f;  // pixels across the stripes

}  // namespace

tk::PictureRef DrawBoardTexture() {
  constexpr float kHalfRoot2 = std::numbers::sqrt2_v<float> / 2;
  // Stripes run from top left to bottom right: constant along x + y, varying across x - y.
  constexpr float kAlongMax = (kWidth + kHeight) * kHalfRoot2;
  constexpr float kAcrossMin = -kHeight * kHalfRoot2, kAcrossMax = kWidth * kHalfRoot2;
  // Long, narrow grain following the stripes, and a gentle waviness of the stripes.
  const raster::NoiseGrid coarse_grain(0, kAcrossMin / 3, kAlongMax / 60, kAcrossMax / 3, 17);
  const raster::NoiseGrid fine_grain(0, kAcrossMin / 1.5f, kAlongMax / 16, kAcrossMax / 1.5f, 29);
  const raster::NoiseGrid waviness(0, kAcrossMin / 40, kAlongMax / 90, kAcrossMax / 40, 41);
  std::vector<float> sheen(kHeight);
  for (int y = 0; y < kHeight; ++y) sheen[y] = std::exp(-(y + 0.5f) / kSheenDepth) * 0.7f;

  auto shade = [&](float x, float y) {
    const float along = (x + y) * kHalfRoot2;
    const float across = (x - y) * kHalfRoot2;
    const float grain =
        coarse_grain(along / 60, across / 3) * 0.6f + fine_grain(along / 16, across / 1.5f) * 0.4f;
    const float wave = waviness(along / 90, across / 40) * 2.5f;
    const float stripe = std::sin((across + wave) * 2 * std::numbers::pi_v<float> / kStripePeriod);
    const float fleck = raster::LatticeNoise(static_cast<int>(x), static_cast<int>(y), 53);
    const float light = 1.0f + 0.045f * stripe + 0.09f * (grain - 0.5f) + 0.025f * (fleck - 0.5f);
    const Colour c{kAverage.r * light, kAverage.g * light, kAverage.b * light};
    return raster::Mix(c, kTopSheen, sheen[static_cast<int>(y)]);
  };
  std::vector<Colour> pixels = raster::Supersample(kWidth, kHeight, 1, shade);
  raster::MatchAverage(pixels, kAverage);
  return raster::ToPicture(kWidth, kHeight, pixels);
}

}  // namespace korvane
