#include "outline_look.h"

#include <algorithm>
#include <cstdlib>

namespace x11play {
namespace {

// How far a pixel is from another, in its most different channel.
int Distance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace

std::string OutlineProblem(const QImage& shot, const QImage& before, const QRect& outline,
                           const QRect& ignored) {
  const QRect around = outline.adjusted(-6, -6, 6, 6).intersected(before.rect());
  const QRect inside = outline.adjusted(kOutlineRing, kOutlineRing, -kOutlineRing, -kOutlineRing);
  int ring = 0, standing_out = 0, changed_off_ring = 0;
  for (int y = around.top(); y <= around.bottom(); ++y) {
    for (int x = around.left(); x <= around.right(); ++x) {
      if (ignored.contains(x, y)) continue;
      const int d = Distance(shot.pixel(x, y), before.pixel(x, y));
      if (outline.contains(x, y) && !inside.contains(x, y)) {
        ++ring;
        standing_out += d >= 64;
      } else {
        changed_off_ring += d != 0;
      }
    }
  }
  if (changed_off_ring != 0)
    return std::to_string(changed_off_ring) + " pixels changed off the outline's frame";
  if (standing_out * 10 < ring * 7)
    return "only " + std::to_string(standing_out) + " of " + std::to_string(ring) +
           " frame pixels stand out";
  return {};
}

}  // namespace x11play
