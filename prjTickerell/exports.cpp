// The entry points of the control library tickctl.so. Everything else in the module is
// hidden: it is compiled with hidden visibility and linked with --exclude-libs, so the
// copies of the object layer and the toolkit's controls inside it never meet the host's.
//
// The exports are found by name: this platform's shared libraries have no export
// ordinals, so the ordinals 1 to 4 that the functions carry elsewhere have no counterpart.
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "com/class_factory.h"
#include "com/module_resources.h"
#include "com/registration.h"
#include "runtime/app_info.h"
#include "tickerell.h"
#include "tickerell_ids.h"
#include "tickerell_registration.h"
#include "tickerell_typelib.h"
#include "toolbox_bitmap.h"

#define TICKCTL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// An address inside this module, to find the module's own file.
const int kModuleAnchor = 0;

com::ServerRegistration Registration() {
  return tickerell::TickerellRegistration(tk::ModuleFile(&kModuleAnchor));
}

}  // namespace

TICKCTL_EXPORT com::HRESULT DllCanUnloadNow() {
  return com::module::CanUnloadNow();
}

TICKCTL_EXPORT com::HRESULT DllGetClassObject(const com::CLSID* clsid, const com::IID* iid,
                                              void** out) {
  if (!clsid || !iid) return com::E_POINTER;
  return com::GetClassObjectFor<tickerell::Tickerell>(tickerell::kClsidTickerell, *clsid, *iid,
                                                      out);
}

TICKCTL_EXPORT com::HRESULT DllRegisterServer() {
  try {
    return com::RegisterServer(Registration());
  } catch (...) {
    return com::SELFREG_E_CLASS;
  }
}

TICKCTL_EXPORT com::HRESULT DllUnregisterServer() {
  try {
    return com::UnregisterServer(Registration());
  } catch (...) {
    return com::SELFREG_E_CLASS;
  }
}

TICKCTL_EXPORT const com::ResourceTable* ComModuleResources() {
  using Bytes = std::vector<std::uint8_t>;
  static const Bytes typelib = com::typelib::Serialize(tickerell::TickerellLibrary());
  static const Bytes iid = com::GuidResource(tickerell::kIidTickerell);
  static const Bytes source_iid = com::GuidResource(tickerell::kIidTickerellEvents);
  static const Bytes& bitmap = tickerell::ToolboxBitmapPicture().bmp_file;
  static const std::pair<std::string, std::string> version_values[] = {
      {"CompanyName", "prjTickerell"},    {"FileDescription", "Scrolling caption control"},
      {"FileVersion", "1.0.0"},           {"InternalName", "tickctl"},
      {"OriginalFilename", "tickctl.so"}, {"ProductName", "prjTickerell"},
      {"ProductVersion", "1.0.0"},        {"OLESelfRegister", ""},
  };
  static const std::string version = com::VersionInfoText(version_values);
  static const com::Resource items[] = {
      {"TYPELIB", 1, typelib.data(), typelib.size()},
      {"_IID_TICKERELL", 1, iid.data(), iid.size()},
      {"_SRCIID_TICKERELL", 1, source_iid.data(), source_iid.size()},
      {"BITMAP", static_cast<std::uint32_t>(tickerell::kToolboxBitmapId), bitmap.data(),
       bitmap.size()},
      {"VERSION", 1, reinterpret_cast<const std::uint8_t*>(version.data()), version.size()},
  };
  static const com::ResourceTable table{items, std::size(items)};
  return &table;
}
