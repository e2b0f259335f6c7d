// comreg register <module>      runs the module's DllRegisterServer
// comreg unregister <module>    runs the module's DllUnregisterServer
// comreg show <progid|{clsid}>  prints what the store holds for the class: the user's
//                               registration, else the machine-wide one
// comreg typeinfo <module>      prints the module's type information (resource TYPELIB 1)
//
// A module's own code (loading it, its registration, its resources) runs in a child
// process with a deadline (COMREG_DEADLINE_SECONDS, 10 by default): a module that crashes,
// never returns or ends the process is reported in one line and comreg exits non-zero.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <span>
#include <string>

#include "com/activation.h"
#include "com/class_factory.h"
#include "com/module_resources.h"
#include "com/registration.h"
#include "com/tools/child_call.h"
#include "com/type_library.h"
#include "runtime/key_store.h"
#include "runtime/text_file.h"

namespace {

int Usage() {
  std::cerr << "usage: comreg register|unregister|typeinfo <module.so>\n"
               "       comreg show <progid-or-{clsid}>\n";
  return 2;
}

// How long a module's own code may take before it is given up on.
double Deadline() {
  constexpr double kDefaultSeconds = 10;
  const char* text = std::getenv("COMREG_DEADLINE_SECONDS");
  if (!text || !*text) return kDefaultSeconds;
  char* end = nullptr;
  const double seconds = std::strtod(text, &end);
  return *end == '\0' && seconds > 0 && seconds <= 3600 ? seconds : kDefaultSeconds;
}

// What the module's code gave back, from the child that ran it: a first byte saying
// whether it succeeded, then the text or bytes.
std::string Succeeded(const std::string& data) {
  return "+" + data;
}
std::string FailedWith(const std::string& text) {
  return "-" + text;
}

// Runs `code` (which loads the module and calls into it) where its crash, hang or exit
// cannot take comreg with it. `what` names the code for the one line that reports how it
// ended; `missing` is what did not happen when it ended without returning. The module's
// result when it returned one.
std::optional<std::string> RunModuleCode(const std::function<std::string()>& code,
                                         const std::string& what, const std::string& missing) {
  const double deadline = Deadline();
  const comreg::ChildOutcome outcome = comreg::RunInChild(code, deadline);
  using Ending = comreg::ChildOutcome::Ending;
  switch (outcome.ending) {
    case Ending::kReturned:
      if (!outcome.result.empty() && outcome.result[0] == '+') return outcome.result.substr(1);
      std::cerr << "comreg: " << outcome.result.substr(outcome.result.empty() ? 0 : 1) << "\n";
      return std::nullopt;
    case Ending::kCrashed:
      std::cerr << "comreg: " << what << " crashed with signal " << outcome.signal << " ("
                << strsignal(outcome.signal) << ")\n";
      return std::nullopt;
    case Ending::kTimedOut: {
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%g", deadline);
      std::cerr << "comreg: " << what << " did not return within " << seconds << " s\n";
      return std::nullopt;
    }
    case Ending::kNotRun:
      std::cerr << "comreg: " << what << " could not be run: " << std::strerror(outcome.error)
                << "\n";
      return std::nullopt;
    case Ending::kEnded:
      std::cerr << "comreg: " << what << " ended without " << missing << " (exit status "
                << outcome.exit_status << ")\n";
      return std::nullopt;
  }
  return std::nullopt;
}

int RunExport(const std::string& file, const char* export_name, const std::string& missing) {
  const std::string path = std::filesystem::absolute(file).string();
  if (!tk::IsRegularFile(path)) {
    std::cerr << "comreg: '" << path << "' is not a module file: no regular file is there\n";
    return 1;
  }
  const auto result = RunModuleCode(
      [&]() -> std::string {
        const com::LoadedModuleFile loaded = com::LoadModuleFile(path, RTLD_NOW | RTLD_LOCAL);
        if (!loaded.handle)
          return FailedWith(loaded.found
                                ? "cannot load '" + path + "': " + loaded.error
                                : "'" + path + "' is not a module file: no regular file is there");
        auto fn = reinterpret_cast<com::DllRegisterServerFn>(dlsym(loaded.handle, export_name));
        if (!fn) return FailedWith("'" + path + "' does not export " + export_name);
        if (const com::HRESULT hr = fn(); com::Failed(hr)) {
          char text[64];
          std::snprintf(text, sizeof text, " failed with 0x%08X", static_cast<unsigned>(hr));
          return FailedWith(export_name + std::string(text));
        }
        return Succeeded({});
      },
      std::string(export_name) + " of '" + path + "'", missing);
  if (!result) return 1;
  std::cout << export_name << " in '" << path << "' succeeded.\n";
  return 0;
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
  const std::string path = std::filesystem::absolute(file).string();
  // Reading the resources runs the module's own code: its initialisation and its table.
  const auto bytes = RunModuleCode(
      [&]() -> std::string {
        std::string why;
        const auto bytes = com::ReadModuleResource(path, "TYPELIB", 1, &why);
        return bytes ? Succeeded(std::string(bytes->begin(), bytes->end())) : FailedWith(why);
      },
      "the resources of '" + path + "'", "giving its type information");
  if (!bytes) return 1;
  const auto lib = com::typelib::Deserialize(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
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
  if (command == "register") return RunExport(argv[2], "DllRegisterServer", "registering");
  if (command == "unregister") return RunExport(argv[2], "DllUnregisterServer", "unregistering");
  if (command == "show") return Show(argv[2]);
  if (command == "typeinfo") return TypeInfo(argv[2]);
  return Usage();
}
