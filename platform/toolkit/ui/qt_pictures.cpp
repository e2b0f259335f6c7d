#include "qt_pictures.h"

#include <QPixmap>
#include <cstring>

namespace tk {

const QImage& ToQImage(const Picture& picture) {
  auto& cache = picture.native_cache();
  if (!cache) {
    auto image = std::make_shared<QImage>(picture.width(), picture.height(),
                                          QImage::Format_ARGB32_Premultiplied);
    QImage plain(picture.width(), picture.height(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
      std::memcpy(plain.scanLine(y), picture.argb().data() + std::size_t(y) * picture.width(),
                  std::size_t(picture.width()) * 4);
    }
    *image = plain.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cache = image;
  }
  return *static_cast<const QImage*>(cache.get());
}

QCursor CursorFromPicture(const PictureRef& picture, int hot_x, int hot_y) {
  if (!picture) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(ToQImage(*picture)), hot_x, hot_y);
}

PictureRef PictureFromQImage(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  std::vector<std::uint32_t> pixels(std::size_t(argb.width()) * argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    std::memcpy(pixels.data() + std::size_t(y) * argb.width(), argb.constScanLine(y),
                std::size_t(argb.width()) * 4);
  }
  return std::make_shared<Picture>(argb.width(), argb.height(), std::move(pixels));
}

}  // namespace tk
