// What the runtime knows of the running program: its executable's name and folder, the
// folder of a loaded module, the deliverable's title, and the clock. Names of files and
// folders are the file system's own bytes, never converted to or from the locale's
// character set: they open the same files whatever the locale.
#pragma once

#include <string>

namespace tk {

std::string ExeName();    // the executable's file name without its extension
std::string ExeFolder();  // the folder that holds the executable, without a trailing "/"
// The folder of the module (executable or shared library) that contains `address`,
// found at run time; used by a library to find files installed beside it.
std::string ModuleFolder(const void* address);
std::string ModuleFile(const void* address);

// The title that boxes without a title of their own show ("Game Korvane#2" in the game).
const std::string& AppTitle();
void SetAppTitle(std::string title);

// Seconds since midnight, local time, in single precision, like the runtime's Timer.
float SecondsSinceMidnight();

}  // namespace tk
