// The controls that their container draws: images, labels, shapes and lines.
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "toolkit/ui/application.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/display_text.h"
#include "toolkit/ui/qt_pictures.h"
#include "toolkit/ui/screen.h"
#include "toolkit/ui/surface.h"

namespace tk {

void Image::SetPicture(PictureRef picture) {
  picture_ = std::move(picture);
  stretched_ = QImage();
  Changed();
}

void Image::SetStretch(bool on) {
  stretch_ = on;
  Changed();
}

void Image::Paint(QPainter& p, const QRectF& px) {
  if (!picture_ || picture_->width() == 0 || picture_->height() == 0) return;
  const QImage& image = ToQImage(*picture_);
  if (stretch_) {
    // Stretched once into the device pixels it covers, then copied: smooth scaling
    // while painting gives slightly different pixels depending on where a repaint
    // starts, which would leave faint seams wherever part of a picture is repainted.
    const QRectF to = p.transform().mapRect(px);
    const QPoint at(static_cast<int>(std::lround(to.left())),
                    static_cast<int>(std::lround(to.top())));
    const QSize size(static_cast<int>(std::lround(to.right())) - at.x(),
                     static_cast<int>(std::lround(to.bottom())) - at.y());
    if (size.isEmpty()) return;
    if (stretched_.size() != size) {
      stretched_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
      stretched_.fill(Qt::transparent);
      QPainter scaler(&stretched_);
      scaler.setRenderHint(QPainter::SmoothPixmapTransform, true);
      scaler.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), image);
    }
    p.resetTransform();
    p.drawImage(at, stretched_);
  } else {
    p.setClipRect(px);
    p.drawImage(px.topLeft(), image);
  }
}

void Label::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Fit();
  Changed();
  if (Change) {
    auto change = Change;
    RunHandler([&] { change(); });
  }
}

void Label::SetFont(FontSpec font) {
  font_ = std::move(font);
  Fit();
  Changed();
}

void Label::SetForeColor(OleColor c) {
  fore_ = c;
  Changed();
}

void Label::SetBackColor(OleColor c) {
  back_ = c;
  Changed();
}

void Label::SetTransparent(bool on) {
  transparent_ = on;
  Changed();
}

void Label::SetAlignment(Alignment a) {
  alignment_ = a;
  Changed();
}

void Label::SetWordWrap(bool on) {
  word_wrap_ = on;
  Fit();
  Changed();
}

void Label::SetAutoSize(bool on) {
  auto_size_ = on;
  Fit();
}

void Label::Fit() {
  if (!auto_size_) return;
  const QFontMetricsF fm(ToQFont(font_));
  const QString text = DisplayText(caption_);
  double w = 0, h = 0;
  if (word_wrap_) {
    const QRectF r =
        fm.boundingRect(QRectF(0, 0, TwipsToPixels(Width()), 1e6), Qt::TextWordWrap, text);
    w = TwipsToPixels(Width());
    h = r.height();
  } else {
    const QStringList lines = text.split('\n');
    for (const QString& line : lines) w = std::max(w, fm.horizontalAdvance(line));
    h = fm.height() * static_cast<double>(lines.size());
  }
  Move(Left(), Top(), PixelsToTwips(std::ceil(w)), PixelsToTwips(std::ceil(h)));
}

void Label::Paint(QPainter& p, const QRectF& px) {
  if (!transparent_) p.fillRect(px, ToQColor(back_));
  p.setFont(ToQFont(font_));
  p.setPen(ToQColor(fore_));
  int flags = Qt::AlignTop;
  switch (alignment_) {
    case Alignment::kLeft:
      flags |= Qt::AlignLeft;
      break;
    case Alignment::kRight:
      flags |= Qt::AlignRight;
      break;
    case Alignment::kCenter:
      flags |= Qt::AlignHCenter;
      break;
  }
  if (word_wrap_ || !auto_size_) flags |= Qt::TextWordWrap;
  p.setClipRect(px);
  p.drawText(px, flags, DisplayText(caption_));
}

void Shape::SetShape(ShapeKind kind) {
  kind_ = kind;
  Changed();
}

void Shape::SetBorderColor(OleColor c) {
  border_ = c;
  Changed();
}

void Shape::SetBorderWidth(int pixels) {
  border_width_ = pixels;
  Changed();
}

void Shape::SetFillColor(std::optional<OleColor> c) {
  fill_ = c;
  Changed();
}

void Shape::Paint(QPainter& p, const QRectF& px) {
  QPen pen(ToQColor(border_), border_width_);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(border_width_ > 0 ? pen : QPen(Qt::NoPen));
  p.setBrush(fill_ ? QBrush(ToQColor(*fill_)) : QBrush(Qt::NoBrush));
  QRectF r = px;
  if (kind_ == ShapeKind::kSquare || kind_ == ShapeKind::kCircle) {
    const double side = std::min(r.width(), r.height());
    r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
  }
  if (kind_ == ShapeKind::kOval || kind_ == ShapeKind::kCircle) {
    // A round shape keeps its thick border inside its box.
    const double half = border_width_ / 2.0;
    p.drawEllipse(r.adjusted(half, half, -half, -half));
  } else {
    // A rectangle's border runs along its edges, so its corners mark the box exactly.
    p.drawRect(r);
  }
}

void Line::SetEnds(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

void Line::SetBorderColor(OleColor c) {
  border_ = c;
  Changed();
}

void Line::SetBorderWidth(int pixels) {
  border_width_ = pixels;
  Changed();
}

void Line::Paint(QPainter& p, const QRectF&) {
  QPen pen(ToQColor(border_), border_width_);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(QPointF(TwipsToPixels(x1_), TwipsToPixels(y1_)),
             QPointF(TwipsToPixels(x2_), TwipsToPixels(y2_)));
}

}  // namespace tk
