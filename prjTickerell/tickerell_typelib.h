// The type information that the control library carries as resource TYPELIB 1.
#pragma once

#include "com/type_library.h"

namespace tickerell {

com::typelib::Library TickerellLibrary();

}  // namespace tickerell
