#include "toolbox_bitmap.h"

#include <stdexcept>
#include <string_view>

namespace tickerell {

namespace {

// A page of caption lines with an arrow beside it showing that the lines move up.
// Characters name palette indices: k black, w white, s silver, n navy, b blue, g grey.
constexpr std::string_view kArt[kToolboxBitmapHeight] = {
    "ssssssssssssssss",  //
    "kkkkkkkkkkksssss",  //
    "kwwwwwwwwwgssbss",  //
    "kwnnnnnnwwgsbbbs",  //
    "kwwwwwwwwwgbbbbb",  //
    "kwnnnnnnnwgssbss",  //
    "kwwwwwwwwwgssbss",  //
    "kwnnnnnwwwgssbss",  //
    "kwwwwwwwwwgssbss",  //
    "kwnnnnnnnwgssbss",  //
    "kwwwwwwwwwgssbss",  //
    "kwnnnnwwwwgssbss",  //
    "kwwwwwwwwwgssbss",  //
    "kggggggggggsssss",  //
    "ssssssssssssssss",  //
};

std::uint8_t PaletteIndex(char ch) {
  switch (ch) {
    case 'k':
      return 0;
    case 'n':
      return 4;
    case 'g':
      return 7;
    case 's':
      return 8;
    case 'b':
      return 12;
    case 'w':
      return 15;
  }
  throw std::logic_error("toolbox bitmap: unknown colour character");
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

ToolboxBitmap DrawToolboxBitmap() {
  ToolboxBitmap bitmap;
  bitmap.width = kToolboxBitmapWidth;
  bitmap.height = kToolboxBitmapHeight;
  std::vector<std::uint32_t> argb;
  for (std::string_view row : kArt) {
    if (row.size() != static_cast<std::size_t>(kToolboxBitmapWidth)) {
      throw std::logic_error("toolbox bitmap: ragged row");
    }
    for (char ch : row) {
      const std::uint8_t index = PaletteIndex(ch);
      bitmap.indices.push_back(index);
      argb.push_back(0xFF000000u | StandardPalette16()[index]);
    }
  }
  bitmap.bmp_file = EncodeBmp4(bitmap.width, bitmap.height, bitmap.indices);
  bitmap.picture =
      std::make_shared<const tk::Picture>(bitmap.width, bitmap.height, std::move(argb));
  return bitmap;
}

}  // namespace

const std::array<std::uint32_t, 16>& StandardPalette16() {
  static constexpr std::array<std::uint32_t, 16> palette = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
      0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  return palette;
}

std::vector<std::uint8_t> EncodeBmp4(int width, int height,
                                     const std::vector<std::uint8_t>& indices) {
  if (width <= 0 || height <= 0 ||
      indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("EncodeBmp4: indices do not match the size");
  }
  const std::uint32_t row_bytes = (static_cast<std::uint32_t>(width) * 4 + 31) / 32 * 4;
  const std::uint32_t image_bytes = row_bytes * static_cast<std::uint32_t>(height);
  const std::uint32_t pixel_offset = 14 + 40 + 16 * 4;
  std::vector<std::uint8_t> out;
  out.reserve(pixel_offset + image_bytes);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, pixel_offset + image_bytes, 4);
  PutLittleEndian(out, 0, 4);  // two reserved 16-bit fields
  PutLittleEndian(out, pixel_offset, 4);
  // BITMAPINFOHEADER; a positive height means the rows are stored bottom-up.
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(out, 1, 2);  // planes
  PutLittleEndian(out, 4, 2);  // bits per pixel
  PutLittleEndian(out, 0, 4);  // no compression
  PutLittleEndian(out, image_bytes, 4);
  PutLittleEndian(out, 0, 4);  // horizontal and vertical resolution: unspecified
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 16, 4);  // colours used
  PutLittleEndian(out, 0, 4);   // colours important: all
  for (std::uint32_t rgb : StandardPalette16()) {
    out.push_back(static_cast<std::uint8_t>(rgb));  // blue, green, red, reserved
    out.push_back(static_cast<std::uint8_t>(rgb >> 8));
    out.push_back(static_cast<std::uint8_t>(rgb >> 16));
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t row_start = out.size();
    for (int x = 0; x < width; x += 2) {
      const std::uint8_t* row = &indices[static_cast<std::size_t>(y) * width];
      const std::uint8_t high = row[x] & 0x0F;
      const std::uint8_t low = x + 1 < width ? row[x + 1] & 0x0F : 0;
      out.push_back(static_cast<std::uint8_t>(high << 4 | low));  // left pixel in the high nibble
    }
    out.resize(row_start + row_bytes, 0);
  }
  return out;
}

const ToolboxBitmap& ToolboxBitmapPicture() {
  static const ToolboxBitmap bitmap = DrawToolboxBitmap();
  return bitmap;
}

}  // namespace tickerell
