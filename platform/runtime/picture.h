// A picture: immutable pixels shared by reference. The windowing layer draws it, the
// automation layer hands it across as a picture object; neither owns it alone.
// A null PictureRef is the empty picture (the loader called without a file name).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tk {

class Picture {
 public:
  // Pixels row by row from the top left, each 0xAARRGGBB.
  Picture(int width, int height, std::vector<std::uint32_t> argb)
      : width_(width), height_(height), argb_(std::move(argb)) {}

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<std::uint32_t>& argb() const { return argb_; }

  // A slot where the windowing layer keeps its own ready-to-draw copy.
  std::shared_ptr<void>& native_cache() const { return native_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> argb_;
  mutable std::shared_ptr<void> native_;
};

using PictureRef = std::shared_ptr<const Picture>;

}  // namespace tk
