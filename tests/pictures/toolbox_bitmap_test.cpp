#include "toolbox_bitmap.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(ToolboxBitmap, SixteenByFifteenInPaletteIndices) {
  const tickerell::ToolboxBitmap& bitmap = tickerell::ToolboxBitmapPicture();
  EXPECT_EQ(&bitmap, &tickerell::ToolboxBitmapPicture());
  EXPECT_EQ(bitmap.width, 16);
  EXPECT_EQ(bitmap.height, 15);
  ASSERT_EQ(bitmap.indices.size(), 240u);
  std::set<std::uint8_t> used(bitmap.indices.begin(), bitmap.indices.end());
  EXPECT_LT(*used.rbegin(), 16);
  EXPECT_GE(used.size(), 4u) << "a drawing, not a blank";
  ASSERT_TRUE(bitmap.picture);
  ASSERT_EQ(bitmap.picture->argb().size(), 240u);
  for (std::size_t i = 0; i < 240; ++i) {
    EXPECT_EQ(bitmap.picture->argb()[i],
              0xFF000000u | tickerell::StandardPalette16()[bitmap.indices[i]]);
  }
}

TEST(ToolboxBitmap, BmpHeadersDescribeA4BitBottomUpImage) {
  const std::vector<std::uint8_t>& bmp = tickerell::ToolboxBitmapPicture().bmp_file;
  ASSERT_EQ(bmp.size(), 14u + 40 + 64 + 15 * 8);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 6), 0u);
  EXPECT_EQ(Read32(bmp, 10), 118u) << "pixels follow the headers and palette";
  EXPECT_EQ(Read32(bmp, 14), 40u);
  EXPECT_EQ(Read32(bmp, 18), 16u);
  EXPECT_EQ(Read32(bmp, 22), 15u) << "positive height: bottom-up rows";
  EXPECT_EQ(Read16(bmp, 26), 1);
  EXPECT_EQ(Read16(bmp, 28), 4);
  EXPECT_EQ(Read32(bmp, 30), 0u) << "uncompressed";
  EXPECT_EQ(Read32(bmp, 34), 120u);
  EXPECT_EQ(Read32(bmp, 46), 16u);
  // The palette in blue, green, red, reserved order.
  const auto& palette = tickerell::StandardPalette16();
  for (std::size_t i = 0; i < 16; ++i) {
    const std::size_t at = 54 + 4 * i;
    EXPECT_EQ(static_cast<std::uint32_t>(bmp[at + 2] << 16 | bmp[at + 1] << 8 | bmp[at]),
              palette[i]);
    EXPECT_EQ(bmp[at + 3], 0);
  }
  EXPECT_EQ(palette[0], 0x000000u);
  EXPECT_EQ(palette[7], 0x808080u);
  EXPECT_EQ(palette[8], 0xC0C0C0u);
  EXPECT_EQ(palette[12], 0x0000FFu);
  EXPECT_EQ(palette[15], 0xFFFFFFu);
}

// Reads the indices back out of a 4-bit .bmp written by EncodeBmp4.
std::vector<std::uint8_t> DecodeIndices(const std::vector<std::uint8_t>& bmp) {
  const int width = static_cast<int>(Read32(bmp, 18)), height = static_cast<int>(Read32(bmp, 22));
  const std::size_t row_bytes = (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  for (int y = 0; y < height; ++y) {
    const std::size_t row = Read32(bmp, 10) + row_bytes * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t byte = bmp[row + x / 2];
      out.push_back(x % 2 == 0 ? byte >> 4 : byte & 0x0F);
    }
  }
  return out;
}

TEST(ToolboxBitmap, PixelRowsRoundTripIncludingPadding) {
  const tickerell::ToolboxBitmap& bitmap = tickerell::ToolboxBitmapPicture();
  EXPECT_EQ(DecodeIndices(bitmap.bmp_file), bitmap.indices);

  // Odd widths leave a half-used last byte and row padding; both must be zero.
  struct Case {
    int width, height;
    std::size_t row_bytes;
  } cases[] = {{1, 1, 4}, {3, 2, 4}, {9, 3, 8}, {16, 15, 8}, {17, 2, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(c.width) * c.height);
    for (std::size_t i = 0; i < indices.size(); ++i)
      indices[i] = static_cast<std::uint8_t>((i * 7 + 3) % 16);
    const std::vector<std::uint8_t> bmp = tickerell::EncodeBmp4(c.width, c.height, indices);
    ASSERT_EQ(bmp.size(), 118 + c.row_bytes * c.height);
    EXPECT_EQ(Read32(bmp, 34), c.row_bytes * c.height);
    EXPECT_EQ(DecodeIndices(bmp), indices);
    for (int y = 0; y < c.height; ++y) {
      for (std::size_t b = (static_cast<std::size_t>(c.width) + 1) / 2; b < c.row_bytes; ++b) {
        EXPECT_EQ(bmp[118 + c.row_bytes * y + b], 0) << "padding";
      }
      if (c.width % 2) {
        EXPECT_EQ(bmp[118 + c.row_bytes * y + c.width / 2] & 0x0F, 0) << "unused low nibble";
      }
    }
  }
  EXPECT_THROW(tickerell::EncodeBmp4(2, 2, {1, 2, 3}), std::invalid_argument);
}

}  // namespace
