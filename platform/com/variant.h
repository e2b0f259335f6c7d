// The automation value: one of the types that crosses a dispatch call, or a reference to a
// caller's variable of such a type (event arguments that a handler may change).
//
// Text (VT_BSTR) is kept as UTF-8 in a std::string. The platform this layer stands in for
// passes UTF-16 strings; both our deliverables are UTF-8 throughout, so converting at
// every call would buy nothing. Booleans are 16-bit: True is -1, False is 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "com/hresult.h"
#include "com/unknown.h"

namespace com {

struct IDispatch;

using VARTYPE = std::uint16_t;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;  // only as VT_BYREF | VT_VARIANT, or "any" in a table
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_BYREF = 0x4000;
inline constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

class Variant {
 public:
  Variant() = default;     // VT_EMPTY
  Variant(bool) = delete;  // a C++ bool is ambiguous here: say Variant::Bool(b)
  Variant(std::int16_t v) : vt_(VT_I2) { n_.i2 = v; }           // NOLINT: implicit by design
  Variant(std::int32_t v) : vt_(VT_I4) { n_.i4 = v; }           // NOLINT
  Variant(std::uint8_t v) : vt_(VT_UI1) { n_.ui1 = v; }         // NOLINT
  Variant(float v) : vt_(VT_R4) { n_.r4 = v; }                  // NOLINT
  Variant(double v) : vt_(VT_R8) { n_.r8 = v; }                 // NOLINT
  Variant(std::string v) : vt_(VT_BSTR), str_(std::move(v)) {}  // NOLINT
  Variant(std::string_view v) : Variant(std::string(v)) {}      // NOLINT
  Variant(const char* v) : Variant(std::string(v)) {}           // NOLINT
  Variant(IDispatch* v);                                        // NOLINT: VT_DISPATCH, new ref
  Variant(IUnknown* v);                                         // NOLINT: VT_UNKNOWN, new ref
  template <class T>
  Variant(const ComPtr<T>& v) : Variant(v.get()) {}  // NOLINT

  static Variant Bool(bool b);
  static Variant Error(HRESULT scode);  // VT_ERROR
  // The "argument left out" marker: VT_ERROR holding DISP_E_PARAMNOTFOUND.
  static Variant Missing() { return Error(DISP_E_PARAMNOTFOUND); }

  // References to caller storage; the referent must outlive the Variant.
  static Variant Ref(std::int16_t* p) { return MakeRef(VT_I2, p); }
  static Variant Ref(std::int32_t* p) { return MakeRef(VT_I4, p); }
  static Variant Ref(std::uint8_t* p) { return MakeRef(VT_UI1, p); }
  static Variant Ref(float* p) { return MakeRef(VT_R4, p); }
  static Variant Ref(double* p) { return MakeRef(VT_R8, p); }
  static Variant Ref(std::string* p) { return MakeRef(VT_BSTR, p); }
  static Variant Ref(Variant* p) { return MakeRef(VT_VARIANT, p); }

  VARTYPE vt() const { return vt_; }
  bool is_byref() const { return (vt_ & VT_BYREF) != 0; }
  bool is_empty() const { return vt_ == VT_EMPTY; }
  bool is_missing() const { return vt_ == VT_ERROR && n_.scode == DISP_E_PARAMNOTFOUND; }
  bool is_object() const { return vt_ == VT_DISPATCH || vt_ == VT_UNKNOWN; }

  // Raw access by stored type; the caller has checked vt(). A wrong type reads zero.
  std::int16_t i2() const { return vt_ == VT_I2 ? n_.i2 : 0; }
  std::int32_t i4() const { return vt_ == VT_I4 ? n_.i4 : 0; }
  std::uint8_t ui1() const { return vt_ == VT_UI1 ? n_.ui1 : 0; }
  float r4() const { return vt_ == VT_R4 ? n_.r4 : 0; }
  double r8() const { return vt_ == VT_R8 ? n_.r8 : 0; }
  VARIANT_BOOL boolean() const { return vt_ == VT_BOOL ? n_.b : VARIANT_FALSE; }
  HRESULT scode() const { return vt_ == VT_ERROR ? n_.scode : S_OK; }
  const std::string& str() const { return str_; }
  IUnknown* object() const { return obj_.get(); }  // VT_DISPATCH and VT_UNKNOWN; no new ref
  void* ref() const { return is_byref() ? ref_ : nullptr; }

  // The value a by-reference Variant points at, as a by-value Variant; a copy otherwise.
  Variant Deref() const;
  // Stores `value`, converted to the referent's type, through a by-reference Variant.
  HRESULT AssignThroughRef(const Variant& value) const;

  // The conversions of the language: raise tk::RuntimeError (13 type mismatch, 6 overflow).
  std::int16_t ToI2() const;
  std::int32_t ToI4() const;
  double ToR8() const;
  bool ToBool() const;
  std::string ToText() const;
  ComPtr<IDispatch> ToDispatch() const;  // Nothing (null) for VT_EMPTY or a null object
  Variant As(VARTYPE target) const;

 private:
  static Variant MakeRef(VARTYPE type, void* p);

  VARTYPE vt_ = VT_EMPTY;
  union Number {
    std::int16_t i2;
    std::int32_t i4;
    std::uint8_t ui1;
    float r4;
    double r8;
    VARIANT_BOOL b;
    HRESULT scode;
  } n_{};
  std::string str_;
  ComPtr<IUnknown> obj_;
  void* ref_ = nullptr;
};

// Converts `in` (by value or by reference) to `target`, a by-value type:
// - to an integer type: a fraction rounds halves to even; a value outside the type's
//   range is DISP_E_OVERFLOW; Boolean True gives -1 (an overflow for VT_UI1);
// - text is read as a number (leading and trailing blanks allowed) and is
//   DISP_E_TYPEMISMATCH when it is not one; "True" and "False" read as Booleans;
// - to VT_BOOL: any non-zero number is True (-1);
// - to VT_BSTR: numbers in their shortest plain decimal form, Booleans as "True"/"False";
// - VT_EMPTY reads as 0, False or the empty text; objects convert only to objects.
// `target` VT_VARIANT copies the value. The result is S_OK or the failure.
HRESULT ChangeType(const Variant& in, VARTYPE target, Variant& out);

// True when two values are the same value: numbers and Booleans compare as numbers
// whatever their width, text exactly, objects by identity.
bool SameValue(const Variant& a, const Variant& b);

}  // namespace com
