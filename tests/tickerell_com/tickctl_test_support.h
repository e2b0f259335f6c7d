// Shared by the tests of the control module: the identities the module must publish
// (written out here, independently of the module's sources), a fixture that registers
// the real tickctl.so in the test's own store, and a small window that hosts the control
// through the toolkit's real host, tk::ActiveXControl.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "com/activation.h"
#include "com/class_factory.h"
#include "com/late_bound.h"
#include "com/property_bag.h"
#include "error_of.h"
#include "runtime/key_store.h"
#include "tickctl_dispids.h"
#include "tickerell.h"
#include "toolkit/activex/activex_control.h"
#include "toolkit/ui/form.h"

namespace tickctl_test {

inline const std::string kModule = std::filesystem::weakly_canonical(TICKCTL_PATH).string();

inline constexpr com::CLSID kClsid{
    0x63FE7693, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::IID kIid{
    0x63FE7692, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::IID kEventsIid{
    0x63FE7697, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::GUID kLibid{
    0x63FE7691, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr char kProgId[] = "prjTickerell.Tickerell";

// The surface's own colours at creation, as 32-bit values.
inline constexpr std::int32_t kSurfaceBackColor = static_cast<std::int32_t>(0x8000000Fu);
inline constexpr std::int32_t kSurfaceForeColor = static_cast<std::int32_t>(0x80000012u);

// Runs one of the module's exports that take no arguments, as comreg does.
inline com::HRESULT RunModuleExport(const char* name) {
  void* handle = dlopen(kModule.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return com::CO_E_ERRORINDLL;
  auto fn = reinterpret_cast<com::DllRegisterServerFn>(dlsym(handle, name));
  const com::HRESULT hr = fn ? fn() : com::CO_E_ERRORINDLL;
  dlclose(handle);
  return hr;
}

using tk::testing::ErrorOf;

// Each test starts from a store of its own with the module registered in it, and ends
// with every module unloaded that can be.
class ModuleTest : public testing::Test {
 protected:
  void SetUp() override {
    // Only this test's store counts: no machine-wide registration of a build tree.
    const auto home = std::filesystem::path(std::getenv("HOME") ? std::getenv("HOME") : "/tmp");
    setenv("TOOLKIT_MACHINE_STORE", (home / "no-machine.store").c_str(), 1);
    store.Update([](tk::StoreTree& t) { t.DeleteTree("Software"); });
    ASSERT_EQ(RunModuleExport("DllRegisterServer"), com::S_OK);
  }
  void TearDown() override { com::CoFreeUnusedLibraries(); }

  tk::KeyStore store = tk::KeyStore::User();
};

// A window with one control Tickerell1, created as the test says: restored from
// `stored`, or new when that is null.
class HostForm : public tk::Form {
 public:
  HostForm() : Form("frmHost") {}

  com::ComPtr<com::IPropertyBag> stored;
  bool user_mode = true;
  std::function<void(tk::ActiveXControl&)> before_create;
  tk::ActiveXControl* Tickerell1 = nullptr;

  com::IDispatch* Object() const { return Tickerell1->Object(); }
  com::Variant Get(com::DISPID id) const { return com::PropertyGet(Object(), id); }
  void Put(com::DISPID id, const com::Variant& v) const { com::PropertyPut(Object(), id, v); }

 protected:
  void Describe() override {
    Attributes().caption = "Host";
    Attributes().client_width = 4680;
    Attributes().client_height = 3540;
    Tickerell1 = &Add<tk::ActiveXControl>(Client(), "Tickerell1", -1, 480, 1320, 3735, 975);
    if (before_create) before_create(*Tickerell1);
    Tickerell1->Create(kClsid, stored, user_mode);
  }
};

// The module's own object behind a host's control. The test compiles the same class
// declaration as the module, so it can read the instance's state in place: white-box
// looks at what the interface does not show (the line buffer, PropertiesRead).
inline tickerell::Tickerell& Peek(tk::ActiveXControl& control) {
  return *static_cast<tickerell::Tickerell*>(control.Instance());
}

inline std::vector<std::string> LineTexts(const tickerell::TickerellState& s) {
  std::vector<std::string> out;
  for (int i = 1; i <= s.LineCount; ++i) out.push_back(s.LineBuffer[i].Text);
  return out;
}

}  // namespace tickctl_test

namespace tickctl_test {

// The module's object behind a control made without a host (its own IDispatch).
inline tickerell::Tickerell& Peek(com::IDispatch* control) {
  return *static_cast<tickerell::Tickerell*>(control);
}

// A caption of `n` lines "1;2;...;n": more than 500 cannot be parsed (error 9).
inline std::string NumberedCaption(int n) {
  std::string s;
  for (int i = 1; i <= n; ++i) s += (i > 1 ? ";" : "") + std::to_string(i);
  return s;
}

}  // namespace tickctl_test
