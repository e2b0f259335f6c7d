#include "tickerell_typelib.h"

#include "tickerell_ids.h"

namespace tickerell {

namespace {

using namespace com::typelib;

// The out parameter of a get: a pointer to the property's type (IPictureDisp* becomes
// IPictureDisp**).
TypeRef ByRef(const TypeRef& t) {
  if (t.vt & com::VT_BYREF) return TypeRef(t.vt, t.name + "*");
  return TypeRef(static_cast<com::VARTYPE>(t.vt | com::VT_BYREF), t.name);
}

// A property's get and put (or put by reference) as the two slots of a dual interface.
void AddProperty(TypeInfo& iface, com::DISPID id, const std::string& name, const TypeRef& type,
                 bool by_reference = false) {
  iface.funcs.push_back({id,
                         InvokeKind::PropertyGet,
                         name,
                         {VT_HRESULT},
                         {{"", ByRef(type), PARAMFLAG_OUT | PARAMFLAG_RETVAL}},
                         0});
  iface.funcs.push_back({id,
                         by_reference ? InvokeKind::PropertyPutRef : InvokeKind::PropertyPut,
                         name,
                         {VT_HRESULT},
                         {{by_reference ? "newPicture" : "vNewValue", type, PARAMFLAG_IN}},
                         0});
}

TypeInfo ControlInterface() {
  TypeInfo t{TypeKind::Interface, "_Tickerell", kIidTickerell};
  t.flags = TYPEFLAG_HIDDEN | TYPEFLAG_DUAL | TYPEFLAG_NONEXTENSIBLE | TYPEFLAG_OLEAUTOMATION |
            TYPEFLAG_DISPATCHABLE;
  t.base = "IDispatch";
  const TypeRef color{VT_USERDEFINED, "OLE_COLOR"};
  AddProperty(t, kDispTimerInterval, "TimerInterval", {com::VT_I4});
  AddProperty(t, kDispCaption, "Caption", {com::VT_BSTR});
  AddProperty(t, kDispBackColor, "BackColor", color);
  AddProperty(t, kDispForeColor, "ForeColor", color);
  AddProperty(t, kDispScroll, "Scroll", {com::VT_BOOL});
  AddProperty(t, kDispPicture, "Picture", {VT_USERDEFINED | com::VT_BYREF, "IPictureDisp"}, true);
  AddProperty(t, kDispBorderStyle, "BorderStyle", {VT_USERDEFINED, "ENUM_BorderStyle"});
  AddProperty(t, kDispSkipPixels, "SkipPixels", {com::VT_I2});
  AddProperty(t, kDispScrollStart, "ScrollStart", {com::VT_I4});
  AddProperty(t, kDispScrollEnd, "ScrollEnd", {com::VT_I4});
  AddProperty(t, kDispAlignment, "Alignment", {VT_USERDEFINED, "ENUM_Alignment"});
  AddProperty(t, kDispStartupWait, "StartupWait", {com::VT_R8});
  AddProperty(t, kDispStartupYpos, "StartupYpos", {com::VT_I4});
  AddProperty(t, kDispCurrentYpos, "CurrentYpos", {com::VT_I4});
  t.funcs.push_back(
      {kDispSetupMainBufferLines, InvokeKind::Func, "SetupMainBufferLines", {VT_HRESULT}, {}, 0});
  return t;
}

TypeInfo ControlClass() {
  TypeInfo t{TypeKind::CoClass, kClassName, kClsidTickerell};
  t.flags = TYPEFLAG_CONTROL;  // a control, not creatable by a plain New
  t.impls = {{"_Tickerell", kIidTickerell, IMPLTYPEFLAG_DEFAULT},
             {"__Tickerell", kIidTickerellEvents, IMPLTYPEFLAG_DEFAULT | IMPLTYPEFLAG_SOURCE}};
  return t;
}

// Event arguments go by reference: a handler's change reaches the raiser.
Param EventArg(const char* name, com::VARTYPE vt) {
  return {name, {static_cast<com::VARTYPE>(vt | com::VT_BYREF)}, PARAMFLAG_IN | PARAMFLAG_OUT};
}

TypeInfo EventInterface() {
  TypeInfo t{TypeKind::Dispatch, "__Tickerell", kIidTickerellEvents};
  t.flags = TYPEFLAG_HIDDEN | TYPEFLAG_NONEXTENSIBLE | TYPEFLAG_DISPATCHABLE;
  const std::vector<Param> mouse = {EventArg("Button", com::VT_I2), EventArg("Shift", com::VT_I2),
                                    EventArg("x", com::VT_R4), EventArg("y", com::VT_R4)};
  const std::vector<Param> key = {EventArg("KeyCode", com::VT_I2), EventArg("Shift", com::VT_I2)};
  auto event = [&t](com::DISPID id, const char* name, std::vector<Param> params) {
    t.funcs.push_back({id, InvokeKind::Func, name, {VT_VOID}, std::move(params), 0});
  };
  event(kEventClick, "click", {});
  event(kEventDblClick, "Dblclick", {});
  event(kEventMouseDown, "MouseDown", mouse);
  event(kEventMouseMove, "MouseMove", mouse);
  event(kEventMouseUp, "MouseUp", mouse);
  event(kEventKeyDown, "KeyDown", key);
  event(kEventKeyPress, "KeyPress", {EventArg("KeyAscii", com::VT_I2)});
  event(kEventKeyUp, "KeyUp", key);
  event(kEventPaint, "Paint", {});
  return t;
}

TypeInfo Enumeration(const char* name, const com::GUID& guid, const char* zero, const char* one) {
  TypeInfo t{TypeKind::Enum, name, guid};
  t.vars = {{zero, {com::VT_I4}, 0}, {one, {com::VT_I4}, 1}};
  return t;
}

TypeInfo Rect() {
  TypeInfo t{TypeKind::Record, "RECT", kGuidRect};
  t.size = 16;
  t.vars = {{"Left", {com::VT_I4}, 0},
            {"Top", {com::VT_I4}, 4},
            {"Right", {com::VT_I4}, 8},
            {"Bottom", {com::VT_I4}, 12}};
  return t;
}

}  // namespace

Library TickerellLibrary() {
  Library lib;
  lib.name = kLibraryName;
  lib.libid = kLibid;
  lib.major = 1;
  lib.minor = 0;
  lib.lcid = 0x409;
  lib.syskind = SysKind::Sys32;
  lib.flags = LIBFLAG_CONTROL;
  lib.help = kLibraryHelp;
  lib.help_context = 0;
  lib.imports = {{"stdole2.tlb", kLibidStdOle, 2, 0}};
  lib.types = {ControlInterface(),
               ControlClass(),
               EventInterface(),
               Enumeration("ENUM_BorderStyle", kGuidBorderStyle, "None", "FixedSingle"),
               Enumeration("ENUM_Alignment", kGuidAlignment, "LeftJustify", "Center"),
               Rect()};
  return lib;
}

}  // namespace tickerell
