// The win window's picture: a glossy amber speech bubble with quotation marks, on white.
#include <algorithm>

#include "picture_drawing.h"
#include "raster.h"

namespace korvane {

using raster::Colour;

namespace {

constexpr int kWidth = 95;
constexpr int kHeight = 94;
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kAmberTop{255, 206, 84};
constexpr Colour kAmberBottom{232, 138, 0};
constexpr Colour kOutline{170, 92, 0};
constexpr Colour kQuoteColour{255, 246, 222};

// Signed distance to the bubble: a rounded body and a tail sweeping to the lower left.
float BubbleDistance(float x, float y) {
  const float body = raster::EllipseDistance(x, y, 49, 39, 43, 34);
  const float tail = raster::TriangleDistance(x, y, 18, 56, 38, 68, 7, 88);
  return std::min(body, tail);
}

// One opening quotation mark, shaped like a 6: a round head with a tail that leaves its
// left side and curls up and over to the right, thinning as it goes.
float QuoteDistance(float x, float y, float cx, float cy) {
  const float head = raster::CircleDistance(x, y, cx, cy, 5.0f);
  const float lower = raster::SegmentDistance(x, y, cx - 3.5f, cy - 1, cx - 3, cy - 7) - 2.3f;
  const float upper = raster::SegmentDistance(x, y, cx - 3, cy - 7, cx + 0.5f, cy - 11.5f) - 1.8f;
  const float tip = raster::SegmentDistance(x, y, cx + 0.5f, cy - 11.5f, cx + 4, cy - 13) - 1.3f;
  return std::min({head, lower, upper, tip});
}

}  // namespace

tk::PictureRef DrawSpeechBubble() {
  auto shade = [](float x, float y) {
    const float d = BubbleDistance(x, y);
    if (d > 0) return kWhite;
    // Amber from light at the top to deep at the bottom, a soft gloss over the top
    // half, and a darker outline.
    Colour c = raster::Mix(kAmberTop, kAmberBottom, raster::SmoothStep(6, 86, y));
    const float gloss = raster::EllipseDistance(x, y, 47, 22, 33, 14);
    c = raster::Over(
        c, kWhite,
        0.55f * (1 - raster::SmoothStep(-14, 1, gloss)) * (1 - raster::SmoothStep(14, 34, y)));
    const float quote = std::min(QuoteDistance(x, y, 39, 47), QuoteDistance(x, y, 58, 47));
    if (quote <= 0) c = kQuoteColour;
    if (d > -2.0f) c = kOutline;
    return c;
  };
  return raster::ToPicture(kWidth, kHeight, raster::Supersample(kWidth, kHeight, 4, shade));
}

}  // namespace korvane
