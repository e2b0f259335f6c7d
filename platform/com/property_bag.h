// Property bags: where a host keeps a control's persisted properties, key by key.
// Keys match without regard to case. Reading a key that is not there gives the default.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/object.h"
#include "com/variant.h"

namespace com {

struct IPropertyBag : IUnknown {
  using Base = IUnknown;
  static constexpr IID kIid{
      0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

  // `default_value` may be left out (Variant() or Variant::Missing()); a key that is not
  // stored then reads as VT_EMPTY.
  virtual HRESULT ReadValue(std::string_view key, const Variant& default_value, Variant* out) = 0;
  virtual HRESULT WriteValue(std::string_view key, const Variant& value,
                             const Variant& default_value) = 0;

  // The language's calls: raise tk::RuntimeError on failure.
  Variant Read(std::string_view key, const Variant& default_value = {});
  void Write(std::string_view key, const Variant& value, const Variant& default_value = {});
};

// A bag in memory, in the order keys were first stored. A by-reference value is stored as
// the value it points at; objects are stored by reference (reading gives the same object).
// With omit_defaults, a value equal to its default (SameValue) is not kept, and writing one
// removes what the key held before, so the key reads back as the default.
class MemoryPropertyBag : public Object<IPropertyBag> {
 public:
  explicit MemoryPropertyBag(bool omit_defaults = false) : omit_defaults_(omit_defaults) {}

  HRESULT ReadValue(std::string_view key, const Variant& default_value, Variant* out) override;
  HRESULT WriteValue(std::string_view key, const Variant& value,
                     const Variant& default_value) override;

  // Seeding and inspection, outside the interface.
  void Set(std::string_view key, const Variant& value);
  const Variant* Find(std::string_view key) const;
  bool Remove(std::string_view key);
  const std::vector<std::pair<std::string, Variant>>& entries() const { return entries_; }

 private:
  bool omit_defaults_;
  std::vector<std::pair<std::string, Variant>> entries_;
};

}  // namespace com
