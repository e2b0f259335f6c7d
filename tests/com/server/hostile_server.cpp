// A module whose own code never comes back properly: built once for each way, it crashes,
// hangs or ends the process in its registration, unregistration and resource table, as a
// broken third-party module might.
#include <unistd.h>

#include <cstdlib>

#include "com/hresult.h"
#include "com/module_resources.h"

namespace {

[[maybe_unused]] void Crash() {
  volatile int* nowhere = nullptr;
  *nowhere = 1;
}

void Misbehave() {
#if defined(HOSTILE_CRASH)
  Crash();
#elif defined(HOSTILE_HANG)
  for (;;) pause();
#elif defined(HOSTILE_EXIT)
  std::exit(0);
#endif
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) com::HRESULT DllRegisterServer() {
  Misbehave();
  return com::S_OK;
}

__attribute__((visibility("default"))) com::HRESULT DllUnregisterServer() {
  Misbehave();
  return com::S_OK;
}

__attribute__((visibility("default"))) const com::ResourceTable* ComModuleResources() {
  Misbehave();
  return nullptr;
}
}
