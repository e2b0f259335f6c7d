#include "com/activation.h"

#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>
#include <link.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "com/class_factory.h"
#include "com/late_bound.h"
#include "com/module_resources.h"
#include "com/registration.h"
#include "com/type_library.h"
#include "counter_object.h"
#include "fifo_watchdog.h"
#include "runtime/key_store.h"

namespace {

using com::Variant;

const std::string kServer = std::filesystem::weakly_canonical(COM_TEST_SERVER).string();
const std::string kClassKey = "Software\\Classes\\CLSID\\" + com::ToString(comtest::kCounterClsid);

// Runs one of the server module's own registration exports, as comreg does.
com::HRESULT RunServerExport(const std::string& file, const char* name) {
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return com::CO_E_ERRORINDLL;
  auto fn = reinterpret_cast<com::DllRegisterServerFn>(dlsym(handle, name));
  const com::HRESULT hr = fn ? fn() : com::CO_E_ERRORINDLL;
  dlclose(handle);
  return hr;
}

// Runs a shell command line: its wait status and what it printed.
std::pair<int, std::string> RunCommand(const std::string& command) {
  std::string out;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  char buf[512];
  while (p && fgets(buf, sizeof buf, p)) out += buf;
  const int status = p ? pclose(p) : -1;
  return {status, out};
}

// Runs comreg with `args`.
std::pair<int, std::string> RunComreg(const std::string& args) {
  return RunCommand(std::string(COMREG) + " " + args);
}

// A copy of the real control module at `file`, damaged by `damage` as an interrupted copy,
// a full disk or a build for another machine leaves it.
void WriteDamagedModule(const std::string& file, const std::function<void(std::string&)>& damage) {
  std::ifstream in(TICKCTL_PATH, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  damage(bytes);
  std::ofstream(file, std::ios::binary) << bytes;
}

ElfW(Ehdr) HeaderOf(const std::string& bytes) {
  ElfW(Ehdr) h;
  std::memcpy(&h, bytes.data(), sizeof h);
  return h;
}

// The middle of the module's largest segment in the file.
std::size_t MiddleOfLargestSegment(const std::string& bytes) {
  const ElfW(Ehdr) h = HeaderOf(bytes);
  std::size_t middle = 0, largest = 0;
  for (int i = 0; i < h.e_phnum; ++i) {
    ElfW(Phdr) p;
    std::memcpy(&p, bytes.data() + h.e_phoff + i * sizeof p, sizeof p);
    if (p.p_type == PT_LOAD && p.p_filesz > largest) {
      largest = p.p_filesz;
      middle = p.p_offset + p.p_filesz / 2;
    }
  }
  return middle;
}

struct Damage {
  const char* name;
  std::function<void(std::string&)> apply;
  const char* says;
};

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> damages = {
      {"empty", [](std::string& b) { b.clear(); }, "has no ELF header"},
      {"within the header", [](std::string& b) { b.resize(40); }, "before the end of its header"},
      {"at 4096 bytes", [](std::string& b) { b.resize(4096); }, "before the end of segment"},
      {"within the program headers",
       [](std::string& b) { b.resize(HeaderOf(b).e_phoff + sizeof(ElfW(Phdr)) + 10); },
       "before the end of its program headers"},
      {"within a segment", [](std::string& b) { b.resize(MiddleOfLargestSegment(b)); },
       "before the end of segment"},
      {"by its last byte", [](std::string& b) { b.pop_back(); },
       "before the end of its section headers"},
      {"of the other class", [](std::string& b) { b[EI_CLASS] = ELFCLASS32; }, "another machine"},
      {"of another machine",
       [](std::string& b) {
         const std::uint16_t other = EM_AARCH64 + EM_X86_64 - HeaderOf(b).e_machine;
         std::memcpy(b.data() + offsetof(ElfW(Ehdr), e_machine), &other, sizeof other);
       },
       "another machine"},
  };
  return damages;
}

tk::RuntimeError CreateObjectError(std::string_view name) {
  try {
    com::CreateObject(name);
  } catch (const tk::RuntimeError& e) {
    return e;
  }
  return tk::RuntimeError(0, "no error");
}

// Every test starts from a store that holds something of the user's own.
class ActivationTest : public testing::Test {
 protected:
  void SetUp() override {
    store.Update([](tk::StoreTree& t) {
      t.DeleteTree("Software");
      t.SetValue("Software\\Classes\\.txt", "", "txtfile");
      t.SetValue("Software\\Program Settings\\Korvane2\\Players", "Player1", "Ann");
    });
    before = store.Read();
  }
  void TearDown() override {
    com::CoFreeUnusedLibraries();
    EXPECT_EQ(com::LoadedModuleCount(), 0u);
  }
  void Register() { ASSERT_EQ(RunServerExport(kServer, "DllRegisterServer"), com::S_OK); }
  void RegisterClassAt(const std::string& file) {
    store.SetValue(kClassKey + "\\InprocServer32", "", file);
  }

  tk::KeyStore store = tk::KeyStore::User();
  tk::StoreTree before;
};

TEST_F(ActivationTest, RegistrationRecordsEveryFact) {
  Register();
  const tk::StoreTree t = store.Read();
  const std::string clsid = com::ToString(comtest::kCounterClsid);
  const std::string libid = com::ToString(comtest::kCounterLibid);
  const std::string iid = com::ToString(comtest::kCounterIid);
  const std::string classes = "Software\\Classes\\";
  const struct {
    std::string key, name, data;
  } facts[] = {
      {kClassKey, "", "Counter"},
      {kClassKey + "\\InprocServer32", "", kServer},
      {kClassKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {kClassKey + "\\ProgID", "", "ComTest.Counter"},
      {kClassKey + "\\MiscStatus", "", "0"},
      {kClassKey + "\\MiscStatus\\1", "", "131473"},
      {kClassKey + "\\ToolboxBitmap32", "", kServer + ", 30000"},
      {kClassKey + "\\TypeLib", "", libid},
      {kClassKey + "\\Version", "", "1.0"},
      {classes + "comtest.counter", "", "Counter"},
      {classes + "ComTest.Counter\\CLSID", "", clsid},
      {classes + "Interface\\" + iid, "", "_Counter"},
      {classes + "Interface\\" + iid + "\\ProxyStubClsid32", "",
       "{00020424-0000-0000-C000-000000000046}"},
      {classes + "Interface\\" + iid + "\\TypeLib", "", libid},
      {classes + "Interface\\" + iid + "\\TypeLib", "Version", "1.0"},
      {classes + "TypeLib\\" + libid + "\\1.0", "", "ComTest"},
      {classes + "TypeLib\\" + libid + "\\1.0\\0\\linux", "", kServer},
      {classes + "TypeLib\\" + libid + "\\1.0\\FLAGS", "", "2"},
      {classes + "TypeLib\\" + libid + "\\1.0\\HELPDIR", "", "/tmp"},
  };
  for (const auto& f : facts)
    EXPECT_EQ(t.GetValue(f.key, f.name), f.data) << f.key << " " << f.name;
  EXPECT_TRUE(t.KeyExists(kClassKey + "\\Control"));
}

TEST_F(ActivationTest, UnregistrationLeavesTheStoreAsBeforeAndOthersValuesAlone) {
  Register();
  ASSERT_EQ(RunServerExport(kServer, "DllUnregisterServer"), com::S_OK);
  EXPECT_TRUE(store.Read() == before);

  // A value someone else put under the class's keys, and one changed since, both stay.
  Register();
  store.SetValue(kClassKey + "\\InprocServer32", "Note", "mine");
  store.SetValue(kClassKey + "\\Version", "", "2.0");
  ASSERT_EQ(RunServerExport(kServer, "DllUnregisterServer"), com::S_OK);
  const tk::StoreTree t = store.Read();
  EXPECT_EQ(t.GetValue(kClassKey + "\\InprocServer32", "Note"), "mine");
  EXPECT_EQ(t.GetValue(kClassKey + "\\InprocServer32", ""), std::nullopt);
  EXPECT_EQ(t.GetValue(kClassKey + "\\Version", ""), "2.0");
  EXPECT_FALSE(t.KeyExists(kClassKey + "\\ProgID"));
  EXPECT_EQ(t.GetValue("Software\\Classes\\.txt", ""), "txtfile");
}

TEST_F(ActivationTest, CreatesByProgIdAndClassIdThroughTheModule) {
  Register();
  com::CLSID clsid;
  ASSERT_EQ(com::CLSIDFromProgID("comtest.COUNTER", &clsid), com::S_OK);
  EXPECT_EQ(clsid, comtest::kCounterClsid);

  auto by_progid = com::CreateObject("ComTest.Counter");
  auto by_clsid = com::CreateObject(com::ToString(comtest::kCounterClsid));
  EXPECT_EQ(com::LoadedModuleCount(), 1u);
  EXPECT_FALSE(com::SameObject(by_progid.get(), by_clsid.get()));

  com::PropertyPut(by_progid.get(), comtest::kValue, 1.5);
  EXPECT_EQ(com::PropertyGet(by_progid.get(), "value").i4(), 2);
  try {
    com::Method(by_clsid.get(), "Fail");
    FAIL();
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), 1001);
    EXPECT_EQ(e.description(), "Counter refused");
  }

  // The host's sink sees the module's event and its change comes back to the module.
  auto sink = com::Make<com::EventSink>();
  sink->On(comtest::kChangedEvent, [](std::span<Variant> args) { args[0].AssignThroughRef(10.0); });
  const auto cookie = com::Advise(by_progid.get(), comtest::kCounterEventsIid, sink.get());
  std::vector<Variant> args = {std::int16_t{1}};
  com::Method(by_progid.get(), comtest::kBump, args);
  EXPECT_EQ(com::PropertyGet(by_progid.get(), comtest::kValue).i4(), 12);
  com::Unadvise(by_progid.get(), comtest::kCounterEventsIid, cookie);
}

TEST_F(ActivationTest, TheModuleStaysWhileAnObjectOrALockLives) {
  Register();
  auto object = com::CreateObject("ComTest.Counter");
  com::CoFreeUnusedLibraries();
  EXPECT_EQ(com::LoadedModuleCount(), 1u);  // an object alive

  com::ComPtr<com::IClassFactory> factory;
  ASSERT_EQ(
      com::CoGetClassObject(comtest::kCounterClsid, com::IClassFactory::kIid, factory.PutVoid()),
      com::S_OK);
  factory->LockServer(true);
  factory.Reset();
  object.Reset();
  com::CoFreeUnusedLibraries();
  EXPECT_EQ(com::LoadedModuleCount(), 1u);  // a lock held

  ASSERT_EQ(
      com::CoGetClassObject(comtest::kCounterClsid, com::IClassFactory::kIid, factory.PutVoid()),
      com::S_OK);
  factory->LockServer(false);
  com::ComPtr<com::IUnknown> unknown;
  EXPECT_EQ(factory->CreateInstance(factory.get(), com::IUnknown::kIid, unknown.PutVoid()),
            com::CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, com::IPictureDisp::kIid, unknown.PutVoid()),
            com::E_NOINTERFACE);
  factory.Reset();
  com::CoFreeUnusedLibraries();
  EXPECT_EQ(com::LoadedModuleCount(), 0u);

  // Loaded again on the next creation.
  EXPECT_TRUE(com::CreateObject("ComTest.Counter"));
}

TEST_F(ActivationTest, EachFailureToCreateSaysWhatWentWrong) {
  void* out = nullptr;
  std::string why;
  EXPECT_EQ(
      com::CoCreateInstance(comtest::kCounterClsid, nullptr, com::IDispatch::kIid, &out, &why),
      com::REGDB_E_CLASSNOTREG);
  EXPECT_NE(why.find(com::ToString(comtest::kCounterClsid)), std::string::npos) << why;
  tk::RuntimeError e = CreateObjectError("ComTest.Counter");
  EXPECT_EQ(e.number(), 429);
  EXPECT_EQ(e.description(),
            "ActiveX component can't create object: class ComTest.Counter is not registered");

  const std::string missing =
      (std::filesystem::temp_directory_path() / "no-such-module.so").string();
  const std::string text_file =
      (std::filesystem::path(getenv("HOME")) / "not-a-module.so").string();
  std::ofstream(text_file) << "plain text\n";
  const struct {
    std::string file;
    com::HRESULT hr;
    std::string says;
  } cases[] = {
      {missing, com::CO_E_DLLNOTFOUND, "module file '" + missing + "' of class"},
      {text_file, com::CO_E_ERRORINDLL, "module file '" + text_file + "' could not be loaded"},
      {COM_TEST_NO_EXPORTS, com::CO_E_ERRORINDLL,
       "module file '" COM_TEST_NO_EXPORTS "' does not export DllGetClassObject"},
  };
  for (const auto& c : cases) {
    RegisterClassAt(c.file);
    EXPECT_EQ(
        com::CoCreateInstance(comtest::kCounterClsid, nullptr, com::IDispatch::kIid, &out, &why),
        c.hr);
    EXPECT_EQ(out, nullptr);
    EXPECT_NE(why.find(c.says), std::string::npos) << why;
    e = CreateObjectError(com::ToString(comtest::kCounterClsid));
    EXPECT_EQ(e.number(), 429);
    EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
  }
  EXPECT_EQ(com::LoadedModuleCount(), 0u);
}

// A module file that is not a whole shared object for this machine is refused as a file
// that is no shared object at all is, before the loader maps it and faults on the
// missing pages; so is reading its resources.
TEST_F(ActivationTest, ADamagedModuleIsRefusedAndNeverLoaded) {
  const std::filesystem::path folder = std::filesystem::path(getenv("HOME")) / "damaged";
  std::filesystem::create_directories(folder);
  int n = 0;
  for (const Damage& d : Damages()) {
    const std::string file = (folder / ("tickctl-" + std::to_string(++n) + ".so")).string();
    WriteDamagedModule(file, d.apply);
    RegisterClassAt(file);
    void* out = nullptr;
    std::string why;
    EXPECT_EQ(
        com::CoCreateInstance(comtest::kCounterClsid, nullptr, com::IDispatch::kIid, &out, &why),
        com::CO_E_ERRORINDLL)
        << d.name;
    EXPECT_EQ(out, nullptr);
    EXPECT_NE(why.find("module file '" + file + "' could not be loaded: " + file + ": "),
              std::string::npos)
        << d.name << ": " << why;
    EXPECT_NE(why.find(d.says), std::string::npos) << d.name << ": " << why;
    const tk::RuntimeError e = CreateObjectError(com::ToString(comtest::kCounterClsid));
    EXPECT_EQ(e.number(), 429) << d.name;
    EXPECT_FALSE(com::ReadModuleResource(file, "TYPELIB", 1, &why)) << d.name;
    EXPECT_NE(why.find(d.says), std::string::npos) << d.name << ": " << why;
  }
  EXPECT_EQ(com::LoadedModuleCount(), 0u);
  std::filesystem::remove_all(folder);
}

// A bare file name is the module beside the runtime libraries, for the check and the
// load alike, wherever the program runs; a FIFO is never a module and never waited on.
TEST_F(ActivationTest, ABareModuleNameIsTheModuleBesideTheRuntimeFromAnyFolder) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("bare-name-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  const std::string bare = std::filesystem::path(kServer).filename().string();
  const tk::testing::Fifo same_name((folder / bare).string());
  RegisterClassAt(bare);
  com::ComPtr<com::IDispatch> object;
  int error = 0;
  EXPECT_TRUE(tk::testing::ReturnsWithoutWaiting(same_name.path(), [&] {
    try {
      object = com::CreateObject(com::ToString(comtest::kCounterClsid));
    } catch (const tk::RuntimeError& e) {
      error = e.number();
      ADD_FAILURE() << e.description();
    }
  }));
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(object);
  object.Reset();

  RegisterClassAt(same_name.path());
  void* out = nullptr;
  std::string why;
  EXPECT_TRUE(tk::testing::ReturnsWithoutWaiting(same_name.path(), [&] {
    EXPECT_EQ(
        com::CoCreateInstance(comtest::kCounterClsid, nullptr, com::IDispatch::kIid, &out, &why),
        com::CO_E_DLLNOTFOUND);
    EXPECT_FALSE(com::ReadModuleResource(same_name.path(), "TYPELIB", 1, &why));
  }));
  EXPECT_NE(why.find("was not found"), std::string::npos) << why;
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
}

TEST(ModuleResourcesTest, AModuleCarriesItsTypeInformationAndIdentifiers) {
  const auto typelib = com::ReadModuleResource(kServer, "typelib", 1);
  ASSERT_TRUE(typelib);
  const auto lib = com::typelib::Deserialize(*typelib);
  ASSERT_TRUE(lib);
  EXPECT_EQ(lib->name, "ComTest");
  ASSERT_NE(lib->Find("Counter"), nullptr);

  const auto iid = com::ReadModuleResource(kServer, "_IID_COUNTER", 1);
  ASSERT_TRUE(iid);
  ASSERT_EQ(iid->size(), 20u);
  EXPECT_EQ(com::ParseGuidResource(*iid), comtest::kCounterIid);

  const auto version = com::ReadModuleResource(kServer, "VERSION", 1);
  ASSERT_TRUE(version);
  EXPECT_TRUE(com::IsSelfRegistering(std::string(version->begin(), version->end())));

  std::string why;
  EXPECT_FALSE(com::ReadModuleResource(kServer, "BITMAP", 30000, &why));
  EXPECT_NE(why.find("has no resource BITMAP 30000"), std::string::npos) << why;
  EXPECT_FALSE(com::ReadModuleResource(COM_TEST_NO_EXPORTS, "TYPELIB", 1, &why));
  EXPECT_NE(why.find("carries no resources"), std::string::npos) << why;
}

TEST(ComregTest, RegistersShowsPrintsAndUnregisters) {
  const auto run = RunComreg;
  EXPECT_EQ(run("register " + kServer).first, 0);
  auto [status, shown] = run("show ComTest.Counter");
  EXPECT_EQ(status, 0);
  EXPECT_NE(shown.find("ThreadingModel = \"Apartment\""), std::string::npos) << shown;
  EXPECT_NE(shown.find("(default) = \"131473\""), std::string::npos) << shown;
  auto [typeinfo_status, printed] = run("typeinfo " + kServer);
  EXPECT_EQ(typeinfo_status, 0);
  EXPECT_NE(printed.find("coclass Counter {"), std::string::npos) << printed;
  EXPECT_EQ(run("unregister " + kServer).first, 0);
  EXPECT_NE(run("show ComTest.Counter").first, 0);
  EXPECT_NE(run("register /no/such/module.so").first, 0);
}

// A module's own code that crashes, never returns or ends the process, and a module that
// is not whole: comreg says so in one line and exits non-zero, itself unharmed.
TEST(ComregTest, AModuleThatFailsItsCallerIsReportedInOneLine) {
  const std::string damaged = (std::filesystem::path(getenv("HOME")) / "cut-tickctl.so").string();
  WriteDamagedModule(damaged, [](std::string& b) { b.resize(4096); });
  const std::string crash = COM_TEST_HOSTILE_CRASH, hang = COM_TEST_HOSTILE_HANG,
                    exits = COM_TEST_HOSTILE_EXIT;
  // The module that never returns is given half a second, the others the usual deadline.
  const struct {
    std::string args, says;
    bool quick = false;
  } cases[] = {
      {"register " + crash, "DllRegisterServer of '" + crash + "' crashed with signal 11 ("},
      {"unregister " + crash, "DllUnregisterServer of '" + crash + "' crashed with signal 11 ("},
      {"typeinfo " + crash, "the resources of '" + crash + "' crashed with signal 11 ("},
      {"register " + hang, "DllRegisterServer of '" + hang + "' did not return within 0.5 s", true},
      {"typeinfo " + hang, "the resources of '" + hang + "' did not return within 0.5 s", true},
      {"register " + exits, "DllRegisterServer of '" + exits + "' ended without registering"},
      {"unregister " + exits, "DllUnregisterServer of '" + exits + "' ended without unregistering"},
      {"typeinfo " + exits, "ended without giving its type information"},
      {"register " + damaged,
       "cannot load '" + damaged + "': " + damaged + ": the file is cut short at byte 4096"},
      {"unregister " + damaged, "before the end of segment"},
      {"typeinfo " + damaged, "before the end of segment"},
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const auto [status, said] = RunCommand((c.quick ? "COMREG_DEADLINE_SECONDS=0.5 " : "") +
                                           std::string(COMREG) + " " + c.args);
    if (c.quick) {  // it waited as long as it says
      EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.args << ": " << status;
    EXPECT_EQ(said.rfind("comreg: ", 0), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
  }
  std::filesystem::remove(damaged);
}

TEST(ComregTest, AFifoIsNoModuleAndIsNotWaitedOn) {
  const tk::testing::Fifo fifo((std::filesystem::temp_directory_path() /
                                ("comreg-fifo-" + std::to_string(::getpid()) + ".so"))
                                   .string());
  for (const char* command : {"register", "unregister", "typeinfo"}) {
    std::pair<int, std::string> result;
    EXPECT_TRUE(tk::testing::ReturnsWithoutWaiting(fifo.path(), [&] {
      result = RunComreg(std::string(command) + " " + fifo.path());
    })) << command;
    EXPECT_NE(result.first, 0) << command;
    EXPECT_NE(result.second.find(fifo.path()), std::string::npos) << result.second;
  }
}

}  // namespace
