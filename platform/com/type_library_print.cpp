// The text form of a library, close to the interface definition language host developers
// know: attributes in brackets, then the declaration.
#include <cstdio>
#include <sstream>

#include "com/type_library.h"

namespace com::typelib {

namespace {

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(v));
  return buf;
}

std::string Uuid(const GUID& g) {
  const std::string s = ToString(g);
  return s.substr(1, s.size() - 2);
}

std::string TypeName(const TypeRef& t) {
  std::string base;
  switch (t.vt & VT_TYPEMASK) {
    case VT_EMPTY:
      base = "EMPTY";
      break;
    case VT_I2:
      base = "short";
      break;
    case VT_I4:
      base = "long";
      break;
    case VT_UI1:
      base = "unsigned char";
      break;
    case VT_R4:
      base = "single";
      break;
    case VT_R8:
      base = "double";
      break;
    case VT_BSTR:
      base = "BSTR";
      break;
    case VT_DISPATCH:
      base = "IDispatch*";
      break;
    case VT_ERROR:
      base = "SCODE";
      break;
    case VT_BOOL:
      base = "VARIANT_BOOL";
      break;
    case VT_VARIANT:
      base = "VARIANT";
      break;
    case VT_UNKNOWN:
      base = "IUnknown*";
      break;
    case VT_VOID:
      base = "void";
      break;
    case VT_HRESULT:
      base = "HRESULT";
      break;
    case VT_USERDEFINED:
      base = t.name;
      break;
    default:
      base = "VT_" + std::to_string(t.vt & VT_TYPEMASK);
  }
  if (t.vt & VT_BYREF) base += "*";
  return base;
}

std::string TypeFlags(std::uint16_t f) {
  static const std::pair<std::uint16_t, const char*> kNames[] = {
      {TYPEFLAG_APPOBJECT, "appobject"},
      {TYPEFLAG_CANCREATE, "cancreate"},
      {TYPEFLAG_LICENSED, "licensed"},
      {TYPEFLAG_HIDDEN, "hidden"},
      {TYPEFLAG_CONTROL, "control"},
      {TYPEFLAG_DUAL, "dual"},
      {TYPEFLAG_NONEXTENSIBLE, "nonextensible"},
      {TYPEFLAG_OLEAUTOMATION, "oleautomation"},
      {TYPEFLAG_DISPATCHABLE, "dispatchable"}};
  std::string out;
  for (const auto& [bit, name] : kNames)
    if (f & bit) out += std::string(", ") + name;
  return out;
}

const char* KindWord(TypeKind k) {
  switch (k) {
    case TypeKind::Enum:
      return "enum";
    case TypeKind::Record:
      return "struct";
    case TypeKind::Module:
      return "module";
    case TypeKind::Interface:
      return "interface";
    case TypeKind::Dispatch:
      return "dispinterface";
    case TypeKind::CoClass:
      return "coclass";
    case TypeKind::Alias:
      return "typedef";
  }
  return "?";
}

const char* InvokeWord(InvokeKind k) {
  switch (k) {
    case InvokeKind::PropertyGet:
      return "propget, ";
    case InvokeKind::PropertyPut:
      return "propput, ";
    case InvokeKind::PropertyPutRef:
      return "propputref, ";
    case InvokeKind::Func:
      break;
  }
  return "";
}

void PrintFunc(std::ostringstream& o, const Func& f) {
  o << "    [" << InvokeWord(f.kind) << "id(" << Hex(static_cast<std::uint32_t>(f.id)) << ")] "
    << TypeName(f.result) << " " << f.name << "(";
  for (size_t i = 0; i < f.params.size(); ++i) {
    const Param& p = f.params[i];
    if (i) o << ", ";
    o << "[";
    std::string attrs;
    if (p.flags & PARAMFLAG_IN) attrs += "in, ";
    if (p.flags & PARAMFLAG_OUT) attrs += "out, ";
    if (p.flags & PARAMFLAG_RETVAL) attrs += "retval, ";
    if (p.flags & PARAMFLAG_OPTIONAL) attrs += "optional, ";
    if (!attrs.empty()) attrs.resize(attrs.size() - 2);
    o << attrs << "] " << TypeName(p.type) << " " << p.name;
  }
  o << ");\n";
}

void PrintType(std::ostringstream& o, const TypeInfo& t) {
  o << "  [uuid(" << Uuid(t.guid) << "), version(" << t.major << "." << t.minor << ")"
    << TypeFlags(t.flags);
  if (!t.help.empty()) o << ", helpstring(\"" << t.help << "\")";
  o << "]\n  " << KindWord(t.kind) << " " << t.name;
  if (!t.base.empty()) o << " : " << t.base;
  if (t.kind == TypeKind::Record) o << "  /* " << t.size << " bytes */";
  o << " {\n";
  switch (t.kind) {
    case TypeKind::Enum:
      for (const Var& v : t.vars) o << "    " << v.name << " = " << v.value_or_offset << ",\n";
      break;
    case TypeKind::Record:
      for (const Var& v : t.vars)
        o << "    " << TypeName(v.type) << " " << v.name << ";  /* offset " << v.value_or_offset
          << " */\n";
      break;
    case TypeKind::CoClass:
      for (const ImplType& i : t.impls) {
        std::string attrs;
        if (i.flags & IMPLTYPEFLAG_DEFAULT) attrs += "default, ";
        if (i.flags & IMPLTYPEFLAG_SOURCE) attrs += "source, ";
        if (!attrs.empty()) attrs = "[" + attrs.substr(0, attrs.size() - 2) + "] ";
        o << "    " << attrs << (t.kind == TypeKind::CoClass ? "interface " : "") << i.name
          << ";\n";
      }
      break;
    default:
      for (const Func& f : t.funcs) PrintFunc(o, f);
  }
  o << "  };\n\n";
}

}  // namespace

std::string Print(const Library& lib) {
  static const char* const kSys[] = {"sys16", "sys32", "other", "sys64"};
  std::ostringstream o;
  o << "[uuid(" << Uuid(lib.libid) << "), version(" << lib.major << "." << lib.minor << "), lcid("
    << Hex(lib.lcid) << "), syskind(" << kSys[static_cast<int>(lib.syskind)] << ")";
  if (lib.flags & LIBFLAG_CONTROL) o << ", control";
  if (lib.flags & LIBFLAG_HIDDEN) o << ", hidden";
  if (lib.flags & LIBFLAG_RESTRICTED) o << ", restricted";
  if (!lib.help.empty()) o << ", helpstring(\"" << lib.help << "\")";
  if (!lib.help_file.empty()) o << ", helpfile(\"" << lib.help_file << "\")";
  o << ", helpcontext(" << lib.help_context << ")]\nlibrary " << lib.name << " {\n";
  for (const ImportedLib& i : lib.imports)
    o << "  importlib(\"" << i.name << "\");  // " << ToString(i.libid) << " " << i.major << "."
      << i.minor << "\n";
  if (!lib.imports.empty()) o << "\n";
  for (const TypeInfo& t : lib.types) PrintType(o, t);
  o << "};\n";
  return o.str();
}

}  // namespace com::typelib
