// The module as a registry and a host see it: its exports, resources, registration and
// unregistration, activation by programmatic and class identifier, and the unload test.
#include <gtest/gtest.h>

#include <cstdlib>

#include "com/module_resources.h"
#include "com/registration.h"
#include "tickctl_test_support.h"

namespace tickctl_test {
namespace {

const std::string kClasses = "Software\\Classes\\";
const std::string kClassKey = kClasses + "CLSID\\{63FE7693-F924-11D9-85A6-913B44F66914}";
const std::string kLibidText = "{63FE7691-F924-11D9-85A6-913B44F66914}";

using RegistrationTest = ModuleTest;

TEST_F(RegistrationTest, RecordsEveryFactOfTheControl) {
  const std::string folder = std::filesystem::path(kModule).parent_path().string();
  const struct {
    std::string key, name, data;
  } facts[] = {
      {kClassKey + "\\InprocServer32", "", kModule},
      {kClassKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {kClassKey + "\\ProgID", "", kProgId},
      {kClassKey + "\\MiscStatus\\1", "", "131473"},
      {kClassKey + "\\ToolboxBitmap32", "", kModule + ", 30000"},
      {kClassKey + "\\TypeLib", "", kLibidText},
      {kClassKey + "\\Version", "", "1.0"},
      {kClasses + "prjTickerell.Tickerell\\CLSID", "", "{63FE7693-F924-11D9-85A6-913B44F66914}"},
      {kClasses + "Interface\\{63FE7692-F924-11D9-85A6-913B44F66914}", "", "_Tickerell"},
      {kClasses + "Interface\\{63FE7692-F924-11D9-85A6-913B44F66914}\\TypeLib", "", kLibidText},
      {kClasses + "Interface\\{63FE7692-F924-11D9-85A6-913B44F66914}\\TypeLib", "Version", "1.0"},
      {kClasses + "Interface\\{63FE7697-F924-11D9-85A6-913B44F66914}", "", "__Tickerell"},
      {kClasses + "Interface\\{63FE7697-F924-11D9-85A6-913B44F66914}\\TypeLib", "", kLibidText},
      {kClasses + "TypeLib\\" + kLibidText + "\\1.0\\0\\linux", "", kModule},
      {kClasses + "TypeLib\\" + kLibidText + "\\1.0\\FLAGS", "", "2"},
      {kClasses + "TypeLib\\" + kLibidText + "\\1.0\\HELPDIR", "", folder},
  };
  const tk::StoreTree t = store.Read();
  for (const auto& f : facts)
    EXPECT_EQ(t.GetValue(f.key, f.name), f.data) << f.key << " [" << f.name << "]";
  EXPECT_TRUE(t.KeyExists(kClassKey + "\\Control"));
  EXPECT_FALSE(t.GetValue(kClasses + "TypeLib\\" + kLibidText + "\\1.0", "").value_or("").empty());
  EXPECT_TRUE(std::filesystem::path(kModule).is_absolute());
}

TEST_F(RegistrationTest, UnregisteringLeavesTheStoreAsItWasBefore) {
  ASSERT_EQ(RunModuleExport("DllUnregisterServer"), com::S_OK);
  store.Update([](tk::StoreTree& t) {
    t.SetValue("Software\\Classes\\.txt", "", "txtfile");
    t.SetValue("Software\\Classes\\CLSID\\{00000000-0000-0000-0000-000000000001}", "", "Other");
  });
  const tk::StoreTree before = store.Read();
  // comreg, the command a developer uses, goes through the same exports.
  ASSERT_EQ(std::system((std::string(COMREG) + " register " + kModule + " >/dev/null").c_str()), 0);
  EXPECT_TRUE(store.Read().KeyExists(kClassKey));
  ASSERT_EQ(std::system((std::string(COMREG) + " unregister " + kModule + " >/dev/null").c_str()),
            0);
  EXPECT_TRUE(store.Read() == before) << store.Read().Serialize();
}

TEST_F(RegistrationTest, ExportsExactlyTheEntryPointsAndItsResources) {
  void* handle = dlopen(kModule.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_TRUE(handle) << dlerror();
  for (const char* name : {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                           "DllUnregisterServer", "ComModuleResources"})
    EXPECT_TRUE(dlsym(handle, name)) << name;
  // The object layer inside stays hidden: the host's own copy is never bound to it.
  for (const char* name : {"_ZN3com15RegisterServerERKNS_18ServerRegistrationEPNSt7__cxx1112basic_"
                           "stringIcSt11char_traitsIcESaIcEEE",
                           "_ZN3com6module12CanUnloadNowEv"})
    EXPECT_FALSE(dlsym(handle, name)) << name;
  dlclose(handle);

  auto resource = [](const char* type, std::uint32_t id) {
    return com::ReadModuleResource(kModule, type, id);
  };
  const auto iid = resource("_IID_TICKERELL", 1);
  ASSERT_TRUE(iid);
  EXPECT_EQ(iid->size(), 20u);
  EXPECT_EQ(com::ParseGuidResource(*iid), kIid);
  const auto source = resource("_SRCIID_TICKERELL", 1);
  ASSERT_TRUE(source);
  EXPECT_EQ(com::ParseGuidResource(*source), kEventsIid);

  const auto bmp = resource("BITMAP", 30000);
  ASSERT_TRUE(bmp);
  ASSERT_GE(bmp->size(), 54u + 64u);
  auto le32 = [&](std::size_t at) {
    return (*bmp)[at] | (*bmp)[at + 1] << 8 | (*bmp)[at + 2] << 16 | (*bmp)[at + 3] << 24;
  };
  EXPECT_EQ((*bmp)[0], 'B');
  EXPECT_EQ((*bmp)[1], 'M');
  EXPECT_EQ(le32(18), 16);                       // width
  EXPECT_EQ(le32(22), 15);                       // height
  EXPECT_EQ((*bmp)[28], 4);                      // bits per pixel
  EXPECT_EQ(bmp->size(), 54u + 64u + 15u * 8u);  // 16 colours, rows of 8 bytes

  const auto version = resource("VERSION", 1);
  ASSERT_TRUE(version);
  EXPECT_TRUE(com::IsSelfRegistering(std::string(version->begin(), version->end())));
  EXPECT_TRUE(resource("TYPELIB", 1));
}

using ActivationTest = ModuleTest;

TEST_F(ActivationTest, CreatesTheControlByProgIdAndByClassIdentifier) {
  com::CLSID clsid{};
  ASSERT_EQ(com::CLSIDFromProgID(kProgId, &clsid), com::S_OK);
  EXPECT_EQ(clsid, kClsid);

  com::ComPtr<com::IDispatch> by_progid = com::CreateObject(kProgId);
  ASSERT_TRUE(by_progid);
  com::ComPtr<com::IDispatch> by_clsid_text =
      com::CreateObject("{63FE7693-F924-11D9-85A6-913B44F66914}");
  ASSERT_TRUE(by_clsid_text);
  com::ComPtr<com::IUnknown> by_clsid;
  ASSERT_EQ(com::CoCreateInstance(kClsid, nullptr, com::IUnknown::kIid, by_clsid.PutVoid()),
            com::S_OK);
  EXPECT_EQ(com::LoadedModuleCount(), 1u);

  // Each is a control of its own, answering its interfaces.
  EXPECT_FALSE(com::SameObject(by_progid.get(), by_clsid.get()));
  for (const com::IID& iid :
       {kIid, tk::IControl::kIid, com::IConnectionPointContainer::kIid, com::IDispatch::kIid}) {
    com::ComPtr<com::IUnknown> i;
    EXPECT_EQ(by_clsid->QueryInterface(iid, i.PutVoid()), com::S_OK) << com::ToString(iid);
    EXPECT_TRUE(com::SameObject(i.get(), by_clsid.get()));
  }
  com::ComPtr<com::IUnknown> none;
  EXPECT_EQ(by_clsid->QueryInterface(kEventsIid, none.PutVoid()), com::E_NOINTERFACE);
  // A new control ticks from creation on, every 10 ms.
  EXPECT_EQ(com::PropertyGet(by_progid.get(), kTimerInterval).i4(), 10);
  EXPECT_EQ(com::PropertyGet(by_progid.get(), "timerinterval").i4(), 10);
}

TEST_F(ActivationTest, UnknownClassAndAggregationAreRefused) {
  com::ComPtr<com::IClassFactory> factory;
  ASSERT_EQ(com::CoGetClassObject(kClsid, com::IClassFactory::kIid, factory.PutVoid()), com::S_OK);
  com::ComPtr<com::IUnknown> out;
  EXPECT_EQ(factory->CreateInstance(factory.get(), com::IUnknown::kIid, out.PutVoid()),
            com::CLASS_E_NOAGGREGATION);
  void* handle = dlopen(kModule.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_TRUE(handle);
  auto get = reinterpret_cast<com::DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
  void* raw = nullptr;
  EXPECT_EQ(get(&kIid, &com::IClassFactory::kIid, &raw), com::CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(raw, nullptr);
  dlclose(handle);
}

TEST_F(ActivationTest, CanUnloadOnlyWhenNoObjectOrLockLives) {
  com::ComPtr<com::IClassFactory> factory;
  ASSERT_EQ(com::CoGetClassObject(kClsid, com::IClassFactory::kIid, factory.PutVoid()), com::S_OK);
  void* handle = dlopen(kModule.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_TRUE(handle);
  auto can_unload = reinterpret_cast<com::DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));

  EXPECT_EQ(can_unload(), com::S_FALSE);  // the factory is an object of the module
  com::ComPtr<com::IDispatch> control;
  ASSERT_EQ(factory->CreateInstance(nullptr, com::IDispatch::kIid, control.PutVoid()), com::S_OK);
  factory->LockServer(true);
  factory.Reset();
  EXPECT_EQ(can_unload(), com::S_FALSE);  // the control and the lock
  control.Reset();
  EXPECT_EQ(can_unload(), com::S_FALSE);  // the lock alone
  ASSERT_EQ(com::CoGetClassObject(kClsid, com::IClassFactory::kIid, factory.PutVoid()), com::S_OK);
  factory->LockServer(false);
  factory.Reset();
  EXPECT_EQ(can_unload(), com::S_OK);
  dlclose(handle);

  com::CoFreeUnusedLibraries();
  EXPECT_EQ(com::LoadedModuleCount(), 0u);
  // And it loads again for the next control.
  EXPECT_TRUE(com::CreateObject(kProgId));
}

TEST_F(ActivationTest, NothingIsFoundOnceUnregistered) {
  ASSERT_EQ(RunModuleExport("DllUnregisterServer"), com::S_OK);
  EXPECT_EQ(ErrorOf([] { com::CreateObject(kProgId); }), 429);
  com::ComPtr<com::IUnknown> out;
  EXPECT_EQ(com::CoCreateInstance(kClsid, nullptr, com::IUnknown::kIid, out.PutVoid()),
            com::REGDB_E_CLASSNOTREG);
}

}  // namespace
}  // namespace tickctl_test
