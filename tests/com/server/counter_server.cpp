// The test server module: publishes Counter as class "ComTest.Counter" with the four
// entry points, a resource table and its type information.
#include <cstdint>
#include <vector>

#include "com/class_factory.h"
#include "com/module_resources.h"
#include "com/registration.h"
#include "com/type_library.h"
#include "counter_object.h"
#include "runtime/app_info.h"

using namespace com;

namespace {

typelib::Library CounterLibrary() {
  using namespace com::typelib;
  Library lib;
  lib.name = "ComTest";
  lib.libid = comtest::kCounterLibid;
  lib.lcid = 0x409;
  lib.flags = LIBFLAG_CONTROL;
  lib.help = "Counter for the object layer's tests";
  TypeInfo iface{TypeKind::Dispatch, "_Counter", comtest::kCounterIid};
  iface.flags = TYPEFLAG_DUAL | TYPEFLAG_DISPATCHABLE;
  iface.base = "IDispatch";
  iface.funcs.push_back({comtest::kValue, InvokeKind::PropertyGet, "Value", {VT_I4}, {}, 0});
  iface.funcs.push_back({comtest::kValue,
                         InvokeKind::PropertyPut,
                         "Value",
                         {VT_VOID},
                         {{"vNewValue", {VT_I4}, PARAMFLAG_IN}},
                         0});
  TypeInfo cls{TypeKind::CoClass, "Counter", comtest::kCounterClsid};
  cls.flags = TYPEFLAG_CONTROL;
  cls.impls = {
      {"_Counter", comtest::kCounterIid, IMPLTYPEFLAG_DEFAULT},
      {"__Counter", comtest::kCounterEventsIid, IMPLTYPEFLAG_DEFAULT | IMPLTYPEFLAG_SOURCE}};
  lib.types = {iface, cls};
  return lib;
}

ServerRegistration Registration() {
  ServerRegistration s;
  s.module_file = tk::ModuleFile(reinterpret_cast<const void*>(&Registration));
  ClassRegistration c;
  c.clsid = comtest::kCounterClsid;
  c.name = "Counter";
  c.progid = "ComTest.Counter";
  c.control = true;
  c.misc_status = 131473;
  c.toolbox_bitmap = 30000;
  c.typelib = comtest::kCounterLibid;
  c.version = "1.0";
  s.classes.push_back(c);
  s.interfaces = {{comtest::kCounterIid, "_Counter", comtest::kCounterLibid, "1.0"},
                  {comtest::kCounterEventsIid, "__Counter", comtest::kCounterLibid, "1.0"}};
  s.typelib = TypeLibRegistration{comtest::kCounterLibid, "1.0", 0, "ComTest", 2, "/tmp"};
  return s;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) HRESULT DllGetClassObject(const CLSID* clsid, const IID* iid,
                                                                 void** out) {
  if (!clsid || !iid) return E_POINTER;
  return GetClassObjectFor<comtest::Counter>(comtest::kCounterClsid, *clsid, *iid, out);
}

__attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {
  return module::CanUnloadNow();
}

__attribute__((visibility("default"))) HRESULT DllRegisterServer() {
  return RegisterServer(Registration());
}

__attribute__((visibility("default"))) HRESULT DllUnregisterServer() {
  return UnregisterServer(Registration());
}

__attribute__((visibility("default"))) const ResourceTable* ComModuleResources() {
  static const std::vector<std::uint8_t> typelib = typelib::Serialize(CounterLibrary());
  static const std::vector<std::uint8_t> iid = GuidResource(comtest::kCounterIid);
  static const std::string version = "OLESelfRegister=\n";
  static const Resource items[] = {
      {"TYPELIB", 1, typelib.data(), typelib.size()},
      {"_IID_COUNTER", 1, iid.data(), iid.size()},
      {"VERSION", 1, reinterpret_cast<const std::uint8_t*>(version.data()), version.size()},
  };
  static const ResourceTable table{items, std::size(items)};
  return &table;
}

}  // extern "C"
