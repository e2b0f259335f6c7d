// Late binding: IDispatch, its call flags, and the exception record an object fills in when
// one of its members raises a run-time error.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "com/unknown.h"
#include "com/variant.h"

namespace com {

using DISPID = std::int32_t;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_VALUE = 0;

using DispatchFlags = std::uint16_t;
inline constexpr DispatchFlags DISPATCH_METHOD = 0x1;
inline constexpr DispatchFlags DISPATCH_PROPERTYGET = 0x2;
inline constexpr DispatchFlags DISPATCH_PROPERTYPUT = 0x4;
inline constexpr DispatchFlags DISPATCH_PROPERTYPUTREF = 0x8;

// What a member that failed with a run-time error reports: the error's number and
// description, and the name of the object that raised it.
struct ExcepInfo {
  int number = 0;
  std::string source;
  std::string description;
};

struct IDispatch : IUnknown {
  using Base = IUnknown;
  static constexpr IID kIid{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

  // names[0] is a member name, matched without regard to case; further names would be
  // parameter names, which no object of ours publishes (DISP_E_UNKNOWNNAME).
  // ids receives one identifier per name, DISPID_UNKNOWN for a name not found.
  virtual HRESULT GetIDsOfNames(std::span<const std::string_view> names, DISPID* ids) = 0;

  // Calls a member. `args` are in the order of the member's parameters (first argument
  // first); the value of a property put is the last one. Arguments may be by reference,
  // and the member may write through them. `result` and `excep` may be null.
  // On DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW, *arg_err (if given) is the index of the
  // argument that could not be converted; on DISP_E_EXCEPTION, *excep says what went wrong.
  virtual HRESULT Invoke(DISPID id, DispatchFlags flags, std::span<Variant> args, Variant* result,
                         ExcepInfo* excep, unsigned* arg_err) = 0;
};

}  // namespace com
