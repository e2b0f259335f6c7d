#include "toolkit/ui/controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "runtime/errors.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/form.h"
#include "toolkit/ui/screen.h"
#include "toolkit/ui/surface.h"

namespace tk {

Control::Control(Form& form, ControlSurface& container, std::string name, int index)
    : form_(form), container_(container), name_(std::move(name)), index_(index) {}

Control::~Control() = default;

void Control::Move(double left, double top, double width, double height) {
  Changed();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
}

void Control::SetToolTipText(std::string text) {
  tooltip_ = std::move(text);
}

void Control::Changed() {
  container_.RepaintControl(*this);
}

void Control::Refresh() {
  // A drawn control repaints its own box only: the board refreshes nine locations in a
  // row, and painting the whole container each time cost a frame per drop.
  if (IsWidget())
    container_.repaint();
  else
    container_.RepaintControl(*this, true);
}

WidgetControl::WidgetControl(Form& form, ControlSurface& container, std::string name, int index)
    : Control(form, container, std::move(name), index) {}

void WidgetControl::Adopt(QWidget* widget) {
  widget_ = widget;
  Place();
  widget->show();
}

void WidgetControl::Place() {
  if (widget_) widget_->setGeometry(Container().PixelBox(*this));
}

void WidgetControl::Move(double left, double top, double width, double height) {
  Control::Move(left, top, width, height);
  Place();
}

void WidgetControl::SetVisible(bool visible) {
  Control::SetVisible(visible);
  if (widget_) widget_->setVisible(visible);
}

void WidgetControl::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  if (widget_) widget_->setEnabled(enabled);
}

void WidgetControl::SetToolTipText(std::string text) {
  if (widget_) widget_->setToolTip(QString::fromStdString(text));
  Control::SetToolTipText(std::move(text));
}

CheckBox::CheckBox(Form& form, ControlSurface& container, std::string name, int index)
    : WidgetControl(form, container, std::move(name), index) {
  auto* box = new QCheckBox(&container);
  box->setAutoFillBackground(true);
  QObject::connect(box, &QCheckBox::stateChanged, box, [this](int) {
    if (Click) {
      auto click = Click;
      RunHandler([&] { click(); });
    }
  });
  Adopt(box);
}

QCheckBox* CheckBox::Box() const {
  return static_cast<QCheckBox*>(Widget());
}

int CheckBox::Value() const {
  return Box() && Box()->isChecked() ? 1 : 0;
}

void CheckBox::SetValue(int value) {
  if (value != 0 && value != 1) Raise(kInvalidProcedureCall);
  if (Box()) Box()->setChecked(value == 1);
}

void CheckBox::SetCaption(const std::string& caption) {
  if (Box()) Box()->setText(QString::fromStdString(caption));
}

void CheckBox::SetBackColor(OleColor c) {
  if (!Box()) return;
  QPalette pal = Box()->palette();
  pal.setColor(QPalette::Window, ToQColor(c));
  pal.setColor(QPalette::Button, ToQColor(c));
  Box()->setPalette(pal);
}

void CheckBox::SetFont(const FontSpec& font) {
  if (Box()) Box()->setFont(ToQFont(font));
}

CommandButton::CommandButton(Form& form, ControlSurface& container, std::string name, int index)
    : WidgetControl(form, container, std::move(name), index) {
  auto* button = new QPushButton(&container);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(button, &QPushButton::clicked, button, [this] {
    if (Click) {
      auto click = Click;
      RunHandler([&] { click(); });
    }
  });
  Adopt(button);
}

QPushButton* CommandButton::Button() const {
  return static_cast<QPushButton*>(Widget());
}

void CommandButton::SetCaption(const std::string& caption) {
  if (Button()) Button()->setText(QString::fromStdString(caption));
}

void CommandButton::SetFont(const FontSpec& font) {
  if (Button()) Button()->setFont(ToQFont(font));
}

namespace {

// A frame's border and caption, with the frame's own container filling it.
class FrameBox : public QGroupBox {
 public:
  explicit FrameBox(QWidget* parent) : QGroupBox(parent) { setFlat(false); }
};

}  // namespace

Frame::Frame(Form& form, ControlSurface& container, std::string name, int index)
    : WidgetControl(form, container, std::move(name), index) {
  auto* box = new FrameBox(&container);
  surface_ = new ControlSurface(form, box);
  Adopt(box);
}

void Frame::SetCaption(const std::string& caption) {
  if (Widget()) static_cast<QGroupBox*>(Widget())->setTitle(QString::fromStdString(caption));
}

void Frame::Place() {
  WidgetControl::Place();
  if (!Widget()) return;
  // Positions inside a frame are measured from its top-left corner, so its container
  // covers the whole frame; what it draws covers the border where it reaches it.
  surface_->setGeometry(0, 0, Widget()->width(), Widget()->height());
  surface_->SetScale(Container().ScaleX(), Container().ScaleY());
}

}  // namespace tk
