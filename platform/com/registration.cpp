#include "com/registration.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "runtime/errors.h"
#include "runtime/key_store.h"

namespace com {

namespace {

std::string Under(std::string_view path) {
  return std::string(kClassesRoot) + "\\" + std::string(path);
}

std::string HexLcid(std::uint32_t lcid) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%x", static_cast<unsigned>(lcid));
  return buf;
}

}  // namespace

std::vector<RegistryFact> RegistrationFacts(const ServerRegistration& s) {
  std::vector<RegistryFact> f;
  auto value = [&f](std::string key, std::string name, std::string data) {
    f.push_back({std::move(key), std::move(name), std::move(data)});
  };
  auto key = [&f](std::string k) { f.push_back({std::move(k), std::nullopt, {}}); };

  for (const ClassRegistration& c : s.classes) {
    const std::string k = Under("CLSID\\" + ToString(c.clsid));
    value(k, "", c.name);
    value(k + "\\InprocServer32", "", s.module_file);
    value(k + "\\InprocServer32", "ThreadingModel", c.threading_model);
    if (!c.progid.empty()) value(k + "\\ProgID", "", c.progid);
    if (c.control) {
      key(k + "\\Control");
      if (c.misc_status) {
        value(k + "\\MiscStatus", "", "0");
        value(k + "\\MiscStatus\\1", "", std::to_string(*c.misc_status));
      }
    }
    if (c.toolbox_bitmap)
      value(k + "\\ToolboxBitmap32", "", s.module_file + ", " + std::to_string(*c.toolbox_bitmap));
    if (c.typelib) value(k + "\\TypeLib", "", ToString(*c.typelib));
    if (!c.version.empty()) value(k + "\\Version", "", c.version);
    for (const GUID& cat : c.categories) key(k + "\\Implemented Categories\\" + ToString(cat));
    if (!c.progid.empty()) {
      value(Under(c.progid), "", c.name);
      value(Under(c.progid + "\\CLSID"), "", ToString(c.clsid));
    }
  }
  for (const InterfaceRegistration& i : s.interfaces) {
    const std::string k = Under("Interface\\" + ToString(i.iid));
    value(k, "", i.name);
    value(k + "\\ProxyStubClsid", "", ToString(kAutomationMarshaller));
    value(k + "\\ProxyStubClsid32", "", ToString(kAutomationMarshaller));
    if (i.typelib) {
      value(k + "\\TypeLib", "", ToString(*i.typelib));
      value(k + "\\TypeLib", "Version", i.typelib_version);
    }
  }
  if (s.typelib) {
    const TypeLibRegistration& t = *s.typelib;
    const std::string k = Under("TypeLib\\" + ToString(t.libid) + "\\" + t.version);
    value(k, "", t.help);
    value(k + "\\" + HexLcid(t.lcid) + "\\linux", "", s.module_file);
    value(k + "\\FLAGS", "", std::to_string(t.flags));
    value(k + "\\HELPDIR", "", t.help_dir);
  }
  return f;
}

HRESULT RegisterServer(const ServerRegistration& server, std::string* why) {
  const std::vector<RegistryFact> facts = RegistrationFacts(server);
  try {
    tk::KeyStore::User().Update([&](tk::StoreTree& tree) {
      for (const RegistryFact& fact : facts) {
        if (fact.name)
          tree.SetValue(fact.key, *fact.name, fact.data);
        else
          tree.CreateKey(fact.key);
      }
    });
  } catch (const tk::RuntimeError& e) {
    if (why) *why = "the class registrations could not be written: " + e.description();
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT UnregisterServer(const ServerRegistration& server, std::string* why) {
  const std::vector<RegistryFact> facts = RegistrationFacts(server);
  try {
    tk::KeyStore::User().Update([&](tk::StoreTree& tree) {
      std::set<std::string> paths;  // every key on the facts' paths, folded
      std::vector<std::string> keys;
      for (const RegistryFact& fact : facts) {
        if (fact.name && tree.GetValue(fact.key, *fact.name) == fact.data)
          tree.DeleteValue(fact.key, *fact.name);
        for (size_t end = fact.key.size(); end != std::string::npos && end > 0;
             end = fact.key.rfind('\\', end - 1)) {
          std::string level = fact.key.substr(0, end);
          if (paths.insert(tk::FoldCase(level)).second) keys.push_back(std::move(level));
        }
      }
      // Deepest first, so a parent is looked at after its children have gone.
      std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
      });
      for (const std::string& k : keys)
        if (tree.KeyExists(k) && tree.Values(k).empty() && tree.SubKeys(k).empty())
          tree.DeleteTree(k);
    });
  } catch (const tk::RuntimeError& e) {
    if (why) *why = "the class registrations could not be removed: " + e.description();
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

}  // namespace com
