// The application icon: the board in miniature, with a few pieces on it.
#include <algorithm>

#include "picture_drawing.h"
#include "raster.h"

namespace korvane {

using raster::Colour;

namespace {

constexpr int kSize = 32;
constexpr Colour kAmber{255, 186, 36};
constexpr Colour kAmberRim{176, 104, 8};
constexpr Colour kBoardBlue{24, 40, 184};
constexpr Colour kLightBlue{135, 199, 239};
constexpr Colour kDarkRed{139, 16, 24};
constexpr Colour kPieceRim{40, 24, 16};

// Centres of the nine locations, row by row, on the 32-pixel grid.
constexpr float kFirst = 6.0f, kStep = 10.0f;
constexpr float LocationCentre(int index) {
  return kFirst + kStep * index;
}

struct Piece {
  int column, row;
  Colour colour;
};
constexpr Piece kPieces[] = {
    {0, 0, kLightBlue}, {2, 1, kLightBlue}, {2, 0, kDarkRed}, {1, 2, kDarkRed}};

}  // namespace

tk::PictureRef DrawAppIcon() {
  auto shade = [](float x, float y) {
    // Amber board with a darker rim and a faint light from the top left.
    const float lift = 1.0f + 0.10f * (1 - (x + y) / (2 * kSize));
    Colour c{std::min(255.0f, kAmber.r * lift), std::min(255.0f, kAmber.g * lift), kAmber.b * lift};
    const float rim = std::min({x, y, kSize - x, kSize - y});
    c = raster::Over(c, kAmberRim, 1 - raster::SmoothStep(0.9f, 1.1f, rim));

    const float lo = LocationCentre(0), mid = LocationCentre(1), hi = LocationCentre(2);
    float line = raster::RoundedBoxDistance(x, y, lo, lo, hi, hi, 0);
    line = std::abs(line);
    for (float ex : {lo, mid, hi}) {
      for (float ey : {lo, mid, hi}) {
        line = std::min(line, raster::SegmentDistance(x, y, mid, mid, ex, ey));
      }
    }
    c = raster::Over(c, kBoardBlue, line <= 0.9f ? 1.0f : 0.0f);

    for (const Piece& p : kPieces) {
      const float d =
          raster::CircleDistance(x, y, LocationCentre(p.column), LocationCentre(p.row), 3.6f);
      if (d > 0) continue;
      // A small highlight toward the top left makes the piece read as a raised button.
      const float glint =
          raster::Clamp01(1 - raster::CircleDistance(x, y, LocationCentre(p.column) - 1.2f,
                                                     LocationCentre(p.row) - 1.2f, 0.0f) /
                                  2.0f);
      Colour piece = raster::Mix(p.colour, Colour{255, 255, 255}, 0.5f * glint);
      c = d > -0.9f ? kPieceRim : piece;
    }
    return c;
  };
  return raster::ToPicture(kSize, kSize, raster::Supersample(kSize, kSize, 4, shade));
}

}  // namespace korvane
