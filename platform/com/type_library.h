// Type information in a format of our own: a description of a library of types (interfaces,
// classes, events, enumerations, records) that a module carries as resource TYPELIB 1, and
// that a host developer can print to see what a control offers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "com/dispatch.h"
#include "com/guid.h"

namespace com::typelib {

enum class TypeKind : std::uint8_t { Enum, Record, Module, Interface, Dispatch, CoClass, Alias };

// Type flags.
inline constexpr std::uint16_t TYPEFLAG_APPOBJECT = 0x1;
inline constexpr std::uint16_t TYPEFLAG_CANCREATE = 0x2;
inline constexpr std::uint16_t TYPEFLAG_LICENSED = 0x4;
inline constexpr std::uint16_t TYPEFLAG_HIDDEN = 0x10;
inline constexpr std::uint16_t TYPEFLAG_CONTROL = 0x20;
inline constexpr std::uint16_t TYPEFLAG_DUAL = 0x40;
inline constexpr std::uint16_t TYPEFLAG_NONEXTENSIBLE = 0x80;
inline constexpr std::uint16_t TYPEFLAG_OLEAUTOMATION = 0x100;
inline constexpr std::uint16_t TYPEFLAG_DISPATCHABLE = 0x1000;

// Library flags.
inline constexpr std::uint16_t LIBFLAG_RESTRICTED = 0x1;
inline constexpr std::uint16_t LIBFLAG_CONTROL = 0x2;
inline constexpr std::uint16_t LIBFLAG_HIDDEN = 0x4;

// Flags of an implemented interface of a class.
inline constexpr std::uint16_t IMPLTYPEFLAG_DEFAULT = 0x1;
inline constexpr std::uint16_t IMPLTYPEFLAG_SOURCE = 0x2;

// Parameter flags.
inline constexpr std::uint16_t PARAMFLAG_IN = 0x1;
inline constexpr std::uint16_t PARAMFLAG_OUT = 0x2;
inline constexpr std::uint16_t PARAMFLAG_RETVAL = 0x8;
inline constexpr std::uint16_t PARAMFLAG_OPTIONAL = 0x10;

// The word size of the system a library was built for; the third value is kept for other systems.
enum class SysKind : std::uint8_t { Sys16, Sys32, Other, Sys64 };

// VT_VOID and VT_HRESULT appear only in type information.
inline constexpr VARTYPE VT_VOID = 24;
inline constexpr VARTYPE VT_HRESULT = 25;
inline constexpr VARTYPE VT_USERDEFINED = 29;

// A type as a member or parameter sees it: an automation type, optionally by reference,
// or a type named by `name` (VT_USERDEFINED: an enumeration, record, OLE_COLOR, an
// interface such as IPictureDisp).
struct TypeRef {
  TypeRef(VARTYPE type = VT_EMPTY, std::string type_name = {})  // NOLINT: {VT_I4} reads well
      : vt(type), name(std::move(type_name)) {}
  VARTYPE vt;
  std::string name;
  bool operator==(const TypeRef&) const = default;
};

enum class InvokeKind : std::uint8_t {
  Func = 1,
  PropertyGet = 2,
  PropertyPut = 4,
  PropertyPutRef = 8
};

struct Param {
  std::string name;
  TypeRef type;
  std::uint16_t flags = PARAMFLAG_IN;
  bool operator==(const Param&) const = default;
};

struct Func {
  DISPID id = 0;
  InvokeKind kind = InvokeKind::Func;
  std::string name;
  TypeRef result;  // VT_VOID for none
  std::vector<Param> params;
  std::uint16_t flags = 0;
  bool operator==(const Func&) const = default;
};

// An enumeration's constant (value) or a record's field (offset).
struct Var {
  std::string name;
  TypeRef type;
  std::int32_t value_or_offset = 0;
  bool operator==(const Var&) const = default;
};

struct ImplType {
  std::string name;
  GUID iid;
  std::uint16_t flags = 0;
  bool operator==(const ImplType&) const = default;
};

struct TypeInfo {
  TypeInfo() = default;
  TypeInfo(TypeKind k, std::string type_name, const GUID& id)
      : kind(k), name(std::move(type_name)), guid(id) {}

  TypeKind kind = TypeKind::Interface;
  std::string name;
  GUID guid;
  std::uint16_t major = 1, minor = 0;
  std::uint16_t flags = 0;
  std::string help;
  std::string base;             // the interface extended, "IDispatch" for a dual one
  std::uint32_t size = 0;       // a record's size in bytes
  std::vector<Func> funcs;      // interfaces and dispatch interfaces
  std::vector<Var> vars;        // enumerations and records
  std::vector<ImplType> impls;  // a class's interfaces
  bool operator==(const TypeInfo&) const = default;
};

struct ImportedLib {
  std::string name;
  GUID libid;
  std::uint16_t major = 0, minor = 0;
  bool operator==(const ImportedLib&) const = default;
};

struct Library {
  std::string name;
  GUID libid;
  std::uint16_t major = 1, minor = 0;
  std::uint32_t lcid = 0;
  SysKind syskind = SysKind::Sys32;
  std::uint16_t flags = 0;
  std::string help;
  std::string help_file;
  std::uint32_t help_context = 0;
  std::vector<ImportedLib> imports;
  std::vector<TypeInfo> types;

  const TypeInfo* Find(std::string_view type_name) const;
  bool operator==(const Library&) const = default;
};

// The bytes of resource TYPELIB 1.
std::vector<std::uint8_t> Serialize(const Library& lib);
// Reads what Serialize wrote; nothing for bytes that are not a whole, well-formed library.
std::optional<Library> Deserialize(std::span<const std::uint8_t> bytes);

// The library as readable text, one declaration after another, for host developers.
std::string Print(const Library& lib);

}  // namespace com::typelib
