// Controls as the runtime knows them. Images, labels, shapes and lines are drawn and
// hit-tested by their container (a ControlSurface); check boxes, command buttons and
// frames are real widgets. Geometry is kept in twips, as the window descriptions give
// it; control arrays are told apart by Name and Index.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "runtime/picture.h"
#include "toolkit/ui/colors.h"
#include "toolkit/ui/fonts.h"

class QPainter;
class QRectF;
class QWidget;
class QCheckBox;
class QPushButton;

namespace tk {

class Form;
class ControlSurface;

// Mouse buttons and shift state as the runtime numbers them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

class Control {
 public:
  Control(Form& form, ControlSurface& container, std::string name, int index);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  // -1 for a control that is not an element of a control array.
  int Index() const { return index_; }
  Form& Parent() const { return form_; }
  ControlSurface& Container() const { return container_; }

  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  virtual void Move(double left, double top, double width, double height);
  void SetLeft(double v) { Move(v, top_, width_, height_); }
  void SetTop(double v) { Move(left_, v, width_, height_); }
  void SetWidth(double v) { Move(left_, top_, v, height_); }
  void SetHeight(double v) { Move(left_, top_, width_, v); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::string& ToolTipText() const { return tooltip_; }
  virtual void SetToolTipText(std::string text);

  // The pointer shown over the control; none means the ordinary arrow.
  const std::optional<QCursor>& MouseIcon() const { return cursor_; }
  void SetMouseIcon(std::optional<QCursor> cursor) { cursor_ = std::move(cursor); }

  // Automatic drag mode: a press starts a drag at once.
  bool DragAutomatic() const { return drag_automatic_; }
  void SetDragAutomatic(bool on) { drag_automatic_ = on; }

  // Repaints the control now.
  void Refresh();

  // Drawn controls paint themselves in design pixels; widgets return false here.
  virtual bool IsWidget() const { return false; }
  // Whether the control takes mouse input where it is drawn (shapes and lines do not).
  virtual bool TakesMouse() const { return false; }
  virtual void Paint(QPainter&, const QRectF&) {}
  // Places a widget control at its geometry under the container's scale.
  virtual void Place() {}
  // The window unloads: a control that holds something outside the window lets go of it.
  virtual void Detach() {}

  // Events; a handler that is not set is not raised.
  std::function<void()> Click;
  std::function<void()> DblClick;
  MouseHandler MouseDown;
  MouseHandler MouseMove;
  MouseHandler MouseUp;
  std::function<void(Control& source, float x, float y)> DragDrop;

 protected:
  void Changed();  // asks the container to repaint this control

 private:
  Form& form_;
  ControlSurface& container_;
  std::string name_;
  int index_;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool drag_automatic_ = false;
  std::string tooltip_;
  std::optional<QCursor> cursor_;
};

class Image : public Control {
 public:
  using Control::Control;
  const PictureRef& Picture() const { return picture_; }
  void SetPicture(PictureRef picture);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool TakesMouse() const override { return true; }
  void Paint(QPainter& p, const QRectF& px) override;

 private:
  PictureRef picture_;
  bool stretch_ = false;
  // The stretched picture at the size it was last drawn, in device pixels.
  QImage stretched_;
};

enum class Alignment { kLeft = 0, kRight = 1, kCenter = 2 };

class Label : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  // Every assignment raises Change, after the label has sized itself to the new text.
  void SetCaption(std::string caption);
  void SetFont(FontSpec font);
  const FontSpec& Font() const { return font_; }
  void SetForeColor(OleColor c);
  void SetBackColor(OleColor c);
  void SetTransparent(bool on);
  void SetAlignment(Alignment a);
  void SetWordWrap(bool on);
  void SetAutoSize(bool on);
  bool AutoSize() const { return auto_size_; }
  bool TakesMouse() const override { return true; }
  void Paint(QPainter& p, const QRectF& px) override;

  std::function<void()> Change;

 private:
  void Fit();
  std::string caption_;
  FontSpec font_;
  OleColor fore_ = kSysButtonText;
  OleColor back_ = kSysButtonFace;
  bool transparent_ = false;
  Alignment alignment_ = Alignment::kLeft;
  bool word_wrap_ = false;
  bool auto_size_ = false;
};

enum class ShapeKind { kRectangle = 0, kSquare = 1, kOval = 2, kCircle = 3 };

class Shape : public Control {
 public:
  using Control::Control;
  void SetShape(ShapeKind kind);
  void SetBorderColor(OleColor c);
  void SetBorderWidth(int pixels);
  // No fill colour means the interior is transparent.
  void SetFillColor(std::optional<OleColor> c);
  void Paint(QPainter& p, const QRectF& px) override;

 private:
  ShapeKind kind_ = ShapeKind::kRectangle;
  OleColor border_ = 0;
  int border_width_ = 1;
  std::optional<OleColor> fill_;
};

class Line : public Control {
 public:
  using Control::Control;
  void SetEnds(double x1, double y1, double x2, double y2);  // twips
  void SetBorderColor(OleColor c);
  void SetBorderWidth(int pixels);
  void Paint(QPainter& p, const QRectF& px) override;
  double X1() const { return x1_; }
  double Y1() const { return y1_; }
  double X2() const { return x2_; }
  double Y2() const { return y2_; }

 private:
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  OleColor border_ = 0;
  int border_width_ = 1;
};

// Base of the controls that are real widgets inside the container.
class WidgetControl : public Control {
 public:
  WidgetControl(Form& form, ControlSurface& container, std::string name, int index);
  bool IsWidget() const override { return true; }
  void Move(double left, double top, double width, double height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetToolTipText(std::string text) override;
  void Place() override;
  QWidget* Widget() const { return widget_; }

 protected:
  void Adopt(QWidget* widget);

 private:
  QPointer<QWidget> widget_;
};

class CheckBox : public WidgetControl {
 public:
  CheckBox(Form& form, ControlSurface& container, std::string name, int index);
  int Value() const;  // 0 clear, 1 ticked
  // Raises Click when the value changes, as a click by the user does.
  void SetValue(int value);
  void SetCaption(const std::string& caption);
  void SetBackColor(OleColor c);
  void SetFont(const FontSpec& font);
  QCheckBox* Box() const;
};

class CommandButton : public WidgetControl {
 public:
  CommandButton(Form& form, ControlSurface& container, std::string name, int index);
  void SetCaption(const std::string& caption);
  void SetFont(const FontSpec& font);
  QPushButton* Button() const;
};

// A frame: a widget that contains controls of its own.
class Frame : public WidgetControl {
 public:
  Frame(Form& form, ControlSurface& container, std::string name, int index);
  void SetCaption(const std::string& caption);
  ControlSurface& Surface() const { return *surface_; }
  void Place() override;

 private:
  ControlSurface* surface_;
};

}  // namespace tk
