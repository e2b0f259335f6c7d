#include "com/dispatch_table.h"

#include "com/hresult_errors.h"
#include "runtime/errors.h"
#include "runtime/key_store.h"

namespace com {

void DispatchTable::Add(Member m) {
  folded_names_.push_back(tk::FoldCase(m.name));
  members_.push_back(std::move(m));
}

const DispatchTable::Member* DispatchTable::Find(DISPID id) const {
  for (const Member& m : members_)
    if (m.id == id) return &m;
  return nullptr;
}

bool DispatchTable::Answers(const IID& iid) const {
  for (const IID& i : iids_)
    if (i == iid) return true;
  return false;
}

HRESULT DispatchTable::GetIDsOfNames(std::span<const std::string_view> names, DISPID* ids) const {
  if (!ids) return E_POINTER;
  if (names.empty()) return E_INVALIDARG;
  for (size_t i = 0; i < names.size(); ++i) ids[i] = DISPID_UNKNOWN;
  const std::string folded = tk::FoldCase(names[0]);
  for (size_t i = 0; i < members_.size(); ++i) {
    if (folded_names_[i] == folded) {
      ids[0] = members_[i].id;
      return names.size() == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

namespace {

// One call of a member, its arguments and result converted; what the member throws rises.
HRESULT CallMember(const DispatchTable::Member* m, void* self, DispatchFlags flags,
                   std::span<Variant> args, Variant* result, unsigned* arg_err) {
  auto failed_at = [arg_err](unsigned index, HRESULT hr) {
    if (arg_err) *arg_err = index;
    return hr;
  };
  if ((flags & DISPATCH_METHOD) && m->call) {
    if (args.size() != m->params.size()) return DISP_E_BADPARAMCOUNT;
    std::vector<Variant> converted(args.begin(), args.end());
    for (size_t i = 0; i < converted.size(); ++i) {
      if (m->params[i] == VT_VARIANT) continue;
      if (args[i].is_missing()) return failed_at(static_cast<unsigned>(i), DISP_E_PARAMNOTOPTIONAL);
      if (const HRESULT hr = ChangeType(args[i], m->params[i], converted[i]); Failed(hr))
        return failed_at(static_cast<unsigned>(i), hr);
    }
    Variant r = m->call(self, converted);
    if (result) *result = std::move(r);
    return S_OK;
  }
  if ((flags & DISPATCH_PROPERTYGET) && m->get) {
    if (!args.empty()) return DISP_E_BADPARAMCOUNT;
    Variant r = m->get(self);
    if (result) {
      if (m->type != VT_VARIANT && r.vt() != m->type) {
        Variant c;
        if (const HRESULT hr = ChangeType(r, m->type, c); Failed(hr)) return hr;
        r = std::move(c);
      }
      *result = std::move(r);
    }
    return S_OK;
  }
  if ((flags & DISPATCH_PROPERTYPUT) && m->put) {
    if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
    Variant value;
    if (const HRESULT hr = ChangeType(args[0], m->type, value); Failed(hr)) return failed_at(0, hr);
    m->put(self, value);
    return S_OK;
  }
  if ((flags & DISPATCH_PROPERTYPUTREF) && m->putref) {
    if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
    Variant value = args[0].Deref();
    if (!value.is_object()) return failed_at(0, DISP_E_TYPEMISMATCH);
    m->putref(self, value);
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace

HRESULT DispatchTable::Invoke(void* self, DISPID id, DispatchFlags flags, std::span<Variant> args,
                              Variant* result, ExcepInfo* excep, unsigned* arg_err) const {
  const Member* m = Find(id);
  if (!m) return DISP_E_MEMBERNOTFOUND;
  // Whatever a member throws must not unwind into a caller in another module.
  return GuardedCall([&] { return CallMember(m, self, flags, args, result, arg_err); }, source_,
                     excep);
}

}  // namespace com
