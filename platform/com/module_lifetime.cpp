#include "com/module_lifetime.h"

#include <atomic>

namespace com::module {
namespace {
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
}  // namespace

void ObjectCreated() {
  ++g_objects;
}
void ObjectDestroyed() {
  --g_objects;
}
void Lock() {
  ++g_locks;
}
void Unlock() {
  --g_locks;
}
long ObjectCount() {
  return g_objects;
}
HRESULT CanUnloadNow() {
  return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

}  // namespace com::module
