#include "runtime/errors.h"

#include <gtest/gtest.h>

#include "error_of.h"
#include "runtime/checked.h"

namespace {

using tk::testing::ErrorOf;

TEST(CheckedIntegers, ArithmeticAndNarrowingOverflowRaiseError6) {
  EXPECT_EQ(ErrorOf([] { tk::Int16(32767) + tk::Int16(1); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Int16(-32768) - tk::Int16(1); }), 6);
  EXPECT_EQ(ErrorOf([] { -tk::Int16(-32768); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Int32(2147483647) + tk::Int32(1); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Int32(65536) * tk::Int32(65536); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Byte(0) - tk::Byte(1); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Byte(255) + tk::Byte(1); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Int16::From(70000); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::Byte::From(-1); }), 6);
  EXPECT_EQ((tk::Byte(3) - tk::Byte(1)).value(), 2);
  EXPECT_EQ((tk::Int16(-32767) - tk::Int16(1)).value(), -32768);
}

TEST(CheckedIntegers, RoundingGoesHalfToEven) {
  struct Case {
    double in;
    int out;
  } cases[] = {{10.5, 10}, {11.5, 12}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
  for (auto c : cases) EXPECT_EQ(tk::RoundToInt<int32_t>(c.in), c.out) << c.in;
  EXPECT_EQ(tk::RoundToInt<int16_t>(32767.4), 32767);
  EXPECT_EQ(ErrorOf([] { tk::RoundToInt<int16_t>(32767.5); }), 6);
  EXPECT_EQ(ErrorOf([] { tk::RoundToInt<int32_t>(2147483648.0); }), 6);
  EXPECT_EQ(tk::RoundToInt<int32_t>(-2147483648.0), INT32_MIN);
}

void Untrapped(std::vector<int>& ran) {
  ran.push_back(1);
  tk::Raise(tk::kSubscriptOutOfRange);
  ran.push_back(2);  // abandoned with the rest of the procedure
}

TEST(ResumeNext, SkipsOnlyTheFailingStatementAndKeepsTheError) {
  std::vector<int> ran;
  tk::ResumeNext next(true);
  next([&] { ran.push_back(0); });
  next([&] { Untrapped(ran); });
  next([&] { ran.push_back(3); });
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(next.last().number, 9);
  EXPECT_EQ(next.last().description, "Subscript out of range");
}

TEST(ResumeNext, OffLetsTheErrorRiseToTheCaller) {
  std::vector<int> ran;
  tk::ResumeNext next(false);
  EXPECT_EQ(ErrorOf([&] {
              next([&] { Untrapped(ran); });
              ran.push_back(3);
            }),
            9);
  EXPECT_EQ(ran, (std::vector<int>{1}));
}

TEST(Errors, NumbersCarryTheirStandardDescriptions) {
  EXPECT_EQ(tk::ErrorDescription(5), "Invalid procedure call or argument");
  EXPECT_EQ(tk::ErrorDescription(6), "Overflow");
  EXPECT_EQ(tk::ErrorDescription(9), "Subscript out of range");
  EXPECT_EQ(tk::ErrorDescription(13), "Type mismatch");
  EXPECT_EQ(tk::ErrorDescription(53), "File not found");
}

}  // namespace
