#include "com/late_bound.h"

#include "com/hresult_errors.h"

namespace com {

namespace {

Variant Call(IDispatch* object, DISPID id, DispatchFlags flags, std::span<Variant> args) {
  if (!object) RaiseForHResult(E_POINTER);
  Variant result;
  ExcepInfo excep;
  const HRESULT hr = object->Invoke(id, flags, args, &result, &excep, nullptr);
  if (Failed(hr)) RaiseForHResult(hr, &excep);
  return result;
}

}  // namespace

Variant PropertyGet(IDispatch* object, DISPID id) {
  return Call(object, id, DISPATCH_PROPERTYGET, {});
}

void PropertyPut(IDispatch* object, DISPID id, const Variant& value) {
  Variant arg = value;
  Call(object, id, DISPATCH_PROPERTYPUT, {&arg, 1});
}

void PropertyPutRef(IDispatch* object, DISPID id, const Variant& value) {
  Variant arg = value;
  Call(object, id, DISPATCH_PROPERTYPUTREF, {&arg, 1});
}

Variant Method(IDispatch* object, DISPID id, std::span<Variant> args) {
  return Call(object, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

DISPID IdOfName(IDispatch* object, std::string_view name) {
  if (!object) RaiseForHResult(E_POINTER);
  DISPID id = DISPID_UNKNOWN;
  const std::string_view names[] = {name};
  if (const HRESULT hr = object->GetIDsOfNames(names, &id); Failed(hr)) RaiseForHResult(hr);
  return id;
}

Variant PropertyGet(IDispatch* object, std::string_view name) {
  return PropertyGet(object, IdOfName(object, name));
}
void PropertyPut(IDispatch* object, std::string_view name, const Variant& value) {
  PropertyPut(object, IdOfName(object, name), value);
}
void PropertyPutRef(IDispatch* object, std::string_view name, const Variant& value) {
  PropertyPutRef(object, IdOfName(object, name), value);
}
Variant Method(IDispatch* object, std::string_view name, std::span<Variant> args) {
  return Method(object, IdOfName(object, name), args);
}

}  // namespace com
