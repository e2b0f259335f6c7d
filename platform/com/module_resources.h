// Resources that a module (a shared library) carries: typed, numbered blocks of bytes.
// A module publishes them through the exported function ComModuleResources; the layer
// reads them by module file, without running anything else in the module.
//
// Types in use: "TYPELIB" (a serialized type library), "BITMAP" (a toolbox picture),
// "VERSION" (version information: lines "Name=Value"; a line "OLESelfRegister=" marks a
// self-registering module), and named ones such as "_IID_TICKERELL" holding an identifier
// (GuidResource).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "com/guid.h"

namespace com {

struct Resource {
  const char* type;
  std::uint32_t id;
  const std::uint8_t* data;
  std::size_t size;
};

struct ResourceTable {
  const Resource* items;
  std::size_t count;
};

// Signature of the module's export `ComModuleResources`.
using ComModuleResourcesFn = const ResourceTable* (*)();
inline constexpr const char kResourcesExport[] = "ComModuleResources";

// Finds a resource in a table; type names match without regard to case.
const Resource* FindResource(const ResourceTable& table, std::string_view type, std::uint32_t id);

// The one file that a module's name stands for, the file that is checked and the file
// that is loaded: a bare file name is taken from the folder of the runtime libraries,
// where modules are installed; any other name stands as it is.
std::string ResolveModuleFile(const std::string& name);

struct LoadedModuleFile {
  void* handle = nullptr;  // from dlopen; null when not loaded
  bool found = false;      // a regular file is there
  std::string error;       // why a file that is there did not load
};
// Loads a module file (a name as ResolveModuleFile gives it) with dlopen `flags`, once it
// is known to be a regular file (a FIFO or a device is never opened) holding a whole
// shared object for this machine (SharedObjectProblem); `error` says why it is refused.
LoadedModuleFile LoadModuleFile(const std::string& file, int flags);

// Reads one resource from a module file. Nothing when the file cannot be loaded, has no
// resource table, or has no such resource; `why` (if given) then says which.
std::optional<std::vector<std::uint8_t>> ReadModuleResource(const std::string& module_file,
                                                            std::string_view type, std::uint32_t id,
                                                            std::string* why = nullptr);

// An identifier as a resource: a little-endian 32-bit length (16), then the 16-byte form.
std::vector<std::uint8_t> GuidResource(const GUID& guid);
std::optional<GUID> ParseGuidResource(std::span<const std::uint8_t> bytes);

// Version information text with the given values, "Name=Value" per line.
std::string VersionInfoText(std::span<const std::pair<std::string, std::string>> values);
// True when the version information carries the value OLESelfRegister.
bool IsSelfRegistering(std::string_view version_info);

}  // namespace com
