#include "tickerell_registration.h"

#include <filesystem>

#include "tickerell_ids.h"
#include "toolbox_bitmap.h"

namespace tickerell {

com::ServerRegistration TickerellRegistration(const std::string& module_file) {
  com::ServerRegistration s;
  s.module_file = module_file;

  com::ClassRegistration c;
  c.clsid = kClsidTickerell;
  c.name = kClassName;
  c.progid = kProgId;
  c.threading_model = "Apartment";
  c.control = true;
  c.misc_status = kMiscStatus;
  c.toolbox_bitmap = kToolboxBitmapId;
  c.typelib = kLibid;
  c.version = "1.0";
  s.classes.push_back(c);

  s.interfaces = {{kIidTickerell, "_Tickerell", kLibid, "1.0"},
                  {kIidTickerellEvents, "__Tickerell", kLibid, "1.0"}};

  com::TypeLibRegistration t;
  t.libid = kLibid;
  t.version = "1.0";
  t.lcid = 0;
  t.help = kLibraryHelp;
  t.flags = 2;  // control
  t.help_dir = std::filesystem::path(module_file).parent_path().string();
  s.typelib = t;
  return s;
}

}  // namespace tickerell
