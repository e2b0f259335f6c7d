// The players' tiles: one glossy shading, coloured light blue for player 1, pink for player 2.
#include <algorithm>
#include <cmath>

#include "picture_drawing.h"
#include "raster.h"

namespace korvane {

using raster::Colour;

namespace {

constexpr int kWidth = 74;
constexpr int kHeight = 55;
constexpr Colour kPlayer1Average{135, 199, 239};
constexpr Colour kPlayer2Average{223, 115, 176};

// Lightness at a point of the tile: below 1 darkens the colour toward black, above 1
// lifts it toward white. A dark rim at top and bottom, a bright gloss band across the
// upper part, a plain body and a soft reflection just above the bottom rim.
float TileLightness(float x, float y) {
  const float v = y / kHeight;
  float light = 1.0f;
  light += 0.75f * raster::SmoothStep(0.07f, 0.15f, v) * (1 - raster::SmoothStep(0.22f, 0.42f, v));
  light += 0.12f * raster::SmoothStep(0.62f, 0.86f, v) * (1 - raster::SmoothStep(0.88f, 0.93f, v));
  const float rim =
      std::max(1 - raster::SmoothStep(0.0f, 0.075f, v), raster::SmoothStep(0.925f, 1.0f, v));
  light = light * (1 - rim) + 0.5f * rim;
  // Slightly darker toward the left and right ends, as on a rounded surface.
  const float u = std::abs(x / kWidth - 0.5f) * 2;
  return light * (1 - 0.10f * u * u * u);
}

// Below 1 the lightness mixes the colour toward `deep`, a darker shade of the same hue, so
// the rim stays coloured instead of turning grey.
tk::PictureRef DrawTile(Colour base, Colour deep, Colour average) {
  auto shade = [base, deep](float x, float y) {
    const float light = TileLightness(x, y);
    if (light <= 1) return raster::Mix(deep, base, std::max(light * 2 - 1, 0.0f));
    return raster::Mix(base, Colour{255, 255, 255}, std::min(light - 1, 1.0f));
  };
  std::vector<Colour> pixels = raster::Supersample(kWidth, kHeight, 4, shade);
  raster::MatchAverage(pixels, average);
  return raster::ToPicture(kWidth, kHeight, pixels);
}

}  // namespace

tk::PictureRef DrawPlayer1Tile() {
  return DrawTile({96, 176, 232}, {22, 84, 170}, kPlayer1Average);
}

tk::PictureRef DrawPlayer2Tile() {
  return DrawTile({214, 82, 156}, {140, 20, 84}, kPlayer2Average);
}

}  // namespace korvane
