// What the control library records about itself in the class registrations.
#pragma once

#include <string>

#include "com/registration.h"

namespace tickerell {

// `module_file`: the library's own absolute path.
com::ServerRegistration TickerellRegistration(const std::string& module_file);

}  // namespace tickerell
