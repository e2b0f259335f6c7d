#include "com/property_bag.h"

#include "com/hresult_errors.h"
#include "runtime/key_store.h"

namespace com {

Variant IPropertyBag::Read(std::string_view key, const Variant& default_value) {
  Variant out;
  Check(ReadValue(key, default_value, &out));
  return out;
}

void IPropertyBag::Write(std::string_view key, const Variant& value, const Variant& default_value) {
  Check(WriteValue(key, value, default_value));
}

const Variant* MemoryPropertyBag::Find(std::string_view key) const {
  const std::string folded = tk::FoldCase(key);
  for (const auto& [k, v] : entries_)
    if (tk::FoldCase(k) == folded) return &v;
  return nullptr;
}

void MemoryPropertyBag::Set(std::string_view key, const Variant& value) {
  if (auto* stored = const_cast<Variant*>(Find(key))) {
    *stored = value.Deref();
    return;
  }
  entries_.emplace_back(std::string(key), value.Deref());
}

bool MemoryPropertyBag::Remove(std::string_view key) {
  const std::string folded = tk::FoldCase(key);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (tk::FoldCase(it->first) == folded) {
      entries_.erase(it);
      return true;
    }
  }
  return false;
}

HRESULT MemoryPropertyBag::ReadValue(std::string_view key, const Variant& default_value,
                                     Variant* out) {
  if (!out) return E_POINTER;
  const Variant* stored = Find(key);
  if (stored) {
    *out = *stored;
  } else if (default_value.is_missing()) {
    *out = Variant();
  } else {
    *out = default_value.Deref();
  }
  return S_OK;
}

HRESULT MemoryPropertyBag::WriteValue(std::string_view key, const Variant& value,
                                      const Variant& default_value) {
  if (key.empty()) return E_INVALIDARG;
  const bool has_default = !default_value.is_empty() && !default_value.is_missing();
  if (omit_defaults_ && has_default && SameValue(value, default_value)) {
    Remove(key);  // an older value must not come back in place of the default
    return S_OK;
  }
  Set(key, value);
  return S_OK;
}

}  // namespace com
