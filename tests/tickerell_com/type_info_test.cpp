// The type information the module carries, as a host developer prints it and as a host
// reads it.
#include <gtest/gtest.h>

#include "com/module_resources.h"
#include "com/type_library.h"
#include "tickctl_test_support.h"

namespace tickctl_test {
namespace {

using namespace com::typelib;

Library ModuleLibrary() {
  const auto bytes = com::ReadModuleResource(kModule, "TYPELIB", 1);
  EXPECT_TRUE(bytes);
  const auto lib = bytes ? Deserialize(*bytes) : std::nullopt;
  EXPECT_TRUE(lib);
  return lib.value_or(Library{});
}

// The whole declaration, written out from the control's published tables.
constexpr char kExpected[] =
    R"([uuid(63FE7691-F924-11D9-85A6-913B44F66914), version(1.0), lcid(0x409), syskind(sys32), control, helpstring("Scrolling caption control: formatted lines that rise over a picture on a timer"), helpcontext(0)]
library prjTickerell {
  importlib("stdole2.tlb");  // {00020430-0000-0000-C000-000000000046} 2.0

  [uuid(63FE7692-F924-11D9-85A6-913B44F66914), version(1.0), hidden, dual, nonextensible, oleautomation, dispatchable]
  interface _Tickerell : IDispatch {
    [propget, id(0x6803000D)] HRESULT TimerInterval([out, retval] long* );
    [propput, id(0x6803000D)] HRESULT TimerInterval([in] long vNewValue);
    [propget, id(0x6803000C)] HRESULT Caption([out, retval] BSTR* );
    [propput, id(0x6803000C)] HRESULT Caption([in] BSTR vNewValue);
    [propget, id(0x6803000B)] HRESULT BackColor([out, retval] OLE_COLOR* );
    [propput, id(0x6803000B)] HRESULT BackColor([in] OLE_COLOR vNewValue);
    [propget, id(0x6803000A)] HRESULT ForeColor([out, retval] OLE_COLOR* );
    [propput, id(0x6803000A)] HRESULT ForeColor([in] OLE_COLOR vNewValue);
    [propget, id(0x68030009)] HRESULT Scroll([out, retval] VARIANT_BOOL* );
    [propput, id(0x68030009)] HRESULT Scroll([in] VARIANT_BOOL vNewValue);
    [propget, id(0x68030008)] HRESULT Picture([out, retval] IPictureDisp** );
    [propputref, id(0x68030008)] HRESULT Picture([in] IPictureDisp* newPicture);
    [propget, id(0x68030007)] HRESULT BorderStyle([out, retval] ENUM_BorderStyle* );
    [propput, id(0x68030007)] HRESULT BorderStyle([in] ENUM_BorderStyle vNewValue);
    [propget, id(0x68030006)] HRESULT SkipPixels([out, retval] short* );
    [propput, id(0x68030006)] HRESULT SkipPixels([in] short vNewValue);
    [propget, id(0x68030005)] HRESULT ScrollStart([out, retval] long* );
    [propput, id(0x68030005)] HRESULT ScrollStart([in] long vNewValue);
    [propget, id(0x68030004)] HRESULT ScrollEnd([out, retval] long* );
    [propput, id(0x68030004)] HRESULT ScrollEnd([in] long vNewValue);
    [propget, id(0x68030003)] HRESULT Alignment([out, retval] ENUM_Alignment* );
    [propput, id(0x68030003)] HRESULT Alignment([in] ENUM_Alignment vNewValue);
    [propget, id(0x68030002)] HRESULT StartupWait([out, retval] double* );
    [propput, id(0x68030002)] HRESULT StartupWait([in] double vNewValue);
    [propget, id(0x68030001)] HRESULT StartupYpos([out, retval] long* );
    [propput, id(0x68030001)] HRESULT StartupYpos([in] long vNewValue);
    [propget, id(0x68030000)] HRESULT CurrentYpos([out, retval] long* );
    [propput, id(0x68030000)] HRESULT CurrentYpos([in] long vNewValue);
    [id(0x6003001D)] HRESULT SetupMainBufferLines();
  };

  [uuid(63FE7693-F924-11D9-85A6-913B44F66914), version(1.0), control]
  coclass Tickerell {
    [default] interface _Tickerell;
    [default, source] interface __Tickerell;
  };

  [uuid(63FE7697-F924-11D9-85A6-913B44F66914), version(1.0), hidden, nonextensible, dispatchable]
  dispinterface __Tickerell {
    [id(0x1)] void click();
    [id(0x2)] void Dblclick();
    [id(0x3)] void MouseDown([in, out] short* Button, [in, out] short* Shift, [in, out] single* x, [in, out] single* y);
    [id(0x4)] void MouseMove([in, out] short* Button, [in, out] short* Shift, [in, out] single* x, [in, out] single* y);
    [id(0x5)] void MouseUp([in, out] short* Button, [in, out] short* Shift, [in, out] single* x, [in, out] single* y);
    [id(0x6)] void KeyDown([in, out] short* KeyCode, [in, out] short* Shift);
    [id(0x7)] void KeyPress([in, out] short* KeyAscii);
    [id(0x8)] void KeyUp([in, out] short* KeyCode, [in, out] short* Shift);
    [id(0x9)] void Paint();
  };

  [uuid(63FE7694-F924-11D9-85A6-913B44F66914), version(1.0)]
  enum ENUM_BorderStyle {
    None = 0,
    FixedSingle = 1,
  };

  [uuid(63FE7695-F924-11D9-85A6-913B44F66914), version(1.0)]
  enum ENUM_Alignment {
    LeftJustify = 0,
    Center = 1,
  };

  [uuid(63FE7696-F924-11D9-85A6-913B44F66914), version(1.0)]
  struct RECT  /* 16 bytes */ {
    long Left;  /* offset 0 */
    long Top;  /* offset 4 */
    long Right;  /* offset 8 */
    long Bottom;  /* offset 12 */
  };

};
)";

TEST(TypeInfoTest, PrintsAsTheControlPublishesIt) {
  EXPECT_EQ(Print(ModuleLibrary()), kExpected);
}

TEST(TypeInfoTest, SixTypesInOrderWithTheirKindsAndNoHelp) {
  const Library lib = ModuleLibrary();
  EXPECT_EQ(lib.help.find('\n'), std::string::npos);  // one line
  EXPECT_TRUE(lib.help_file.empty());
  const std::pair<const char*, TypeKind> expected[] = {
      {"_Tickerell", TypeKind::Interface}, {"Tickerell", TypeKind::CoClass},
      {"__Tickerell", TypeKind::Dispatch}, {"ENUM_BorderStyle", TypeKind::Enum},
      {"ENUM_Alignment", TypeKind::Enum},  {"RECT", TypeKind::Record}};
  ASSERT_EQ(lib.types.size(), std::size(expected));
  for (std::size_t i = 0; i < lib.types.size(); ++i) {
    EXPECT_EQ(lib.types[i].name, expected[i].first);
    EXPECT_EQ(lib.types[i].kind, expected[i].second) << expected[i].first;
    EXPECT_EQ(lib.types[i].major, 1);
    EXPECT_EQ(lib.types[i].minor, 0);
    EXPECT_TRUE(lib.types[i].help.empty());
  }
  // The class is a control and nothing else: not creatable by New.
  EXPECT_EQ(lib.types[1].flags, TYPEFLAG_CONTROL);
  // Every member of the dual interface reports through an HRESULT.
  for (const Func& f : lib.types[0].funcs) EXPECT_EQ(f.result.vt, VT_HRESULT) << f.name;
}

TEST(TypeInfoTest, TheHostLearnsTheEventNamesFromIt) {
  // What tk::ActiveXControl reads: the class's source interface and its events.
  const Library lib = ModuleLibrary();
  const TypeInfo* cls = lib.Find("Tickerell");
  ASSERT_TRUE(cls);
  ASSERT_EQ(cls->guid, kClsid);
  const ImplType& source = cls->impls.at(1);
  EXPECT_EQ(source.iid, kEventsIid);
  EXPECT_EQ(source.flags, IMPLTYPEFLAG_DEFAULT | IMPLTYPEFLAG_SOURCE);
}

}  // namespace
}  // namespace tickctl_test
