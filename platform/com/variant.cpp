#include "com/variant.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "com/dispatch.h"
#include "com/hresult_errors.h"
#include "runtime/checked.h"
#include "runtime/errors.h"
#include "runtime/key_store.h"

namespace com {

Variant::Variant(IDispatch* v) : vt_(VT_DISPATCH), obj_(static_cast<IUnknown*>(v)) {}
Variant::Variant(IUnknown* v) : vt_(VT_UNKNOWN), obj_(v) {}

Variant Variant::Bool(bool b) {
  Variant v;
  v.vt_ = VT_BOOL;
  v.n_.b = b ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

Variant Variant::Error(HRESULT scode) {
  Variant v;
  v.vt_ = VT_ERROR;
  v.n_.scode = scode;
  return v;
}

Variant Variant::MakeRef(VARTYPE type, void* p) {
  Variant v;
  v.vt_ = VT_BYREF | type;
  v.ref_ = p;
  return v;
}

Variant Variant::Deref() const {
  if (!is_byref()) return *this;
  if (!ref_) return {};
  switch (vt_ & VT_TYPEMASK) {
    case VT_I2:
      return *static_cast<std::int16_t*>(ref_);
    case VT_I4:
      return *static_cast<std::int32_t*>(ref_);
    case VT_UI1:
      return *static_cast<std::uint8_t*>(ref_);
    case VT_R4:
      return *static_cast<float*>(ref_);
    case VT_R8:
      return *static_cast<double*>(ref_);
    case VT_BSTR:
      return *static_cast<std::string*>(ref_);
    case VT_BOOL:
      return Bool(*static_cast<VARIANT_BOOL*>(ref_) != 0);
    case VT_VARIANT:
      return static_cast<Variant*>(ref_)->Deref();
  }
  return {};
}

HRESULT Variant::AssignThroughRef(const Variant& value) const {
  if (!is_byref() || !ref_) return E_INVALIDARG;
  const VARTYPE type = vt_ & VT_TYPEMASK;
  if (type == VT_VARIANT) {
    *static_cast<Variant*>(ref_) = value.Deref();
    return S_OK;
  }
  Variant c;
  if (const HRESULT hr = ChangeType(value, type, c); Failed(hr)) return hr;
  switch (type) {
    case VT_I2:
      *static_cast<std::int16_t*>(ref_) = c.n_.i2;
      break;
    case VT_I4:
      *static_cast<std::int32_t*>(ref_) = c.n_.i4;
      break;
    case VT_UI1:
      *static_cast<std::uint8_t*>(ref_) = c.n_.ui1;
      break;
    case VT_R4:
      *static_cast<float*>(ref_) = c.n_.r4;
      break;
    case VT_R8:
      *static_cast<double*>(ref_) = c.n_.r8;
      break;
    case VT_BSTR:
      *static_cast<std::string*>(ref_) = c.str_;
      break;
    case VT_BOOL:
      *static_cast<VARIANT_BOOL*>(ref_) = c.n_.b;
      break;
    default:
      return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

namespace {

// A value seen as a number, when it is one.
struct Numeric {
  bool is_int = false;
  long long i = 0;
  double d = 0;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool ParseNumber(std::string_view text, double& out) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Only digits, a point and an exponent: no "inf", "nan" or hex floats.
  if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '.'))
    return false;
  double v = 0;
  const auto [end, ec] =
      std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (ec != std::errc() || end != s.data() + s.size()) return false;
  out = negative ? -v : v;
  return true;
}

std::optional<bool> ParseBoolWord(std::string_view text) {
  const std::string folded = tk::FoldCase(Trim(text));
  if (folded == "true") return true;
  if (folded == "false") return false;
  return std::nullopt;
}

// The numeric value of `v` (by value), or the failure that reading it as a number gives.
HRESULT ToNumeric(const Variant& v, Numeric& n) {
  switch (v.vt()) {
    case VT_EMPTY:
      n = {true, 0, 0};
      return S_OK;
    case VT_I2:
      n = {true, v.i2(), 0};
      return S_OK;
    case VT_I4:
      n = {true, v.i4(), 0};
      return S_OK;
    case VT_UI1:
      n = {true, v.ui1(), 0};
      return S_OK;
    case VT_BOOL:
      n = {true, v.boolean() ? -1 : 0, 0};
      return S_OK;
    case VT_R4:
      n = {false, 0, v.r4()};
      return S_OK;
    case VT_R8:
      n = {false, 0, v.r8()};
      return S_OK;
    case VT_BSTR: {
      double d = 0;
      if (ParseNumber(v.str(), d)) {
        n = {false, 0, d};
        return S_OK;
      }
      if (auto b = ParseBoolWord(v.str())) {
        n = {true, *b ? -1 : 0, 0};
        return S_OK;
      }
      return DISP_E_TYPEMISMATCH;
    }
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

template <class T>
HRESULT ToInteger(const Numeric& n, T& out) {
  long long wide = 0;
  if (n.is_int) {
    wide = n.i;
  } else {
    if (!std::isfinite(n.d)) return DISP_E_OVERFLOW;
    const double r = tk::RoundHalfEven(n.d);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
      return DISP_E_OVERFLOW;
    wide = static_cast<long long>(r);
  }
  if (wide < static_cast<long long>(std::numeric_limits<T>::min()) ||
      wide > static_cast<long long>(std::numeric_limits<T>::max()))
    return DISP_E_OVERFLOW;
  out = static_cast<T>(wide);
  return S_OK;
}

double AsDouble(const Numeric& n) {
  return n.is_int ? static_cast<double>(n.i) : n.d;
}

std::string FormatDouble(double d, int digits) {
  if (d == 0) return "0";  // also for -0
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*G", digits, d);
  return buf;
}

}  // namespace

HRESULT ChangeType(const Variant& source, VARTYPE target, Variant& out) {
  const Variant in = source.Deref();
  if (target == VT_VARIANT || target == in.vt()) {
    out = in;
    return S_OK;
  }
  Numeric n;
  switch (target) {
    case VT_EMPTY:
      out = Variant();
      return S_OK;
    case VT_I2: {
      std::int16_t v = 0;
      HRESULT hr = ToNumeric(in, n);
      if (Succeeded(hr)) hr = ToInteger(n, v);
      if (Succeeded(hr)) out = v;
      return hr;
    }
    case VT_I4: {
      std::int32_t v = 0;
      HRESULT hr = ToNumeric(in, n);
      if (Succeeded(hr)) hr = ToInteger(n, v);
      if (Succeeded(hr)) out = v;
      return hr;
    }
    case VT_UI1: {
      std::uint8_t v = 0;
      HRESULT hr = ToNumeric(in, n);
      if (Succeeded(hr)) hr = ToInteger(n, v);
      if (Succeeded(hr)) out = v;
      return hr;
    }
    case VT_R4: {
      if (const HRESULT hr = ToNumeric(in, n); Failed(hr)) return hr;
      const double d = AsDouble(n);
      if (std::isfinite(d) && std::fabs(d) > FLT_MAX) return DISP_E_OVERFLOW;
      out = static_cast<float>(d);
      return S_OK;
    }
    case VT_R8:
      if (const HRESULT hr = ToNumeric(in, n); Failed(hr)) return hr;
      out = AsDouble(n);
      return S_OK;
    case VT_BOOL:
      if (const HRESULT hr = ToNumeric(in, n); Failed(hr)) return hr;
      out = Variant::Bool(AsDouble(n) != 0);
      return S_OK;
    case VT_BSTR:
      switch (in.vt()) {
        case VT_EMPTY:
          out = std::string();
          return S_OK;
        case VT_I2:
        case VT_I4:
        case VT_UI1:
          ToNumeric(in, n);
          out = std::to_string(n.i);
          return S_OK;
        case VT_R4:
          out = FormatDouble(in.r4(), 7);
          return S_OK;
        case VT_R8:
          out = FormatDouble(in.r8(), 15);
          return S_OK;
        case VT_BOOL:
          out = in.boolean() ? "True" : "False";
          return S_OK;
      }
      return DISP_E_TYPEMISMATCH;
    case VT_DISPATCH: {
      if (in.vt() == VT_EMPTY || (in.is_object() && !in.object())) {
        out = static_cast<IDispatch*>(nullptr);
        return S_OK;
      }
      if (!in.is_object()) return DISP_E_TYPEMISMATCH;
      ComPtr<IDispatch> d;
      if (Failed(in.object()->QueryInterface(IDispatch::kIid, d.PutVoid())))
        return DISP_E_TYPEMISMATCH;
      out = d.get();
      return S_OK;
    }
    case VT_UNKNOWN:
      if (in.vt() == VT_EMPTY) {
        out = static_cast<IUnknown*>(nullptr);
        return S_OK;
      }
      if (!in.is_object()) return DISP_E_TYPEMISMATCH;
      out = in.object();
      return S_OK;
  }
  return DISP_E_TYPEMISMATCH;
}

Variant Variant::As(VARTYPE target) const {
  Variant out;
  if (const HRESULT hr = ChangeType(*this, target, out); Failed(hr)) RaiseForHResult(hr);
  return out;
}

std::int16_t Variant::ToI2() const {
  return As(VT_I2).n_.i2;
}
std::int32_t Variant::ToI4() const {
  return As(VT_I4).n_.i4;
}
double Variant::ToR8() const {
  return As(VT_R8).n_.r8;
}
bool Variant::ToBool() const {
  return As(VT_BOOL).n_.b != 0;
}
std::string Variant::ToText() const {
  return As(VT_BSTR).str_;
}
ComPtr<IDispatch> Variant::ToDispatch() const {
  const Variant d = As(VT_DISPATCH);
  return ComPtr<IDispatch>(static_cast<IDispatch*>(d.obj_.get()));
}

bool SameValue(const Variant& a0, const Variant& b0) {
  const Variant a = a0.Deref();
  const Variant b = b0.Deref();
  if (a.is_object() || b.is_object())
    return a.is_object() && b.is_object() && SameObject(a.object(), b.object());
  if (a.vt() == VT_BSTR || b.vt() == VT_BSTR)
    return a.vt() == VT_BSTR && b.vt() == VT_BSTR && a.str() == b.str();
  if (a.vt() == VT_EMPTY || b.vt() == VT_EMPTY) return a.vt() == b.vt();
  if (a.vt() == VT_ERROR || b.vt() == VT_ERROR) return a.vt() == b.vt() && a.scode() == b.scode();
  Numeric na, nb;
  if (Failed(ToNumeric(a, na)) || Failed(ToNumeric(b, nb))) return false;
  if (na.is_int && nb.is_int) return na.i == nb.i;
  return AsDouble(na) == AsDouble(nb);
}

bool SameObject(IUnknown* a, IUnknown* b) {
  if (!a || !b) return a == b;
  ComPtr<IUnknown> ia, ib;
  a->QueryInterface(IUnknown::kIid, ia.PutVoid());
  b->QueryInterface(IUnknown::kIid, ib.PutVoid());
  return ia.get() == ib.get();
}

}  // namespace com
