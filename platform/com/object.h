// The implementation side of reference counting: derive a class from Object<I1, I2, ...>
// and it answers QueryInterface for each listed interface and the interfaces they extend,
// counts its references, deletes itself on the last Release and counts as a live object
// of its module while it exists.
//
//   class Counter : public com::Object<com::IDispatch> { ... };
//   com::ComPtr<Counter> c = com::Make<Counter>(args...);
#pragma once

#include <atomic>
#include <type_traits>

#include "com/module_lifetime.h"
#include "com/unknown.h"

namespace com {

namespace detail {
template <class I>
bool ExtendsOrIs(const IID& iid) {
  if (iid == I::kIid) return true;
  if constexpr (!std::is_same_v<I, IUnknown>) return ExtendsOrIs<typename I::Base>(iid);
  return false;
}
}  // namespace detail

template <class First, class... Rest>
class Object : public First, public Rest... {
 public:
  Object() { module::ObjectCreated(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() { module::ObjectDestroyed(); }

  HRESULT QueryInterface(const IID& iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IUnknown::kIid) {
      *out = static_cast<IUnknown*>(static_cast<First*>(this));
    } else {
      FindListed<First, Rest...>(iid, out);
    }
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    const std::uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // This object as its identity interface, without a new reference.
  IUnknown* identity() { return static_cast<IUnknown*>(static_cast<First*>(this)); }

 private:
  template <class I, class... More>
  void FindListed(const IID& iid, void** out) {
    if (detail::ExtendsOrIs<I>(iid)) {
      // The pointer to the most derived listed interface serves every interface it extends.
      *out = static_cast<I*>(this);
      return;
    }
    if constexpr (sizeof...(More) > 0) FindListed<More...>(iid, out);
  }

  std::atomic<std::uint32_t> refs_{0};
};

// Creates an object and hands back the first reference to it.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
  return ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace com
