// What a self-registering module records in the per-user store (tk::KeyStore::User()),
// under the platform's conventions, all below "Software\Classes":
//
//   CLSID\{clsid}                      (default) class name
//     InprocServer32                   (default) module file; ThreadingModel "Apartment"
//     ProgID                           (default) programmatic identifier
//     Control                          (a key without values: the class is a control)
//     MiscStatus                       (default) "0"
//       1                              (default) misc status, decimal
//     ToolboxBitmap32                  (default) module file ", " bitmap id
//     TypeLib                          (default) {libid}
//     Version                          (default) type library version
//     Implemented Categories\{catid}   (keys without values)
//   <ProgID>                           (default) class name
//     CLSID                            (default) {clsid}
//   Interface\{iid}                    (default) interface name
//     ProxyStubClsid, ProxyStubClsid32 (default) the automation marshaller's class
//     TypeLib                          (default) {libid}; Version type library version
//   TypeLib\{libid}\<version>          (default) help string
//     FLAGS                            (default) library flags, decimal
//     HELPDIR                          (default) help folder
//     <lcid>\linux                     (default) module file
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "com/guid.h"
#include "com/hresult.h"

namespace com {

inline constexpr char kClassesRoot[] = "Software\\Classes";
// The class that marshals automation-compatible interfaces; recorded for each interface.
inline constexpr CLSID kAutomationMarshaller{
    0x00020424, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct ClassRegistration {
  CLSID clsid;
  std::string name;    // the class key's default value
  std::string progid;  // empty: none
  std::string threading_model = "Apartment";
  bool control = false;
  std::optional<std::uint32_t> misc_status;     // with control: MiscStatus and MiscStatus\1
  std::optional<std::uint32_t> toolbox_bitmap;  // resource id of the module's bitmap
  std::optional<GUID> typelib;
  std::string version;  // type library version, e.g. "1.0"
  std::vector<GUID> categories;
};

struct InterfaceRegistration {
  IID iid;
  std::string name;
  std::optional<GUID> typelib;
  std::string typelib_version;
};

struct TypeLibRegistration {
  GUID libid;
  std::string version = "1.0";
  std::uint32_t lcid = 0;
  std::string help;
  std::uint16_t flags = 0;
  std::string help_dir;
};

struct ServerRegistration {
  std::string module_file;  // absolute path of the module
  std::vector<ClassRegistration> classes;
  std::vector<InterfaceRegistration> interfaces;
  std::optional<TypeLibRegistration> typelib;
};

// One fact: a value (name "" is the key's default value), or a bare key (no name).
struct RegistryFact {
  std::string key;
  std::optional<std::string> name;
  std::string data;
  bool operator==(const RegistryFact&) const = default;
};

std::vector<RegistryFact> RegistrationFacts(const ServerRegistration& server);

// Writes every fact in one update of the user's store. SELFREG_E_CLASS when the store
// cannot be written (nothing is then changed); `why` says why.
HRESULT RegisterServer(const ServerRegistration& server, std::string* why = nullptr);

// Removes the values registration wrote, where they still hold what it wrote, then every
// key on their paths that is left without values and sub-keys. Anything else stays.
HRESULT UnregisterServer(const ServerRegistration& server, std::string* why = nullptr);

}  // namespace com
