// Sized integers whose arithmetic and narrowing are checked: leaving the range raises
// the Overflow error (6), as the runtime's 8-, 16- and 32-bit integer types do.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "runtime/errors.h"

namespace tk {

// Halves go to the even neighbour (10.5 -> 10, 11.5 -> 12), as the runtime rounds.
inline double RoundHalfEven(double x) {
  return std::nearbyint(x);
}

template <class T>
T NarrowInt(long long value) {
  if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
      value > static_cast<long long>(std::numeric_limits<T>::max()))
    Raise(kOverflow);
  return static_cast<T>(value);
}

// A floating-point value to an integer type: rounded halves to even, then range-checked.
template <class T>
T RoundToInt(double value) {
  if (std::isnan(value)) Raise(kOverflow);
  const double r = RoundHalfEven(value);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    Raise(kOverflow);
  return static_cast<T>(r);
}

template <class T>
class Checked {
  static_assert(std::is_integral_v<T> && sizeof(T) <= 4);

 public:
  constexpr Checked() = default;
  constexpr Checked(T v) : v_(v) {}  // NOLINT: implicit from the same width
  static Checked From(long long v) { return Checked(NarrowInt<T>(v)); }

  constexpr T value() const { return v_; }
  constexpr operator T() const { return v_; }  // NOLINT

  friend Checked operator+(Checked a, Checked b) { return From(wide(a) + wide(b)); }
  friend Checked operator-(Checked a, Checked b) { return From(wide(a) - wide(b)); }
  friend Checked operator*(Checked a, Checked b) { return From(wide(a) * wide(b)); }
  Checked operator-() const { return From(-wide(*this)); }
  Checked& operator+=(Checked b) { return *this = *this + b; }
  Checked& operator-=(Checked b) { return *this = *this - b; }
  Checked& operator++() { return *this = *this + Checked(1); }
  Checked& operator--() { return *this = *this - Checked(1); }

 private:
  static long long wide(Checked c) { return static_cast<long long>(c.v_); }
  T v_ = 0;
};

using Byte = Checked<std::uint8_t>;
using Int16 = Checked<std::int16_t>;
using Int32 = Checked<std::int32_t>;

// The runtime's 16-bit Boolean: True is -1, False is 0.
using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue16 = -1;
inline constexpr Bool16 kFalse16 = 0;
inline constexpr Bool16 ToBool16(bool b) {
  return b ? kTrue16 : kFalse16;
}

}  // namespace tk
