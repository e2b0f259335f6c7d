#include "toolkit/activex/user_control.h"

#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <utility>

#include "com/late_bound.h"
#include "runtime/errors.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/key_codes.h"
#include "toolkit/ui/qt_pictures.h"
#include "toolkit/ui/screen.h"
#include "toolkit/ui/surface.h"

namespace tk {

// The widget that shows a control's persistent image and passes its input on.
class UserControlSurface : public QWidget {
 public:
  explicit UserControlSurface(UserControl& owner) : owner_(owner) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int inset = owner_.BorderWidth();
    p.drawImage(inset, inset, *owner_.image_);
    if (inset > 0) {
      p.setPen(Qt::black);
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    Raise(owner_.Paint);
  }
  void resizeEvent(QResizeEvent*) override { owner_.Resized(); }
  void mousePressEvent(QMouseEvent* e) override {
    double_clicked_ = false;
    Mouse(owner_.MouseDown, e, false);
  }
  void mouseMoveEvent(QMouseEvent* e) override { Mouse(owner_.MouseMove, e, true); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<UserControlSurface> self(this);
    // A double click is MouseDown, MouseUp, Click, DblClick, MouseUp: its second release
    // raises no Click of its own.
    const bool second_release = std::exchange(double_clicked_, false);
    Mouse(owner_.MouseUp, e, false);
    if (self && !second_release && e->button() == Qt::LeftButton &&
        rect().contains(e->position().toPoint()))
      Raise(owner_.Click);
  }
  void mouseDoubleClickEvent(QMouseEvent*) override {
    double_clicked_ = true;
    Raise(owner_.DblClick);
  }
  void keyPressEvent(QKeyEvent* e) override {
    std::int16_t code = KeyCodeOf(e->key());
    std::int16_t shift = static_cast<std::int16_t>(ShiftOf(e->modifiers()));
    if (owner_.KeyDown) RunHandler([&] { owner_.KeyDown(code, shift); });
    if (!e->text().isEmpty() && owner_.KeyPress) {
      std::int16_t ascii = static_cast<std::int16_t>(e->text().at(0).unicode() & 0x7FFF);
      RunHandler([&] { owner_.KeyPress(ascii); });
    }
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    std::int16_t code = KeyCodeOf(e->key());
    std::int16_t shift = static_cast<std::int16_t>(ShiftOf(e->modifiers()));
    if (owner_.KeyUp) RunHandler([&] { owner_.KeyUp(code, shift); });
  }

 private:
  static void Raise(const std::function<void()>& hook) {
    if (hook) {
      auto h = hook;
      RunHandler([&] { h(); });
    }
  }
  void Mouse(const std::function<void(std::int16_t&, std::int16_t&, float&, float&)>& hook,
             QMouseEvent* e, bool move) {
    if (!hook) return;
    std::int16_t button =
        static_cast<std::int16_t>(move ? ButtonsOf(e->buttons()) : ButtonOf(e->button()));
    std::int16_t shift = static_cast<std::int16_t>(ShiftOf(e->modifiers()));
    // In the drawing's own units: from the inner corner, as the picture and the print.
    const int inset = owner_.BorderWidth();
    float x = static_cast<float>(e->position().x() - inset);
    float y = static_cast<float>(e->position().y() - inset);
    auto h = hook;
    RunHandler([&] { h(button, shift, x, y); });
  }

  UserControl& owner_;
  bool double_clicked_ = false;
};

UserControl::UserControl(double width_twips, double height_twips)
    : image_(std::make_unique<QImage>()), back_color_(kSysButtonFace), fore_color_(kSysButtonText) {
  auto* surface = new UserControlSurface(*this);
  surface->resize(static_cast<int>(std::lround(TwipsToPixels(width_twips))),
                  static_cast<int>(std::lround(TwipsToPixels(height_twips))));
  surface_ = surface;
  Resized();
}

UserControl::~UserControl() {
  Close();
}

void UserControl::SetSite(IControlSite* site) {
  site_ = com::ComPtr<IControlSite>(site);
  if (!site || !surface_) return;
  if (QWidget* parent = site->ContainerWidget()) {
    surface_->setParent(parent);
    surface_->show();
  }
}

bool UserControl::AmbientUserMode() const {
  if (!site_) return true;
  com::Variant v;
  if (com::Failed(site_->GetAmbientProperty(DISPID_AMBIENT_USERMODE, &v))) return true;
  return v.ToBool();
}

com::ComPtr<com::IDispatch> UserControl::Extender() const {
  com::ComPtr<com::IDispatch> extender;
  if (!site_ || com::Failed(site_->GetExtendedControl(extender.Put())) || !extender)
    Raise(kObjectRequired);
  return extender;
}

std::string UserControl::ExtenderName() const {
  return com::PropertyGet(Extender().get(), "Name").ToText();
}

void UserControl::SetBounds(int left, int top, int width, int height) {
  if (surface_) surface_->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void UserControl::Close() {
  if (closed_) return;
  closed_ = true;
  delete surface_.data();
  site_.Reset();
}

void UserControl::SetBackColor(OleColor c) {
  back_color_ = c;
  if (surface_) surface_->update();
}

void UserControl::SetForeColor(OleColor c) {
  fore_color_ = c;
}

void UserControl::SetPicture(com::ComPtr<com::IPictureDisp> picture) {
  picture_ = std::move(picture);
}

void UserControl::SetBorderStyle(std::int16_t style) {
  border_style_ = style;
  Resized();  // the drawing inside the border is smaller or larger now, and keeps its content
  if (surface_) surface_->update();
}

int UserControl::BorderWidth() const {
  return border_style_ == 1 ? 1 : 0;
}

QSize UserControl::InnerSize() const {
  if (!surface_) return image_->size();
  const int border = 2 * BorderWidth();
  return QSize(std::max(0, surface_->width() - border), std::max(0, surface_->height() - border));
}

void UserControl::Resized() {
  if (!surface_) return;
  const QSize size = InnerSize().expandedTo(QSize(1, 1));
  if (image_->size() == size) return;
  // What is drawn stays until the next drawing: a control that is not ticking (paused,
  // or in a designer) would otherwise lose its text for good. Only the part the image
  // grew by gets the background and the picture.
  QImage grown(size, QImage::Format_ARGB32_Premultiplied);
  DrawBackground(grown);
  if (!image_->isNull()) {
    QPainter p(&grown);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, *image_);
  }
  *image_ = std::move(grown);
}

void UserControl::DrawBackground(QImage& image) const {
  image.fill(ToQColor(back_color_));
  if (picture_) {
    if (PictureRef pic = picture_->picture()) {
      QPainter p(&image);
      p.drawImage(0, 0, ToQImage(*pic));
    }
  }
}

void UserControl::Cls() {
  DrawBackground(*image_);
  current_x_ = 0;
  current_y_ = 0;
  if (surface_) surface_->update();
}

float UserControl::ScaleWidth() const {
  return static_cast<float>(InnerSize().width());
}

float UserControl::ScaleHeight() const {
  return static_cast<float>(InnerSize().height());
}

float UserControl::TextWidth(const std::string& text) const {
  return static_cast<float>(
      QFontMetricsF(ToQFont(font_)).horizontalAdvance(QString::fromStdString(text)));
}

void UserControl::Print(const std::string& text) {
  const QFont font = ToQFont(font_);
  Print(QString::fromStdString(text), font, QFontMetricsF(font));
}

void UserControl::Print(const QString& text, const QFont& font, const QFontMetricsF& fm) {
  if (!text.isEmpty() && !closed_) {
    QPainter p(image_.get());
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(ToQColor(fore_color_));
    p.drawText(QPointF(current_x_, current_y_ + fm.ascent()), text);
  }
  current_x_ = 0;
  current_y_ += static_cast<float>(fm.height());
  if (surface_) surface_->update();
}

QWidget* UserControl::Widget() const {
  return surface_;
}

const QImage& UserControl::Image() const {
  return *image_;
}

}  // namespace tk
