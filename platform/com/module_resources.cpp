#include "com/module_resources.h"

#include <dlfcn.h>

#include "com/shared_object_check.h"
#include "runtime/app_info.h"
#include "runtime/key_store.h"
#include "runtime/text_file.h"

namespace com {

std::string ResolveModuleFile(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return name;
  // Any function of the runtime library lies in it.
  return tk::ModuleFolder(reinterpret_cast<const void*>(&tk::ModuleFolder)) + "/" + name;
}

LoadedModuleFile LoadModuleFile(const std::string& file, int flags) {
  LoadedModuleFile loaded;
  loaded.found = tk::IsRegularFile(file);
  if (!loaded.found) return loaded;
  // Refused before the loader maps it: a damaged file would fault the whole process.
  if (const auto problem = SharedObjectProblem(file)) {
    loaded.error = file + ": " + *problem;
    return loaded;
  }
  loaded.handle = dlopen(file.c_str(), flags);
  if (!loaded.handle) {
    const char* error = dlerror();
    loaded.error = error ? error : "unknown";
  }
  return loaded;
}

const Resource* FindResource(const ResourceTable& table, std::string_view type, std::uint32_t id) {
  const std::string folded = tk::FoldCase(type);
  for (std::size_t i = 0; i < table.count; ++i) {
    const Resource& r = table.items[i];
    if (r.id == id && r.type && tk::FoldCase(r.type) == folded) return &r;
  }
  return nullptr;
}

std::optional<std::vector<std::uint8_t>> ReadModuleResource(const std::string& module_file,
                                                            std::string_view type, std::uint32_t id,
                                                            std::string* why) {
  auto fail = [why](std::string text) -> std::optional<std::vector<std::uint8_t>> {
    if (why) *why = std::move(text);
    return std::nullopt;
  };
  const std::string file = ResolveModuleFile(module_file);
  const LoadedModuleFile loaded = LoadModuleFile(file, RTLD_LAZY | RTLD_LOCAL);
  if (!loaded.found) return fail("module file '" + file + "' was not found");
  if (!loaded.handle)
    return fail("module file '" + file + "' could not be loaded: " + loaded.error);
  void* handle = loaded.handle;
  std::optional<std::vector<std::uint8_t>> out;
  auto resources = reinterpret_cast<ComModuleResourcesFn>(dlsym(handle, kResourcesExport));
  const ResourceTable* table = resources ? resources() : nullptr;
  if (!table) {
    out = fail("module file '" + file + "' carries no resources");
  } else if (const Resource* r = FindResource(*table, type, id)) {
    out.emplace(r->data, r->data + r->size);
  } else {
    out = fail("module file '" + file + "' has no resource " + std::string(type) + " " +
               std::to_string(id));
  }
  dlclose(handle);
  return out;
}

std::vector<std::uint8_t> GuidResource(const GUID& guid) {
  std::vector<std::uint8_t> out = {16, 0, 0, 0};
  const auto b = ToBytes(guid);
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

std::optional<GUID> ParseGuidResource(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != 20 || bytes[0] != 16 || bytes[1] || bytes[2] || bytes[3]) return std::nullopt;
  return FromBytes(bytes.data() + 4);
}

std::string VersionInfoText(std::span<const std::pair<std::string, std::string>> values) {
  std::string out;
  for (const auto& [name, value] : values) out += name + "=" + value + "\n";
  return out;
}

bool IsSelfRegistering(std::string_view info) {
  size_t start = 0;
  while (start <= info.size()) {
    size_t end = info.find('\n', start);
    if (end == std::string_view::npos) end = info.size();
    const std::string_view line = info.substr(start, end - start);
    const std::string_view name = line.substr(0, line.find('='));
    if (tk::FoldCase(name) == "oleselfregister") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace com
