// Reference-counted interfaces and the smart pointer that holds them.
//
// Both sides of every boundary are our own C++ built by the same compiler, so an interface
// is a plain abstract class. Each names its identifier as `kIid` and the interface it
// extends as `Base`, which is all QueryInterface needs. No exception ever crosses an
// interface call: failures come back as HRESULTs.
#pragma once

#include <cstdint>
#include <utility>

#include "com/guid.h"
#include "com/hresult.h"

namespace com {

struct IUnknown {
  static constexpr IID kIid{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

  // On success *out holds a new reference; on failure it is null.
  virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  ~IUnknown() = default;  // objects go away through Release only
};

// Holds one reference; the constructor from a raw pointer takes a new one.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}  // NOLINT: lets `return nullptr;` read naturally
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U>
  ComPtr(const ComPtr<U>& o) : ComPtr(static_cast<T*>(o.get())) {}  // NOLINT: upcast
  ~ComPtr() { Reset(); }

  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Receives an out-parameter reference; drops the one held first.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  // QueryInterface for U; null when the object does not have it.
  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(U::kIid, out.PutVoid());
    return out;
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }

 private:
  T* p_ = nullptr;
};

// Compares the identity of two objects (their IUnknown), as the platform defines it.
bool SameObject(IUnknown* a, IUnknown* b);

}  // namespace com
