#include "toolkit/ui/qt_pictures.h"

#include <QPixmap>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tk {

const QImage& ToQImage(const Picture& picture) {
  auto& cache = picture.native_cache();
  if (!cache) {
    // Opaque pixels read the same straight or premultiplied, so a picture without
    // transparency (the common case, and the large pictures) is copied once, unconverted.
    const auto& argb = picture.argb();
    const bool opaque =
        std::all_of(argb.begin(), argb.end(), [](std::uint32_t px) { return px >> 24 == 0xFF; });
    QImage image(picture.width(), picture.height(),
                 opaque ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
      std::memcpy(image.scanLine(y), argb.data() + std::size_t(y) * picture.width(),
                  std::size_t(picture.width()) * 4);
    }
    if (!opaque) image.convertTo(QImage::Format_ARGB32_Premultiplied);
    cache = std::make_shared<QImage>(std::move(image));
  }
  return *static_cast<const QImage*>(cache.get());
}

QCursor CursorFromPicture(const PictureRef& picture, int hot_x, int hot_y) {
  if (!picture) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(ToQImage(*picture)), hot_x, hot_y);
}

}  // namespace tk
