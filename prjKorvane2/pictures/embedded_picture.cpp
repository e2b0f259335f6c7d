#include "embedded_picture.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace korvane::embedded {

tk::PictureRef Unpack(const std::uint32_t* blob, std::uint64_t bytes) {
  constexpr std::uint64_t kHeader = 2 * sizeof(std::uint32_t);
  constexpr std::uint32_t kMaxSide = 1 << 15;
  const std::uint32_t width = bytes >= kHeader ? blob[0] : 0;
  const std::uint32_t height = bytes >= kHeader ? blob[1] : 0;
  const std::size_t count = std::size_t{width} * height;
  if (bytes < kHeader || width > kMaxSide || height > kMaxSide ||
      bytes != kHeader + count * sizeof(std::uint32_t)) {
    std::fputs("korvane: a built-in picture is damaged; rebuild the game\n", stderr);
    std::abort();
  }
  const std::uint32_t* pixels = blob + 2;
  return std::make_shared<const tk::Picture>(static_cast<int>(width), static_cast<int>(height),
                                             std::vector<std::uint32_t>(pixels, pixels + count));
}

}  // namespace korvane::embedded
