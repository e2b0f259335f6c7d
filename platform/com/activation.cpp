#include "com/activation.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "com/class_factory.h"
#include "com/hresult_errors.h"
#include "com/module_resources.h"
#include "com/registration.h"
#include "runtime/errors.h"
#include "runtime/key_store.h"
#include "runtime/text_file.h"

namespace com {

namespace {

struct LoadedModule {
  void* handle = nullptr;
  DllGetClassObjectFn get_class_object = nullptr;
  DllCanUnloadNowFn can_unload_now = nullptr;
};

std::mutex g_modules_lock;
std::map<std::string, LoadedModule>& Modules() {
  static auto* modules = new std::map<std::string, LoadedModule>();  // outlives every static
  return *modules;
}

HRESULT Fail(std::string* why, HRESULT hr, std::string text) {
  if (why) *why = std::move(text);
  return hr;
}

// The loaded module for the registered `module_file`, loading it on first use.
HRESULT ModuleFor(const std::string& module_file, const CLSID& clsid, LoadedModule& out,
                  std::string* why) {
  const std::string file = ResolveModuleFile(module_file);
  auto not_found = [&] {
    return Fail(why, CO_E_DLLNOTFOUND,
                "module file '" + file + "' of class " + ToString(clsid) + " was not found");
  };
  if (!tk::IsRegularFile(file)) return not_found();
  std::error_code ec;
  std::string key = std::filesystem::weakly_canonical(file, ec).string();
  if (ec) key = file;

  std::lock_guard lock(g_modules_lock);
  auto it = Modules().find(key);
  if (it != Modules().end()) {
    out = it->second;
    return S_OK;
  }
  const LoadedModuleFile loaded = LoadModuleFile(file, RTLD_NOW | RTLD_LOCAL);
  if (!loaded.found) return not_found();
  if (!loaded.handle)
    return Fail(why, CO_E_ERRORINDLL,
                "module file '" + file + "' could not be loaded: " + loaded.error);
  void* handle = loaded.handle;
  LoadedModule m;
  m.handle = handle;
  m.get_class_object = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
  m.can_unload_now = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
  if (!m.get_class_object) {
    dlclose(handle);
    return Fail(why, CO_E_ERRORINDLL,
                "module file '" + file + "' does not export DllGetClassObject");
  }
  Modules().emplace(key, m);
  out = m;
  return S_OK;
}

}  // namespace

HRESULT CLSIDFromProgID(std::string_view progid, CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = GUID_NULL;
  const auto text =
      tk::MergedValue(std::string(kClassesRoot) + "\\" + std::string(progid) + "\\CLSID", "");
  if (!text) return REGDB_E_CLASSNOTREG;
  const auto g = ParseGuid(*text);
  if (!g) return CO_E_CLASSSTRING;
  *clsid = *g;
  return S_OK;
}

std::optional<std::string> InprocServerOf(const CLSID& clsid) {
  return tk::MergedValue(
      std::string(kClassesRoot) + "\\CLSID\\" + ToString(clsid) + "\\InprocServer32", "");
}

HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** out, std::string* why) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const auto file = InprocServerOf(clsid);
  if (!file || file->empty())
    return Fail(why, REGDB_E_CLASSNOTREG, "class " + ToString(clsid) + " is not registered");
  LoadedModule m;
  if (const HRESULT hr = ModuleFor(*file, clsid, m, why); Failed(hr)) return hr;
  const HRESULT hr = m.get_class_object(&clsid, &iid, out);
  if (Failed(hr))
    return Fail(why, hr,
                "module file '" + *file + "' offers no class object for " + ToString(clsid));
  return hr;
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** out,
                         std::string* why) {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<IClassFactory> factory;
  if (const HRESULT hr = CoGetClassObject(clsid, IClassFactory::kIid, factory.PutVoid(), why);
      Failed(hr))
    return hr;
  const HRESULT hr = factory->CreateInstance(outer, iid, out);
  if (Failed(hr)) return Fail(why, hr, "class " + ToString(clsid) + " could not create an object");
  return hr;
}

void CoFreeUnusedLibraries() {
  std::lock_guard lock(g_modules_lock);
  auto& modules = Modules();
  for (auto it = modules.begin(); it != modules.end();) {
    if (it->second.can_unload_now && it->second.can_unload_now() == S_OK) {
      dlclose(it->second.handle);
      it = modules.erase(it);
    } else {
      ++it;
    }
  }
}

std::size_t LoadedModuleCount() {
  std::lock_guard lock(g_modules_lock);
  return Modules().size();
}

ComPtr<IDispatch> CreateObject(std::string_view name) {
  CLSID clsid;
  std::string why;
  if (auto g = ParseGuid(name)) {
    clsid = *g;
  } else if (const HRESULT hr = CLSIDFromProgID(name, &clsid); Failed(hr)) {
    RaiseForHResult(hr, nullptr, "class " + std::string(name) + " is not registered");
  }
  ComPtr<IDispatch> object;
  if (const HRESULT hr = CoCreateInstance(clsid, nullptr, IDispatch::kIid, object.PutVoid(), &why);
      Failed(hr)) {
    if (hr == E_NOINTERFACE) RaiseForHResult(hr, nullptr, why);
    // Every other failure to create is error 429, whatever the factory said.
    throw tk::RuntimeError(tk::kCantCreateObject,
                           tk::ErrorDescription(tk::kCantCreateObject) + ": " + why);
  }
  return object;
}

}  // namespace com
