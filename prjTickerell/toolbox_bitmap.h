// The control's toolbox picture (bitmap resource 30000): 16 x 15 pixels, 4 bits per pixel,
// in the standard 16-colour palette. Drawn by code and encoded as a .bmp file image, so
// the module carries it as a resource without an image file in the sources.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/picture.h"

namespace tickerell {

inline constexpr int kToolboxBitmapId = 30000;
inline constexpr int kToolboxBitmapWidth = 16;
inline constexpr int kToolboxBitmapHeight = 15;

// The standard 16-colour palette, each 0x00RRGGBB: the eight dark colours, then grey,
// silver and the eight bright ones (index 7 grey 808080, index 8 silver C0C0C0).
const std::array<std::uint32_t, 16>& StandardPalette16();

struct ToolboxBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;   // palette index per pixel, rows from the top
  std::vector<std::uint8_t> bmp_file;  // the whole .bmp file
  tk::PictureRef picture;              // the same pixels as opaque ARGB
};

// Drawn once on first use and shared.
const ToolboxBitmap& ToolboxBitmapPicture();

// A 4-bit .bmp file: file header, 40-byte BITMAPINFOHEADER, the 16-entry palette, then
// the rows bottom-up, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp4(int width, int height,
                                     const std::vector<std::uint8_t>& indices);

}  // namespace tickerell
