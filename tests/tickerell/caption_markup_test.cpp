// The caption markup: what each source text yields, line by line.
#include "caption_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/errors.h"
#include "tickerell_test_support.h"

namespace tickerell {
namespace {

using testing::Fmt;
using testing::kForeColor;

const std::string kDashes(50, '-');

struct MarkupCase {
  std::string source;
  std::vector<BufferLine> lines;
};

const MarkupCase kCases[] = {
    // One entry each, as the credits author writes them.
    {"Credits<F.BOLD><F.SIZEX:14>", {{"Credits", Fmt().Bold().Size(14), kForeColor}}},
    {"Thanks<F.COLOR:255>/B", {{"Thanks", Fmt().Bold(), 255}}},
    {"hello<f.underline><F.NAMEX:Arial>", {{"hello", Fmt().Underline().Name("Arial"), kForeColor}}},
    {"<F.BOLD>Heading", {}},
    {"Title<F.SIZEX:12pt>", {{"Title", Fmt().Size(12), kForeColor}}},
    {"Weight<F.WGHT:700>", {{"Weight", Fmt().Weight(700), kForeColor}}},
    {"Mixed/i/B", {{"Mixed", Fmt().Bold().Italic(), kForeColor}}},
    {"Order/B/I", {{"Order/B", Fmt().Italic(), kForeColor}}},
    {"Rule<F.BOLD><F.COLOR:255>/L", {{kDashes, Fmt().Bold(), kForeColor}}},
    {"/B", {{"", Fmt().Bold(), kForeColor}}},
    {"Greek<F.CAHRS:161><F.STRIKETHROUGH>", {{"Greek", Fmt().Charset(161).Strike(), kForeColor}}},
    // Several entries: empty ones take colour 0, a leading "<" hides an entry.
    {"Top;;Bottom<F.ITALIC>;",
     {{"Top", Fmt(), kForeColor},
      {"", Fmt(), 0},
      {"Bottom", Fmt().Italic(), kForeColor},
      {"", Fmt(), 0}}},
    {";;", {{"", Fmt(), 0}, {"", Fmt(), 0}, {"", Fmt(), 0}}},
    {"a;<note for the author;b", {{"a", Fmt(), kForeColor}, {"b", Fmt(), kForeColor}}},
    {"just words", {{"just words", Fmt(), kForeColor}}},
    {" <F.BOLD>", {{" ", Fmt().Bold(), kForeColor}}},
    // Tags match in any case; the visible text and the font name keep theirs.
    {"CaSe<f.Bold><f.namex:Comic Neue>", {{"CaSe", Fmt().Bold().Name("Comic Neue"), kForeColor}}},
    {"Twice<F.SIZEX:8><F.SIZEX:20><F.COLOR:1><F.COLOR:2>", {{"Twice", Fmt().Size(8), 1}}},
    {"Shown<not a tag>hidden<F.ITALIC>", {{"Shown", Fmt().Italic(), kForeColor}}},
    {"Grüße<F.BOLD>", {{"Grüße", Fmt().Bold(), kForeColor}}},
    // A value runs to the next ">" or the end of the entry, suffixes included.
    {"Big<F.SIZEX:12/B", {{"Big", Fmt().Bold().Size(12), kForeColor}}},
    {"Red<F.COLOR:255/B", {{"Red", Fmt().Bold(), 255}}},
    {"Font<F.NAMEX:Arial/I", {{"Font", Fmt().Italic().Name("Arial/I"), kForeColor}}},
    {"Empty<F.SIZEX:><F.COLOR:><F.WGHT:><F.NAMEX:>",
     {{"Empty", Fmt().Size(0).Weight(0).Name(""), 0}}},
    {"End<F.SIZEX:", {{"End", Fmt().Size(0), kForeColor}}},
    // Separator lines keep the flags and values of their tags, never their colour.
    {"Sep<F.ITALIC><F.SIZEX:18><F.NAMEX:Arial><F.COLOR:255>/L",
     {{kDashes, Fmt().Italic().Size(18).Name("Arial"), kForeColor}}},
    {"Over/L/I/B", {{kDashes, Fmt().Bold().Italic(), kForeColor}}},
    {"Kept/L/B/I", {{"Kept/L/B", Fmt().Italic(), kForeColor}}},
    {"/l", {{kDashes, Fmt(), kForeColor}}},
};

class MarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupTest, SourceYieldsLines) {
  const MarkupCase& c = GetParam();
  TickerellState s = testing::ReadyInstance(c.source);
  s.SetupMainBufferLines();
  EXPECT_EQ(testing::Lines(s), c.lines) << "source: " << c.source;
}

INSTANTIATE_TEST_SUITE_P(Captions, MarkupTest, ::testing::ValuesIn(kCases));

TEST(TagNumber, LeadingNumberRoundedHalfToEvenInto32Bits) {
  const struct {
    std::string text;
    int value;  // or the error number below
    int error = 0;
  } cases[] = {
      {"12pt", 12},
      {"10.5", 10},
      {"11.5", 12},
      {"-2.5", -2},
      {"-3.5", -4},
      {"0.5000001", 1},
      {"2.4999", 2},
      {".5", 0},
      {"1.", 1},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {".", 0},
      {"+7", 7},
      {" 14", 14},
      {"1,5", 1},
      {"1e3", 1},
      {"0x1F", 0},
      {"- 5", 0},
      {"000000000000002", 2},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"-2147483648.5", INT32_MIN},
      {"2147483646.5", 2147483646},
      {"2147483648", 0, 6},
      {"2147483647.5", 0, 6},
      {"-2147483648.51", 0, 6},
      {"99999999999999999999", 0, 6},
  };
  for (const auto& c : cases) {
    if (c.error) {
      EXPECT_EQ(testing::ErrorOf([&] { ReadTagNumber(c.text); }), c.error) << c.text;
    } else {
      EXPECT_EQ(ReadTagNumber(c.text), c.value) << c.text;
    }
  }
}

TEST(TagNumber, DigitsAfterTheDecimalPointAreReadWhateverTheirCount) {
  EXPECT_EQ(ReadTagNumber("3." + std::string(5000, '0') + "1"), 3);
  EXPECT_EQ(ReadTagNumber("3.5" + std::string(5000, '0')), 4);
  EXPECT_EQ(ReadTagNumber("3.5" + std::string(5000, '0') + "1"), 4);
  EXPECT_EQ(ReadTagNumber("2.5" + std::string(5000, '0') + "1"), 3);
}

}  // namespace
}  // namespace tickerell
