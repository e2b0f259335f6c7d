// The contract between a control and the window that hosts it. The host gives the
// control a site (ambient properties, the extender object, the widget to live in); the
// control answers to its life cycle (new, restored from a property bag, saved), to being
// placed, and to being let go.
#pragma once

#include "com/connection_point.h"
#include "com/dispatch.h"
#include "com/property_bag.h"
#include "com/unknown.h"

class QWidget;

namespace tk {

// Ambient property: True while the container runs, False in a design environment.
inline constexpr com::DISPID DISPID_AMBIENT_USERMODE = -709;

struct IControlSite : com::IUnknown {
  using Base = com::IUnknown;
  static constexpr com::IID kIid{
      0x6b1c52a0, 0x3f4e, 0x4d21, {0x9a, 0x57, 0x1e, 0x83, 0x2c, 0x40, 0x7d, 0x11}};

  virtual com::HRESULT GetAmbientProperty(com::DISPID id, com::Variant* out) = 0;
  // The object the container wraps around the control: Name, Move and the rest.
  virtual com::HRESULT GetExtendedControl(com::IDispatch** out) = 0;
  // The widget that the control's surface becomes a child of.
  virtual QWidget* ContainerWidget() = 0;
};

struct IControl : com::IUnknown {
  using Base = com::IUnknown;
  static constexpr com::IID kIid{
      0x6b1c52a1, 0x3f4e, 0x4d21, {0x9a, 0x57, 0x1e, 0x83, 0x2c, 0x40, 0x7d, 0x11}};

  // Null: the host lets go of the control.
  virtual com::HRESULT SetClientSite(IControlSite* site) = 0;
  // A new instance (InitProperties) or one restored from stored properties
  // (ReadProperties); the host calls exactly one of them, once.
  virtual com::HRESULT InitNew() = 0;
  virtual com::HRESULT Load(com::IPropertyBag* bag) = 0;
  // Saves the instance (WriteProperties).
  virtual com::HRESULT Save(com::IPropertyBag* bag) = 0;
  // The control's place in its container widget, in that widget's pixels.
  virtual com::HRESULT SetObjectRects(int left, int top, int width, int height) = 0;
  // The window unloads: the control stops its timers and gives up its surface; after
  // this nothing of it may touch the window.
  virtual com::HRESULT Close() = 0;
};

}  // namespace tk
