// Counts of live objects and server locks of the module this code is linked into, for
// DllCanUnloadNow. The counters are hidden from the dynamic symbol table, so a module
// loaded into a host that links the same layer still keeps counts of its own.
#pragma once

#include "com/hresult.h"

#define COM_MODULE_LOCAL __attribute__((visibility("hidden")))

namespace com::module {

COM_MODULE_LOCAL void ObjectCreated();
COM_MODULE_LOCAL void ObjectDestroyed();
COM_MODULE_LOCAL void Lock();
COM_MODULE_LOCAL void Unlock();
COM_MODULE_LOCAL long ObjectCount();

// S_OK when no object of the module is alive and no lock is held, else S_FALSE.
COM_MODULE_LOCAL HRESULT CanUnloadNow();

}  // namespace com::module
