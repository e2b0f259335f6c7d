// Feeds arbitrary bytes to the type-library reader, as a module's resource TYPELIB 1
// would hand them over. Bytes that are not a whole, well-formed library are refused;
// bytes that are one must write back to exactly themselves, and print.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "com/type_library.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "type library fuzzer: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto lib = com::typelib::Deserialize(bytes);
  if (!lib) return 0;
  const std::vector<std::uint8_t> written = com::typelib::Serialize(*lib);
  Check(std::equal(written.begin(), written.end(), bytes.begin(), bytes.end()),
        "a library read does not write back to the same bytes");
  Check(!com::typelib::Print(*lib).empty(), "a library read prints as nothing");
  return 0;
}
