// Globally unique identifiers: the 16-byte form that crosses module boundaries and
// resources, and the text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" that the store keeps.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::uint8_t Data4[8] = {};

  friend bool operator==(const GUID& a, const GUID& b);
  friend bool operator<(const GUID& a, const GUID& b);
};
using CLSID = GUID;
using IID = GUID;

inline constexpr GUID GUID_NULL{};

// Reads the text form, braces required, hex digits in either case. Nothing for any other text.
std::optional<GUID> ParseGuid(std::string_view text);
// The text form with upper-case digits and braces.
std::string ToString(const GUID& guid);

// The 16-byte form: Data1, Data2 and Data3 little-endian, then Data4 as it stands.
std::array<std::uint8_t, 16> ToBytes(const GUID& guid);
GUID FromBytes(const std::uint8_t* bytes16);

}  // namespace com
