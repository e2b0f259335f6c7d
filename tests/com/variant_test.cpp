#include "com/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "com/hresult_errors.h"
#include "runtime/errors.h"

namespace {

using com::Variant;

struct Coercion {
  const char* what;
  Variant in;
  com::VARTYPE to;
  com::HRESULT hr;
  Variant expected;  // when hr is S_OK
};

class CoercionTest : public testing::TestWithParam<Coercion> {};

TEST_P(CoercionTest, ConvertsOrFailsAsTheLanguageDoes) {
  const Coercion& c = GetParam();
  Variant out;
  EXPECT_EQ(com::ChangeType(c.in, c.to, out), c.hr) << c.what;
  if (c.hr == com::S_OK) {
    EXPECT_EQ(out.vt(), c.to) << c.what;
    EXPECT_TRUE(com::SameValue(out, c.expected))
        << c.what << ": got " << (out.vt() == com::VT_BSTR ? out.str() : out.ToText());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CoercionTest,
    testing::Values(
        // Halves go to the even neighbour.
        Coercion{"2.5 to I4", 2.5, com::VT_I4, com::S_OK, std::int32_t{2}},
        Coercion{"3.5 to I4", 3.5, com::VT_I4, com::S_OK, std::int32_t{4}},
        Coercion{"-2.5 to I2", -2.5, com::VT_I2, com::S_OK, std::int16_t{-2}},
        Coercion{"1.5f to I2", 1.5f, com::VT_I2, com::S_OK, std::int16_t{2}},
        Coercion{"text 10.5 to I2", "10.5", com::VT_I2, com::S_OK, std::int16_t{10}},
        // Range of the target.
        Coercion{"32767 to I2", std::int32_t{32767}, com::VT_I2, com::S_OK, std::int16_t{32767}},
        Coercion{"32768 to I2", std::int32_t{32768}, com::VT_I2, com::DISP_E_OVERFLOW, {}},
        Coercion{"70000 to I2", std::int32_t{70000}, com::VT_I2, com::DISP_E_OVERFLOW, {}},
        Coercion{"32767.5 to I2", 32767.5, com::VT_I2, com::DISP_E_OVERFLOW, {}},
        Coercion{"-1 to UI1", std::int16_t{-1}, com::VT_UI1, com::DISP_E_OVERFLOW, {}},
        Coercion{"3e9 to I4", 3e9, com::VT_I4, com::DISP_E_OVERFLOW, {}},
        Coercion{"NaN to I4",
                 std::numeric_limits<double>::quiet_NaN(),
                 com::VT_I4,
                 com::DISP_E_OVERFLOW,
                 {}},
        Coercion{"1e39 to R4", 1e39, com::VT_R4, com::DISP_E_OVERFLOW, {}},
        Coercion{"text 40000 to I2", " 40000 ", com::VT_I2, com::DISP_E_OVERFLOW, {}},
        // Text read as a number, or not.
        Coercion{"text -850 to I4", "-850", com::VT_I4, com::S_OK, std::int32_t{-850}},
        Coercion{"text 1.5 to R8", "1.5", com::VT_R8, com::S_OK, 1.5},
        Coercion{"text 1e3 to I4", "1e3", com::VT_I4, com::S_OK, std::int32_t{1000}},
        Coercion{"text abc to I2", "abc", com::VT_I2, com::DISP_E_TYPEMISMATCH, {}},
        Coercion{"text 12abc to I4", "12abc", com::VT_I4, com::DISP_E_TYPEMISMATCH, {}},
        Coercion{"empty text to I4", "", com::VT_I4, com::DISP_E_TYPEMISMATCH, {}},
        Coercion{"text inf to R8", "inf", com::VT_R8, com::DISP_E_TYPEMISMATCH, {}},
        Coercion{"text 0x10 to I4", "0x10", com::VT_I4, com::DISP_E_TYPEMISMATCH, {}},
        // Booleans both ways: any non-zero is True, True is -1.
        Coercion{"7 to BOOL", std::int32_t{7}, com::VT_BOOL, com::S_OK, Variant::Bool(true)},
        Coercion{"0.4 to BOOL", 0.4, com::VT_BOOL, com::S_OK, Variant::Bool(true)},
        Coercion{"0 to BOOL", std::int16_t{0}, com::VT_BOOL, com::S_OK, Variant::Bool(false)},
        Coercion{"True to I4", Variant::Bool(true), com::VT_I4, com::S_OK, std::int32_t{-1}},
        Coercion{"True to UI1", Variant::Bool(true), com::VT_UI1, com::DISP_E_OVERFLOW, {}},
        Coercion{"text true to BOOL", "true", com::VT_BOOL, com::S_OK, Variant::Bool(true)},
        Coercion{"text False to I2", "False", com::VT_I2, com::S_OK, std::int16_t{0}},
        Coercion{"True to text", Variant::Bool(true), com::VT_BSTR, com::S_OK, "True"},
        // Numbers to text.
        Coercion{"-850 to text", std::int32_t{-850}, com::VT_BSTR, com::S_OK, "-850"},
        Coercion{"1.5 to text", 1.5, com::VT_BSTR, com::S_OK, "1.5"},
        Coercion{"0.01 to text", 0.01, com::VT_BSTR, com::S_OK, "0.01"},
        Coercion{"0.1f to text", 0.1f, com::VT_BSTR, com::S_OK, "0.1"},
        // Empty reads as zero; errors and non-objects do not convert.
        Coercion{"empty to I4", Variant(), com::VT_I4, com::S_OK, std::int32_t{0}},
        Coercion{"empty to text", Variant(), com::VT_BSTR, com::S_OK, ""},
        Coercion{"missing to I4", Variant::Missing(), com::VT_I4, com::DISP_E_TYPEMISMATCH, {}},
        Coercion{
            "number to object", std::int32_t{5}, com::VT_DISPATCH, com::DISP_E_TYPEMISMATCH, {}}),
    [](const testing::TestParamInfo<Coercion>& info) {
      return "case" + std::to_string(info.index);
    });

TEST(VariantTest, ByReferenceValuesReadAndWriteTheCallersVariable) {
  std::int16_t button = 1;
  const Variant ref = Variant::Ref(&button);
  EXPECT_EQ(ref.vt(), com::VT_BYREF | com::VT_I2);
  EXPECT_EQ(ref.ToI4(), 1);
  // Stores through the reference with the referent's own type and range.
  EXPECT_EQ(ref.AssignThroughRef(2.5), com::S_OK);
  EXPECT_EQ(button, 2);
  EXPECT_EQ(ref.AssignThroughRef(std::int32_t{40000}), com::DISP_E_OVERFLOW);
  EXPECT_EQ(button, 2);
  Variant any;
  EXPECT_EQ(Variant::Ref(&any).AssignThroughRef("text"), com::S_OK);
  EXPECT_EQ(any.str(), "text");
}

TEST(VariantTest, ThrowingConversionsRaiseTheMatchingRuntimeError) {
  try {
    Variant(std::int32_t{70000}).ToI2();
    FAIL();
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), tk::kOverflow);
  }
  try {
    Variant("twelve").ToR8();
    FAIL();
  } catch (const tk::RuntimeError& e) {
    EXPECT_EQ(e.number(), tk::kTypeMismatch);
    EXPECT_EQ(e.description(), "Type mismatch");
  }
}

TEST(HResultErrorsTest, FailedCallsBecomeTheLanguagesErrorNumbers) {
  const std::pair<com::HRESULT, int> cases[] = {
      {com::DISP_E_OVERFLOW, 6},
      {com::DISP_E_TYPEMISMATCH, 13},
      {com::DISP_E_MEMBERNOTFOUND, 438},
      {com::DISP_E_UNKNOWNNAME, 438},
      {com::DISP_E_BADPARAMCOUNT, 450},
      {com::REGDB_E_CLASSNOTREG, 429},
      {com::CO_E_DLLNOTFOUND, 429},
      {com::E_OUTOFMEMORY, 7},
      {com::HResultFromRuntimeError(9), 9},
      {com::E_FAIL, 440},
  };
  for (const auto& [hr, number] : cases)
    EXPECT_EQ(com::ErrorFromHResult(hr).number(), number) << hr;

  com::ExcepInfo excep{380, "Counter", "Invalid property value"};
  const tk::RuntimeError e = com::ErrorFromHResult(com::DISP_E_EXCEPTION, &excep);
  EXPECT_EQ(e.number(), 380);
  EXPECT_EQ(e.description(), "Invalid property value");
}

}  // namespace
