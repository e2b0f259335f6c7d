#include "com/type_library.h"

#include <gtest/gtest.h>

namespace {

using namespace com::typelib;

Library SampleLibrary() {
  Library lib;
  lib.name = "prjSample";
  lib.libid = *com::ParseGuid("{63FE7691-F924-11D9-85AE-913B44F66914}");
  lib.lcid = 0x409;
  lib.flags = LIBFLAG_CONTROL;
  lib.help = "Sample controls";
  lib.imports.push_back(
      {"stdole2.tlb", *com::ParseGuid("{00020430-0000-0000-C000-000000000046}"), 2, 0});
  TypeInfo iface{TypeKind::Interface, "_Sample",
                 *com::ParseGuid("{63FE7692-F924-11D9-85AE-913B44F66914}")};
  iface.flags = TYPEFLAG_HIDDEN | TYPEFLAG_DUAL | TYPEFLAG_NONEXTENSIBLE | TYPEFLAG_OLEAUTOMATION |
                TYPEFLAG_DISPATCHABLE;
  iface.base = "IDispatch";
  iface.funcs.push_back({0x68030009,
                         InvokeKind::PropertyGet,
                         "Scroll",
                         {VT_HRESULT},
                         {{"", {com::VT_BOOL | com::VT_BYREF}, PARAMFLAG_OUT | PARAMFLAG_RETVAL}},
                         0});
  iface.funcs.push_back(
      {0x68030008,
       InvokeKind::PropertyPutRef,
       "Picture",
       {VT_HRESULT},
       {{"newPicture", {VT_USERDEFINED | com::VT_BYREF, "IPictureDisp"}, PARAMFLAG_IN}},
       0});
  TypeInfo events{TypeKind::Dispatch, "__Sample",
                  *com::ParseGuid("{63FE7697-F924-11D9-85AE-913B44F66914}")};
  events.funcs.push_back({3,
                          InvokeKind::Func,
                          "MouseDown",
                          {VT_VOID},
                          {{"Button", {com::VT_I2 | com::VT_BYREF}, PARAMFLAG_IN},
                           {"x", {com::VT_R4 | com::VT_BYREF}, PARAMFLAG_IN}},
                          0});
  TypeInfo align{TypeKind::Enum, "ENUM_Alignment",
                 *com::ParseGuid("{63FE7695-F924-11D9-85AE-913B44F66914}")};
  align.vars = {{"LeftJustify", {com::VT_I4}, 0}, {"Center", {com::VT_I4}, 1}};
  TypeInfo rect{TypeKind::Record, "RECT",
                *com::ParseGuid("{63FE7696-F924-11D9-85AE-913B44F66914}")};
  rect.size = 16;
  rect.vars = {{"Left", {com::VT_I4}, 0}, {"Top", {com::VT_I4}, 4}};
  TypeInfo cls{TypeKind::CoClass, "Sample",
               *com::ParseGuid("{63FE7693-F924-11D9-85AE-913B44F66914}")};
  cls.flags = TYPEFLAG_CONTROL;
  cls.impls = {{"_Sample", iface.guid, IMPLTYPEFLAG_DEFAULT},
               {"__Sample", events.guid, IMPLTYPEFLAG_DEFAULT | IMPLTYPEFLAG_SOURCE}};
  lib.types = {iface, cls, events, align, rect};
  return lib;
}

TEST(TypeLibraryTest, BytesReadBackToTheSameLibrary) {
  const Library lib = SampleLibrary();
  const auto bytes = Serialize(lib);
  const auto back = Deserialize(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, lib);
}

TEST(TypeLibraryTest, DamagedBytesAreRefusedNotRead) {
  const auto bytes = Serialize(SampleLibrary());
  // Every truncation, and a count far beyond the data, must fail cleanly.
  for (size_t n = 0; n < bytes.size(); ++n)
    EXPECT_FALSE(Deserialize(std::span(bytes).first(n))) << n;
  auto huge = bytes;
  huge[6 + 4 + 9 + 16 + 2 + 2 + 4 + 1 + 2 + 4 + 15 + 4 + 4 + 3] = 0xFF;  // the imports' count
  EXPECT_FALSE(Deserialize(huge));
  auto extra = bytes;
  extra.push_back(0);
  EXPECT_FALSE(Deserialize(extra));
}

TEST(TypeLibraryTest, PrintsDeclarationsAHostDeveloperCanRead) {
  const std::string text = Print(SampleLibrary());
  for (const char* expected : {
           "[uuid(63FE7691-F924-11D9-85AE-913B44F66914), version(1.0), lcid(0x409), "
           "syskind(sys32), control, helpstring(\"Sample controls\"), helpcontext(0)]",
           "library prjSample {",
           "importlib(\"stdole2.tlb\");",
           "hidden, dual, nonextensible, oleautomation, dispatchable]",
           "interface _Sample : IDispatch {",
           "[propget, id(0x68030009)] HRESULT Scroll([out, retval] VARIANT_BOOL* );",
           "[propputref, id(0x68030008)] HRESULT Picture([in] IPictureDisp* newPicture);",
           "[id(0x3)] void MouseDown([in] short* Button, [in] single* x);",
           "Center = 1,",
           "struct RECT  /* 16 bytes */ {",
           "long Top;  /* offset 4 */",
           "[default, source] interface __Sample;",
       })
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

}  // namespace
