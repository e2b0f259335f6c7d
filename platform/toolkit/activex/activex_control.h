// The host's side of a control placed on a window: a window description holds it by class
// identifier, with an optional stored property bag. Creating it activates the registered
// class, gives it its site (ambient properties and an extender with Name and Move), places
// its surface in the window, restores it from the bag (or initialises it as new) and
// passes its events to the window's handlers named control, underscore, event. The
// window's unload lets go of it.
#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>

#include "com/dispatch.h"
#include "com/guid.h"
#include "com/property_bag.h"
#include "toolkit/activex/control_site.h"
#include "toolkit/ui/controls.h"

namespace tk {

class ActiveXControl : public Control {
 public:
  ActiveXControl(Form& form, ControlSurface& container, std::string name, int index);
  ~ActiveXControl() override;

  using EventHandler = std::function<void(std::span<com::Variant> args)>;
  // A handler by its full name ("Tickerell1_click"), matched without regard to case.
  void SetHandler(const std::string& handler_name, EventHandler handler);

  // Activates the class and sets the control up as described above. `stored` null: a new
  // instance. `user_mode` False makes a design host. Raises 429 with the reason when the
  // class cannot be created.
  void Create(const com::CLSID& clsid, com::ComPtr<com::IPropertyBag> stored,
              bool user_mode = true);

  // What the window's code talks to: the extender, which passes every member it does not
  // have itself on to the control.
  com::IDispatch* Object() const;
  // The control itself, without the extender.
  com::IDispatch* Inner() const { return dispatch_.get(); }
  IControl* Instance() const { return control_.get(); }
  bool UserMode() const { return user_mode_; }

  bool IsWidget() const override { return true; }
  void Place() override;
  void Move(double left, double top, double width, double height) override;
  void SetVisible(bool visible) override;
  void Detach() override;

  // Called by the event sink.
  void RaiseEvent(com::DISPID id, std::span<com::Variant> args);

 private:
  void LearnEvents(const com::CLSID& clsid);

  com::ComPtr<IControl> control_;
  com::ComPtr<com::IDispatch> dispatch_;
  com::ComPtr<IControlSite> site_;
  com::ComPtr<com::IDispatch> extender_;
  com::ComPtr<com::IDispatch> sink_;
  com::IID events_iid_{};
  std::uint32_t cookie_ = 0;
  bool user_mode_ = true;
  std::map<com::DISPID, std::string> event_names_;
  std::map<std::string, EventHandler> handlers_;  // by folded name
};

}  // namespace tk
