// Whether a module file is a whole shared object that this process can load. The loader
// maps a module's segments straight from the file, so a file cut short (an interrupted
// copy, a full disk) faults the whole process when a page past its end is touched; a
// module is checked before it is loaded and refused when it is not whole.
#pragma once

#include <optional>
#include <string>

namespace com {

// What is wrong with `file` as a shared object for this machine, or nothing when it is
// one: its header is ours (class, data encoding, machine, type), and its program headers,
// every segment's bytes, its dynamic section and its section headers lie within the file.
// The file is opened only when it is a regular file, and never waited on.
std::optional<std::string> SharedObjectProblem(const std::string& file);

}  // namespace com
