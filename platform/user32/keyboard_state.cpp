// The key-state table belongs to the calling thread, as the window system keeps one per
// input thread. It is a plain table: writing it changes what later reads of the same
// thread see, nothing else.
#include <array>
#include <cstring>

#include "user32/user32.h"

namespace user32 {
namespace {

std::array<std::uint8_t, 256>& ThreadTable() {
  thread_local std::array<std::uint8_t, 256> table{};
  return table;
}

}  // namespace

BOOL GetKeyboardState(std::uint8_t table[256]) {
  if (table == nullptr) return 0;
  std::memcpy(table, ThreadTable().data(), ThreadTable().size());
  return 1;
}

BOOL SetKeyboardState(const std::uint8_t table[256]) {
  if (table == nullptr) return 0;
  std::memcpy(ThreadTable().data(), table, ThreadTable().size());
  return 1;
}

}  // namespace user32
