#include "toolkit/ui/qt_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

// What Qt itself makes of the straight-alpha pixels: the reference for ToQImage.
QImage QtPremultiplied(const tk::Picture& picture) {
  QImage plain(picture.width(), picture.height(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      plain.setPixel(x, y, picture.argb()[std::size_t(y) * picture.width() + x]);
  return plain.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(ToQImage, GivesQtsPremultipliedPixelsForOpaqueAndTranslucentPictures) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> argb;
  } cases[] = {
      {"opaque", {0xFF102030, 0xFFFFFFFF, 0xFF000000, 0xFF80C0E0, 0xFF0000FF, 0xFFABCDEF}},
      {"translucent", {0xFF102030, 0x80FFFFFF, 0x00000000, 0x4080C0E0, 0x01FF0000, 0xFFABCDEF}},
      {"transparent", {0x00FFFFFF, 0x00000000, 0x00123456, 0x00FFFFFF, 0x00000000, 0x00ABCDEF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto picture = std::make_shared<const tk::Picture>(3, 2, c.argb);
    const QImage& image = tk::ToQImage(*picture);
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image, QtPremultiplied(*picture));
    EXPECT_EQ(&tk::ToQImage(*picture), &image) << "made once and kept with the picture";
  }
}

}  // namespace
