#include "user32/picture_in_place.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

namespace user32::detail {
namespace {

// Paints the picture into its rectangle and leaves everything around it see-through.
class Cover : public QWidget {
 public:
  Cover(QWidget& window, QImage picture) : QWidget(&window), picture_(std::move(picture)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    shown_ = QRect(QPoint(0, 0), picture_.size());
  }
  void ShowIn(const QRect& r) {
    if (r == shown_) return;
    shown_ = r;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    // The window and its controls were drawn beneath; this replaces them, alpha included.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(shown_, picture_);
  }

 private:
  QImage picture_;
  QRect shown_;
};

// The window as it looks, its frame stood in for by a plain band with the caption.
QImage PictureOf(QWidget& w, const QMargins& frame) {
  const QSize outer = w.size().grownBy(frame);
  QImage picture(outer, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  if (!frame.isNull()) {
    p.fillRect(picture.rect(), w.palette().window());
    p.setPen(w.palette().windowText().color());
    const QRect title(frame.left() + 4, 0, outer.width() - frame.left() - frame.right() - 8,
                      frame.top());
    p.drawText(title, Qt::AlignVCenter | Qt::AlignLeft,
               QFontMetrics(w.font()).elidedText(w.windowTitle(), Qt::ElideRight, title.width()));
  }
  p.drawPixmap(frame.left(), frame.top(), w.grab());
  return picture;
}

}  // namespace

PictureInPlace::PictureInPlace(QWidget& window)
    : window_(&window),
      size_(window.size()),
      min_(window.minimumSize()),
      max_(window.maximumSize()),
      had_system_background_(!window.testAttribute(Qt::WA_NoSystemBackground)) {
  QWindow* handle = window.windowHandle();
  if (handle != nullptr && !(handle->flags() & Qt::FramelessWindowHint)) {
    frame_flags_ = handle->flags();
    frame_ = handle->frameMargins();
  }
  outer_ = size_.grownBy(frame_);
  QImage picture = PictureOf(window, frame_);
  if (!frame_.isNull()) {
    // The frame goes and the window takes its room: its outer corner stays where it is
    // (the window system keeps a window's corner when the window changes size).
    handle->setFlags(frame_flags_ | Qt::FramelessWindowHint);
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.resize(outer_);
  }
  // Nothing opaque beneath the cover: the window now counts as see-through.
  window.setAttribute(Qt::WA_NoSystemBackground);
  auto* cover = new Cover(window, std::move(picture));
  cover_ = cover;
  cover->setGeometry(QRect(QPoint(0, 0), outer_));
  cover->show();
  cover->raise();
}

PictureInPlace::~PictureInPlace() {
  delete cover_.data();
  if (!window_) return;
  window_->setAttribute(Qt::WA_NoSystemBackground, !had_system_background_);
  if (frame_.isNull()) return;
  if (QWindow* handle = window_->windowHandle()) handle->setFlags(frame_flags_);
  window_->resize(size_);
  window_->setMinimumSize(min_);
  window_->setMaximumSize(max_);
}

void PictureInPlace::ShowIn(const QRect& r) {
  if (auto* cover = static_cast<Cover*>(cover_.data())) cover->ShowIn(r);
}

}  // namespace user32::detail
