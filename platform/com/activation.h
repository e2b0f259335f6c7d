// Creating objects of registered classes: the class is looked up in the per-user store,
// its module loaded once (and kept in a table of loaded modules), and the module's class
// factory asked for an instance. Every failure comes back as a result code with `why`
// naming the class or the file; none of them harms the caller.
//   REGDB_E_CLASSNOTREG    no such class (or programmatic identifier) registered
//   CO_E_DLLNOTFOUND       the registered module file does not exist
//   CO_E_ERRORINDLL        the file cannot be loaded, or lacks DllGetClassObject
//   CLASS_E_CLASSNOTAVAILABLE, E_NOINTERFACE, ...  from the module's factory
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "com/dispatch.h"
#include "com/unknown.h"

namespace com {

HRESULT CLSIDFromProgID(std::string_view progid, CLSID* clsid);
// The registered module file of a class, if any.
std::optional<std::string> InprocServerOf(const CLSID& clsid);

HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** out,
                         std::string* why = nullptr);
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** out,
                         std::string* why = nullptr);

// Unloads every loaded module whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
std::size_t LoadedModuleCount();

// The language's CreateObject: a class by programmatic identifier or "{clsid}" text, as
// its IDispatch. Raises run-time error 429 "ActiveX component can't create object" with
// the reason (naming the class or file) appended to the description.
ComPtr<IDispatch> CreateObject(std::string_view progid_or_clsid);

}  // namespace com
