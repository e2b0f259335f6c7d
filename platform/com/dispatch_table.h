// IDispatch from a table of members. A class lists its properties and methods once (name,
// dispatch identifier, declared type, functions that do the work) and derives from
// DispatchObject to get GetIDsOfNames and Invoke:
// - names match without regard to case;
// - a put converts its value to the property's declared type first (a value that does not
//   convert fails the call with DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW and the member
//   never runs); a put by reference takes objects only;
// - a method's arguments are converted to its parameter types; VT_VARIANT parameters are
//   handed over as given, by reference included;
// - a tk::RuntimeError raised by a member comes back as DISP_E_EXCEPTION with its number
//   and description; no exception leaves Invoke.
//
//   class Counter : public com::DispatchObject<Counter> {
//    public:
//     static const com::DispatchTable& Members() {
//       static const auto table = com::Members<Counter>("Counter")
//           .Property("Value", 1, com::VT_I4, [](Counter& c) { return com::Variant(c.value); },
//                     [](Counter& c, const com::Variant& v) { c.value = v.i4(); })
//           .Build();
//       return table;
//     }
//     std::int32_t value = 0;
//   };
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "com/dispatch.h"
#include "com/object.h"

namespace com {

class DispatchTable {
 public:
  using Getter = std::function<Variant(void* self)>;
  using Setter = std::function<void(void* self, const Variant& value)>;
  using Caller = std::function<Variant(void* self, std::span<Variant> args)>;

  struct Member {
    std::string name;
    DISPID id = DISPID_UNKNOWN;
    VARTYPE type = VT_VARIANT;    // the property's type, or the method's result type
    std::vector<VARTYPE> params;  // a method's parameter types
    Getter get;
    Setter put;
    Setter putref;
    Caller call;
  };

  // `source` names the object in the exception record of a failed member.
  explicit DispatchTable(std::string source) : source_(std::move(source)) {}

  void Add(Member m);
  // Further interface identifiers (a dual interface's own) that the object answers as
  // IDispatch.
  void AddInterfaceId(const IID& iid) { iids_.push_back(iid); }

  const Member* Find(DISPID id) const;
  const std::vector<Member>& members() const { return members_; }
  bool Answers(const IID& iid) const;

  HRESULT GetIDsOfNames(std::span<const std::string_view> names, DISPID* ids) const;
  HRESULT Invoke(void* self, DISPID id, DispatchFlags flags, std::span<Variant> args,
                 Variant* result, ExcepInfo* excep, unsigned* arg_err) const;

 private:
  std::string source_;
  std::vector<Member> members_;
  std::vector<std::string> folded_names_;
  std::vector<IID> iids_;
};

// Builds a DispatchTable with functions typed on the object's class.
template <class T>
class Members {
 public:
  using Get = std::function<Variant(T&)>;
  using Put = std::function<void(T&, const Variant&)>;
  using Call = std::function<Variant(T&, std::span<Variant>)>;

  explicit Members(std::string source) : table_(std::move(source)) {}

  // A property; `put` receives the value already converted to `type`. No put: read-only.
  Members& Property(std::string name, DISPID id, VARTYPE type, Get get, Put put = {}) {
    DispatchTable::Member m{std::move(name),      id, type, {}, Wrap(std::move(get)),
                            Wrap(std::move(put)), {}, {}};
    table_.Add(std::move(m));
    return *this;
  }
  // An object property set by reference only; `putref` receives VT_DISPATCH or VT_UNKNOWN.
  Members& PropertyRef(std::string name, DISPID id, Get get, Put putref) {
    DispatchTable::Member m{std::move(name),         id, VT_DISPATCH, {}, Wrap(std::move(get)), {},
                            Wrap(std::move(putref)), {}};
    table_.Add(std::move(m));
    return *this;
  }
  Members& Method(std::string name, DISPID id, std::vector<VARTYPE> params, Call call,
                  VARTYPE result = VT_EMPTY) {
    DispatchTable::Member m{std::move(name), id, result, std::move(params), {}, {}, {}, {}};
    if (call)
      m.call = [call = std::move(call)](void* self, std::span<Variant> args) {
        return call(*static_cast<T*>(self), args);
      };
    table_.Add(std::move(m));
    return *this;
  }
  Members& InterfaceId(const IID& iid) {
    table_.AddInterfaceId(iid);
    return *this;
  }
  DispatchTable Build() { return std::move(table_); }

 private:
  static DispatchTable::Getter Wrap(Get get) {
    if (!get) return {};
    return [get = std::move(get)](void* self) { return get(*static_cast<T*>(self)); };
  }
  static DispatchTable::Setter Wrap(Put put) {
    if (!put) return {};
    return [put = std::move(put)](void* self, const Variant& v) { put(*static_cast<T*>(self), v); };
  }

  DispatchTable table_;
};

// The IDispatch of a class T that provides `static const DispatchTable& Members()`.
// `Primary` is IDispatch or an interface that extends it; `Extra` are further interfaces
// that T implements itself.
template <class T, class Primary = IDispatch, class... Extra>
class DispatchObject : public Object<Primary, Extra...> {
 public:
  HRESULT QueryInterface(const IID& iid, void** out) override {
    if (out && T::Members().Answers(iid)) {
      *out = static_cast<IDispatch*>(static_cast<Primary*>(this));
      this->AddRef();
      return S_OK;
    }
    return Object<Primary, Extra...>::QueryInterface(iid, out);
  }
  HRESULT GetIDsOfNames(std::span<const std::string_view> names, DISPID* ids) override {
    return T::Members().GetIDsOfNames(names, ids);
  }
  HRESULT Invoke(DISPID id, DispatchFlags flags, std::span<Variant> args, Variant* result,
                 ExcepInfo* excep, unsigned* arg_err) override {
    return T::Members().Invoke(static_cast<T*>(this), id, flags, args, result, excep, arg_err);
  }
};

}  // namespace com
