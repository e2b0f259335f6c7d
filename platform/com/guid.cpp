#include "com/guid.h"

#include <cstdio>
#include <cstring>

namespace com {

bool operator==(const GUID& a, const GUID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
         std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

bool operator<(const GUID& a, const GUID& b) {
  return ToBytes(a) < ToBytes(b);
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `count` hex digits at `pos` into `out`; false on any other character.
bool ReadHex(std::string_view text, size_t pos, size_t count, std::uint64_t& out) {
  out = 0;
  for (size_t i = 0; i < count; ++i) {
    const int d = HexDigit(text[pos + i]);
    if (d < 0) return false;
    out = out * 16 + static_cast<unsigned>(d);
  }
  return true;
}

}  // namespace

std::optional<GUID> ParseGuid(std::string_view text) {
  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') return std::nullopt;
  GUID g;
  std::uint64_t v = 0;
  if (!ReadHex(text, 1, 8, v)) return std::nullopt;
  g.Data1 = static_cast<std::uint32_t>(v);
  if (!ReadHex(text, 10, 4, v)) return std::nullopt;
  g.Data2 = static_cast<std::uint16_t>(v);
  if (!ReadHex(text, 15, 4, v)) return std::nullopt;
  g.Data3 = static_cast<std::uint16_t>(v);
  static constexpr size_t kData4At[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(text, kData4At[i], 2, v)) return std::nullopt;
    g.Data4[i] = static_cast<std::uint8_t>(v);
  }
  return g;
}

std::string ToString(const GUID& g) {
  char buf[39];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return buf;
}

std::array<std::uint8_t, 16> ToBytes(const GUID& g) {
  std::array<std::uint8_t, 16> b{};
  for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(g.Data1 >> (8 * i));
  for (int i = 0; i < 2; ++i) b[4 + i] = static_cast<std::uint8_t>(g.Data2 >> (8 * i));
  for (int i = 0; i < 2; ++i) b[6 + i] = static_cast<std::uint8_t>(g.Data3 >> (8 * i));
  std::memcpy(b.data() + 8, g.Data4, 8);
  return b;
}

GUID FromBytes(const std::uint8_t* b) {
  GUID g;
  g.Data1 = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
            static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  g.Data2 = static_cast<std::uint16_t>(b[4] | b[5] << 8);
  g.Data3 = static_cast<std::uint16_t>(b[6] | b[7] << 8);
  std::memcpy(g.Data4, b + 8, 8);
  return g;
}

}  // namespace com
