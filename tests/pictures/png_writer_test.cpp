#include "png_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string_view>

#include "pictures.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(PngWriter, ChecksumsMatchKnownValues) {
  EXPECT_EQ(korvane::png::Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(korvane::png::Crc32({}), 0u);
  EXPECT_EQ(korvane::png::Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(korvane::png::Adler32({}), 1u);
}

// Decodes with Qt's own PNG reader and compares every pixel, alpha included.
void ExpectDecodesTo(const tk::Picture& picture, int scale) {
  const std::vector<std::uint8_t> png = korvane::png::EncodePng(picture, scale);
  QImage image;
  ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
  image = image.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.width(), picture.width() * scale);
  ASSERT_EQ(image.height(), picture.height() * scale);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t expected =
          picture.argb()[static_cast<std::size_t>(y / scale) * picture.width() + x / scale];
      ASSERT_EQ(image.pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST(PngWriter, QtReadsBackTheSamePixels) {
  // The board needs many stored blocks; the cursor has transparency; the 1 x 1 is the least.
  ExpectDecodesTo(*korvane::BoardTexturePicture(), 1);
  ExpectDecodesTo(*korvane::OpenHandCursor().picture, 3);
  ExpectDecodesTo(tk::Picture(1, 1, {0x80FF0000}), 1);
}

}  // namespace
