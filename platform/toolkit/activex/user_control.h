// The base object of a control: what a control class builds on. It holds the control's
// drawing surface (scaled in pixels, kept on a persistent image and shown on the screen
// inside the border, whose inner corner is the drawing's origin),
// its colours, picture, border and font, the print position and printing, and the
// control's connection to its host (ambient properties, extender). Input on the surface
// and its repaints arrive through the event hooks.
#pragma once

#include <QFontMetricsF>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "com/picture_object.h"
#include "toolkit/activex/control_site.h"
#include "toolkit/ui/colors.h"
#include "toolkit/ui/fonts.h"

namespace tk {

class UserControlSurface;

class UserControl {
 public:
  // The design size of the surface, in twips.
  UserControl(double width_twips, double height_twips);
  ~UserControl();
  UserControl(const UserControl&) = delete;
  UserControl& operator=(const UserControl&) = delete;

  // ---- The host ----
  void SetSite(IControlSite* site);
  IControlSite* Site() const { return site_.get(); }
  // The container's UserMode: True at run time (and with no site), False in a designer.
  bool AmbientUserMode() const;
  // The extender object; raises Object required (424) when the host offers none.
  com::ComPtr<com::IDispatch> Extender() const;
  // The host's name for the instance (the extender's Name), as text.
  std::string ExtenderName() const;
  void SetBounds(int left, int top, int width, int height);
  // The host has let go: the surface is destroyed and nothing is drawn any more.
  void Close();
  bool Closed() const { return closed_; }

  // ---- The surface ----
  OleColor BackColor() const { return back_color_; }
  void SetBackColor(OleColor c);
  OleColor ForeColor() const { return fore_color_; }
  void SetForeColor(OleColor c);
  // The background picture, drawn at its own size from the inner top-left corner by Cls.
  com::ComPtr<com::IPictureDisp> Picture() const { return picture_; }
  void SetPicture(com::ComPtr<com::IPictureDisp> picture);
  std::int16_t BorderStyle() const { return border_style_; }
  void SetBorderStyle(std::int16_t style);  // 0 none, 1 fixed single; others draw none
  FontSpec& Font() { return font_; }

  // Clears to the background colour and picture; the print position goes to (0, 0).
  void Cls();
  float CurrentX() const { return current_x_; }
  float CurrentY() const { return current_y_; }
  void SetCurrentX(float x) { current_x_ = x; }
  void SetCurrentY(float y) { current_y_ = y; }
  // The inner size in pixels (inside the border), the size of the drawing.
  float ScaleWidth() const;
  float ScaleHeight() const;
  // The width of a text in the current font, in pixels.
  float TextWidth(const std::string& text) const;
  // Draws the text at the print position in the current font and text colour, then moves
  // to the start of the next line.
  void Print(const std::string& text);
  // Print with Font() already made into `font` and its metrics, for a caller that keeps
  // them between draws: draws and moves exactly as Print(text) does.
  void Print(const QString& text, const QFont& font, const QFontMetricsF& metrics);

  // The surface as a widget, for tests and the host; null once closed.
  QWidget* Widget() const;
  // What the surface shows now inside its border.
  const QImage& Image() const;

  // ---- Events of the surface (button, shift, x, y in pixels from the inner corner) ----
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(std::int16_t&, std::int16_t&, float&, float&)> MouseDown;
  std::function<void(std::int16_t&, std::int16_t&, float&, float&)> MouseMove;
  std::function<void(std::int16_t&, std::int16_t&, float&, float&)> MouseUp;
  std::function<void(std::int16_t&, std::int16_t&)> KeyDown;
  std::function<void(std::int16_t&)> KeyPress;
  std::function<void(std::int16_t&, std::int16_t&)> KeyUp;
  std::function<void()> Paint;

 private:
  friend class UserControlSurface;
  // Fits the image to the inner size, keeping what is drawn where the two overlap.
  void Resized();
  void DrawBackground(QImage& image) const;
  // The border's width on each side, in pixels: 1 for fixed single, else 0.
  int BorderWidth() const;
  QSize InnerSize() const;

  QPointer<UserControlSurface> surface_;
  std::unique_ptr<QImage> image_;
  com::ComPtr<IControlSite> site_;
  bool closed_ = false;
  OleColor back_color_;
  OleColor fore_color_;
  com::ComPtr<com::IPictureDisp> picture_;
  std::int16_t border_style_ = 0;
  FontSpec font_;
  float current_x_ = 0;
  float current_y_ = 0;
};

}  // namespace tk
