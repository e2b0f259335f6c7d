// Late-bound calls as the language makes them: by dispatch identifier or by name, with a
// failure raised on the caller's side as the matching tk::RuntimeError (an error raised
// inside the object arrives with its own number and description). A null object raises
// 91; an unknown name or member 438.
#pragma once

#include <span>
#include <string_view>

#include "com/dispatch.h"

namespace com {

Variant PropertyGet(IDispatch* object, DISPID id);
void PropertyPut(IDispatch* object, DISPID id, const Variant& value);
void PropertyPutRef(IDispatch* object, DISPID id, const Variant& value);
// Calls a method (or reads a property) with the arguments in parameter order.
Variant Method(IDispatch* object, DISPID id, std::span<Variant> args = {});

// The identifier of a member, by name without regard to case.
DISPID IdOfName(IDispatch* object, std::string_view name);

Variant PropertyGet(IDispatch* object, std::string_view name);
void PropertyPut(IDispatch* object, std::string_view name, const Variant& value);
void PropertyPutRef(IDispatch* object, std::string_view name, const Variant& value);
Variant Method(IDispatch* object, std::string_view name, std::span<Variant> args = {});

}  // namespace com
