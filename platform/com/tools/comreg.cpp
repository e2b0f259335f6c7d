// comreg register <module>      runs the module's DllRegisterServer
// comreg unregister <module>    runs the module's DllUnregisterServer
// comreg show <progid|{clsid}>  prints what the store holds for the class: the user's
//                               registration, else the machine-wide one
// comreg typeinfo <module>      prints the module's type information (resource TYPELIB 1)
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "activation.h"
#include "class_factory.h"
#include "key_store.h"
#include "module_resources.h"
#include "registration.h"
#include "type_library.h"

namespace {

int Usage() {
  std::cerr << "usage: comreg register|unregister|typeinfo <module.so>\n"
               "       comreg show <progid-or-{clsid}>\n";
  return 2;
}

int RunExport(const std::string& file, const char* export_name) {
  const std::string path = std::filesystem::absolute(file).string();
  const com::LoadedModuleFile loaded = com::LoadModuleFile(path, RTLD_NOW | RTLD_LOCAL);
  if (!loaded.found) {
    std::cerr << "comreg: '" << path << "' is not a module file: no regular file is there\n";
    return 1;
  }
  if (!loaded.handle) {
    std::cerr << "comreg: cannot load '" << path << "': " << loaded.error << "\n";
    return 1;
  }
  void* handle = loaded.handle;
  auto fn = reinterpret_cast<com::DllRegisterServerFn>(dlsym(handle, export_name));
  int rc = 0;
  if (!fn) {
    std::cerr << "comreg: '" << path << "' does not export " << export_name << "\n";
    rc = 1;
  } else if (const com::HRESULT hr = fn(); com::Failed(hr)) {
    std::fprintf(stderr, "comreg: %s failed with 0x%08X\n", export_name, static_cast<unsigned>(hr));
    rc = 1;
  } else {
    std::cout << export_name << " in '" << path << "' succeeded.\n";
  }
  dlclose(handle);
  return rc;
}

void PrintKey(const tk::StoreTree& tree, const std::string& key, int depth) {
  if (!tree.KeyExists(key)) return;
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  std::cout << indent << key.substr(key.rfind('\\') + 1) << "\n";
  for (const auto& v : tree.Values(key))
    std::cout << indent << "  " << (v.name.empty() ? "(default)" : v.name) << " = \"" << v.data
              << "\"\n";
  for (const std::string& sub : tree.SubKeys(key)) PrintKey(tree, key + "\\" + sub, depth + 1);
}

int Show(const std::string& name) {
  com::CLSID clsid;
  if (auto g = com::ParseGuid(name)) {
    clsid = *g;
  } else if (com::Failed(com::CLSIDFromProgID(name, &clsid))) {
    std::cerr << "comreg: class " << name << " is not registered\n";
    return 1;
  }
  const std::string root = com::kClassesRoot;
  const std::string class_key = root + "\\CLSID\\" + com::ToString(clsid);
  // The user's own registration, else the machine-wide one, as activation finds them.
  tk::StoreTree tree = tk::KeyStore::User().Read();
  std::error_code ec;
  if (const auto machine = tk::KeyStore::MachineStorePath();
      !tree.KeyExists(class_key) && std::filesystem::is_regular_file(machine, ec))
    tree = tk::KeyStore(machine).Read();
  if (!tree.KeyExists(class_key)) {
    std::cerr << "comreg: class " << com::ToString(clsid) << " is not registered\n";
    return 1;
  }
  std::cout << root << "\\CLSID\\\n";
  PrintKey(tree, class_key, 1);
  if (auto progid = tree.GetValue(class_key + "\\ProgID", "")) {
    std::cout << root << "\\\n";
    PrintKey(tree, root + "\\" + *progid, 1);
  }
  if (auto libid = tree.GetValue(class_key + "\\TypeLib", "")) {
    std::cout << root << "\\TypeLib\\\n";
    PrintKey(tree, root + "\\TypeLib\\" + *libid, 1);
  }
  return 0;
}

int TypeInfo(const std::string& file) {
  std::string why;
  const auto bytes =
      com::ReadModuleResource(std::filesystem::absolute(file).string(), "TYPELIB", 1, &why);
  if (!bytes) {
    std::cerr << "comreg: " << why << "\n";
    return 1;
  }
  const auto lib = com::typelib::Deserialize(*bytes);
  if (!lib) {
    std::cerr << "comreg: the type information of '" << file << "' is damaged\n";
    return 1;
  }
  std::cout << com::typelib::Print(*lib);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string command = argv[1];
  if (command == "register") return RunExport(argv[2], "DllRegisterServer");
  if (command == "unregister") return RunExport(argv[2], "DllUnregisterServer");
  if (command == "show") return Show(argv[2]);
  if (command == "typeinfo") return TypeInfo(argv[2]);
  return Usage();
}
