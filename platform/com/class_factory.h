// Class factories and the entry points an in-process server module exports.
//
// A module exports, with C linkage:
//   HRESULT DllGetClassObject(const CLSID* clsid, const IID* iid, void** out);
//   HRESULT DllCanUnloadNow();        // com::module::CanUnloadNow() does the counting
//   HRESULT DllRegisterServer();      // com::RegisterServer(...)
//   HRESULT DllUnregisterServer();    // com::UnregisterServer(...)
//   const com::ResourceTable* ComModuleResources();
#pragma once

#include <new>

#include "com/module_lifetime.h"
#include "com/object.h"

namespace com {

struct IClassFactory : IUnknown {
  using Base = IUnknown;
  static constexpr IID kIid{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

  // `outer` must be null: no class of ours can be aggregated (CLASS_E_NOAGGREGATION).
  virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** out) = 0;
  // Keeps the module loaded while locked, whether or not any object is alive.
  virtual HRESULT LockServer(bool lock) = 0;
};

using DllGetClassObjectFn = HRESULT (*)(const CLSID*, const IID*, void**);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();

// The factory of class T, which must be default-constructible and derive from Object<...>.
template <class T>
class ClassFactory : public Object<IClassFactory> {
 public:
  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    T* object = new (std::nothrow) T();
    if (!object) return E_OUTOFMEMORY;
    object->AddRef();
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();  // the object goes away here when it lacks the interface
    return hr;
  }
  HRESULT LockServer(bool lock) override {
    lock ? module::Lock() : module::Unlock();
    return S_OK;
  }
};

// For DllGetClassObject: a new factory of T when `clsid` is T's, else CLASS_E_CLASSNOTAVAILABLE.
template <class T>
HRESULT GetClassObjectFor(const CLSID& wanted, const CLSID& clsid, const IID& iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!(wanted == clsid)) return CLASS_E_CLASSNOTAVAILABLE;
  ComPtr<ClassFactory<T>> factory(new (std::nothrow) ClassFactory<T>());
  if (!factory) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, out);
}

}  // namespace com
