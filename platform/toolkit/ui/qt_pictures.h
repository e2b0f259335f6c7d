// Pictures and cursors made from the runtime's own pixel pictures.
#pragma once

#include <QCursor>
#include <QImage>

#include "runtime/picture.h"

namespace tk {

// The picture's pixels as a QImage, made once per picture and kept with it.
const QImage& ToQImage(const Picture& picture);

QCursor CursorFromPicture(const PictureRef& picture, int hot_x, int hot_y);

}  // namespace tk
