#include "toolkit/activex/activex_control.h"

#include <QWidget>
#include <cmath>

#include "com/activation.h"
#include "com/connection_point.h"
#include "com/hresult_errors.h"
#include "com/module_resources.h"
#include "com/object.h"
#include "com/type_library.h"
#include "runtime/errors.h"
#include "runtime/key_store.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/form.h"
#include "toolkit/ui/screen.h"
#include "toolkit/ui/surface.h"

namespace tk {
namespace {

// Members that the extender has itself; everything else goes on to the control.
enum ExtenderId : com::DISPID {
  kExtName = 0x60010000,
  kExtMove,
  kExtLeft,
  kExtTop,
  kExtWidth,
  kExtHeight,
  kExtVisible,
};

struct ExtenderMember {
  const char* name;
  com::DISPID id;
};
constexpr ExtenderMember kExtenderMembers[] = {
    {"Name", kExtName},   {"Move", kExtMove},     {"Left", kExtLeft},       {"Top", kExtTop},
    {"Width", kExtWidth}, {"Height", kExtHeight}, {"Visible", kExtVisible},
};

class Site : public com::Object<IControlSite> {
 public:
  Site(ActiveXControl* owner, com::IDispatch* extender) : owner_(owner), extender_(extender) {}
  void Forget() {
    owner_ = nullptr;
    extender_.Reset();
  }

  com::HRESULT GetAmbientProperty(com::DISPID id, com::Variant* out) override {
    if (!out) return com::E_POINTER;
    if (!owner_ || id != DISPID_AMBIENT_USERMODE) return com::DISP_E_MEMBERNOTFOUND;
    *out = com::Variant::Bool(owner_->UserMode());
    return com::S_OK;
  }
  com::HRESULT GetExtendedControl(com::IDispatch** out) override {
    if (!out) return com::E_POINTER;
    *out = nullptr;
    if (!extender_) return com::E_FAIL;
    extender_->AddRef();
    *out = extender_.get();
    return com::S_OK;
  }
  QWidget* ContainerWidget() override { return owner_ ? &owner_->Container() : nullptr; }

 private:
  ActiveXControl* owner_;
  com::ComPtr<com::IDispatch> extender_;
};

class Extender : public com::Object<com::IDispatch> {
 public:
  explicit Extender(ActiveXControl* owner) : owner_(owner) {}
  void Forget() { owner_ = nullptr; }

  com::HRESULT GetIDsOfNames(std::span<const std::string_view> names, com::DISPID* ids) override {
    if (names.empty() || !ids) return com::E_INVALIDARG;
    for (const ExtenderMember& m : kExtenderMembers) {
      if (FoldCase(names[0]) == FoldCase(m.name)) {
        ids[0] = m.id;
        return names.size() == 1 ? com::S_OK : com::DISP_E_UNKNOWNNAME;
      }
    }
    if (!owner_ || !owner_->Inner()) return com::DISP_E_UNKNOWNNAME;
    return owner_->Inner()->GetIDsOfNames(names, ids);
  }

  com::HRESULT Invoke(com::DISPID id, com::DispatchFlags flags, std::span<com::Variant> args,
                      com::Variant* result, com::ExcepInfo* excep, unsigned* arg_err) override {
    if (!owner_) return com::E_FAIL;
    if (id < kExtName || id > kExtVisible) {
      if (!owner_->Inner()) return com::DISP_E_MEMBERNOTFOUND;
      // Held across the call: the control may let go of its window meanwhile.
      com::ComPtr<com::IDispatch> inner(owner_->Inner());
      return inner->Invoke(id, flags, args, result, excep, arg_err);
    }
    try {
      Own(static_cast<ExtenderId>(id), flags, args, result);
      return com::S_OK;
    } catch (const RuntimeError& e) {
      if (excep) *excep = {e.number(), "Extender", e.description()};
      return com::DISP_E_EXCEPTION;
    }
  }

 private:
  void Own(ExtenderId id, com::DispatchFlags flags, std::span<com::Variant> args,
           com::Variant* result) {
    ActiveXControl& c = *owner_;
    const bool put = (flags & com::DISPATCH_PROPERTYPUT) != 0;
    auto value = [&] { return args.empty() ? com::Variant() : args.back().Deref(); };
    auto give = [&](com::Variant v) {
      if (result) *result = std::move(v);
    };
    switch (id) {
      case kExtName:
        if (put) Raise(382);  // set not supported at run time
        give(com::Variant(c.Name()));
        return;
      case kExtMove: {
        // Move Left, [Top], [Width], [Height], in the container's units (twips).
        auto arg = [&](std::size_t i, double current) {
          return i < args.size() && !args[i].Deref().is_missing() ? args[i].Deref().ToR8()
                                                                  : current;
        };
        if (args.empty()) Raise(kInvalidProcedureCall);
        c.Move(arg(0, c.Left()), arg(1, c.Top()), arg(2, c.Width()), arg(3, c.Height()));
        return;
      }
      case kExtLeft:
        if (put) c.SetLeft(value().ToR8());
        give(com::Variant(static_cast<float>(c.Left())));
        return;
      case kExtTop:
        if (put) c.SetTop(value().ToR8());
        give(com::Variant(static_cast<float>(c.Top())));
        return;
      case kExtWidth:
        if (put) c.SetWidth(value().ToR8());
        give(com::Variant(static_cast<float>(c.Width())));
        return;
      case kExtHeight:
        if (put) c.SetHeight(value().ToR8());
        give(com::Variant(static_cast<float>(c.Height())));
        return;
      case kExtVisible:
        if (put) c.SetVisible(value().ToBool());
        give(com::Variant::Bool(c.Visible()));
        return;
    }
  }

  ActiveXControl* owner_;
};

// Receives the control's events and hands them to the window's handlers.
class Sink : public com::Object<com::IDispatch> {
 public:
  explicit Sink(ActiveXControl* owner) : owner_(owner) {}
  void Forget() { owner_ = nullptr; }

  com::HRESULT GetIDsOfNames(std::span<const std::string_view>, com::DISPID*) override {
    return com::DISP_E_UNKNOWNNAME;
  }
  com::HRESULT Invoke(com::DISPID id, com::DispatchFlags, std::span<com::Variant> args,
                      com::Variant*, com::ExcepInfo*, unsigned*) override {
    if (owner_) owner_->RaiseEvent(id, args);
    return com::S_OK;
  }

 private:
  ActiveXControl* owner_;
};

}  // namespace

ActiveXControl::ActiveXControl(Form& form, ControlSurface& container, std::string name, int index)
    : Control(form, container, std::move(name), index) {}

ActiveXControl::~ActiveXControl() {
  Detach();
}

void ActiveXControl::SetHandler(const std::string& handler_name, EventHandler handler) {
  handlers_[FoldCase(handler_name)] = std::move(handler);
}

void ActiveXControl::LearnEvents(const com::CLSID& clsid) {
  // The names of the control's events come from the type information its module carries.
  const auto module = com::InprocServerOf(clsid);
  if (!module) return;
  const auto bytes = com::ReadModuleResource(*module, "TYPELIB", 1);
  if (!bytes) return;
  const auto lib = com::typelib::Deserialize(*bytes);
  if (!lib) return;
  for (const auto& type : lib->types) {
    if (type.kind != com::typelib::TypeKind::CoClass || type.guid != clsid) continue;
    for (const auto& impl : type.impls) {
      if ((impl.flags & com::typelib::IMPLTYPEFLAG_SOURCE) == 0) continue;
      events_iid_ = impl.iid;
      for (const auto& events : lib->types) {
        if (events.guid != impl.iid) continue;
        for (const auto& f : events.funcs) event_names_[f.id] = f.name;
      }
      return;
    }
  }
}

void ActiveXControl::Create(const com::CLSID& clsid, com::ComPtr<com::IPropertyBag> stored,
                            bool user_mode) {
  user_mode_ = user_mode;
  std::string why;
  com::ComPtr<IControl> control;
  const com::HRESULT hr =
      com::CoCreateInstance(clsid, nullptr, IControl::kIid, control.PutVoid(), &why);
  if (com::Failed(hr) || !control) {
    Raise(kCantCreateObject,
          ErrorDescription(kCantCreateObject) + (why.empty() ? std::string() : ": " + why));
  }
  control_ = control;
  dispatch_ = control.As<com::IDispatch>();
  auto extender = com::Make<Extender>(this);
  extender_ = extender;
  site_ = com::Make<Site>(this, extender.get());
  LearnEvents(clsid);
  control_->SetClientSite(site_.get());
  Place();
  if (!event_names_.empty()) {
    sink_ = com::Make<Sink>(this);
    try {
      cookie_ = com::Advise(control_.get(), events_iid_, sink_.get());
    } catch (const RuntimeError&) {
      cookie_ = 0;  // a control without events
    }
  }
  com::HRESULT life = stored ? control_->Load(stored.get()) : control_->InitNew();
  if (com::Failed(life)) throw com::ErrorFromHResult(life);
}

com::IDispatch* ActiveXControl::Object() const {
  return extender_.get();
}

void ActiveXControl::Place() {
  if (!control_) return;
  // A hidden control keeps its place but shows nothing.
  const QRect box = Container().PixelBox(*this);
  control_->SetObjectRects(box.x(), box.y(), Visible() ? box.width() : 0,
                           Visible() ? box.height() : 0);
}

void ActiveXControl::Move(double left, double top, double width, double height) {
  Control::Move(left, top, width, height);
  Place();
}

void ActiveXControl::SetVisible(bool visible) {
  Control::SetVisible(visible);
  Place();
}

void ActiveXControl::RaiseEvent(com::DISPID id, std::span<com::Variant> args) {
  auto name = event_names_.find(id);
  if (name == event_names_.end()) return;
  auto handler = handlers_.find(FoldCase(Name() + "_" + name->second));
  if (handler == handlers_.end() || !handler->second) return;
  auto h = handler->second;
  RunHandler([&] { h(args); });
}

void ActiveXControl::Detach() {
  if (!control_) return;
  com::ComPtr<IControl> control = std::move(control_);
  if (cookie_ != 0) {
    try {
      com::Unadvise(control.get(), events_iid_, cookie_);
    } catch (const RuntimeError&) {
    }
    cookie_ = 0;
  }
  if (sink_) static_cast<Sink*>(sink_.get())->Forget();
  control->Close();
  control->SetClientSite(nullptr);
  if (site_) static_cast<Site*>(site_.get())->Forget();
  if (extender_) static_cast<Extender*>(extender_.get())->Forget();
  dispatch_.Reset();
  sink_.Reset();
  site_.Reset();
  extender_.Reset();
}

}  // namespace tk
