// Where parsing stops: the 500-line buffer, the 16-bit counters and numbers out of range.
// The lines added before the failure stay, LineCount matches them, and the error number
// reaches the caller.
#include <gtest/gtest.h>

#include <string>

#include "caption_markup.h"
#include "runtime/errors.h"
#include "tickerell_test_support.h"

namespace tickerell {
namespace {

using testing::ErrorOf;
using testing::ReadyInstance;

std::string Numbered(int from, int to, const std::string& between = "") {
  std::string source;
  for (int i = from; i <= to; ++i) source += "L" + std::to_string(i) + ";" + between;
  return source;
}

TEST(LineBufferLimit, The501stLineFailsWithSubscriptOutOfRangeKeepingTheFirst500) {
  // Hidden entries do not count towards the 500.
  TickerellState s = ReadyInstance(Numbered(1, 600, "<hidden;"));
  EXPECT_EQ(ErrorOf([&] { s.SetupMainBufferLines(); }), tk::kSubscriptOutOfRange);
  ASSERT_EQ(s.LineCount, 500);
  EXPECT_EQ(s.LineBuffer[1].Text, "L1");
  EXPECT_EQ(s.LineBuffer[500].Text, "L500");
  EXPECT_EQ(s.LineBuffer[500].Color, testing::kForeColor);

  // Exactly 500 lines fit (499 numbered entries and the empty one after the last ";").
  TickerellState full = ReadyInstance(Numbered(1, 499));
  EXPECT_EQ(ErrorOf([&] { full.SetupMainBufferLines(); }), 0);
  EXPECT_EQ(full.LineCount, 500);
  EXPECT_EQ(ErrorOf([&] { full.AddBufferLine(DefaultLineFormat(), 0, "extra"); }), 9);
  EXPECT_EQ(full.LineCount, 500);
  EXPECT_EQ(full.LineBuffer[500].Text, "");
  EXPECT_EQ(ErrorOf([&] { (void)full.LineBuffer[501]; }), 9);
  EXPECT_EQ(ErrorOf([&] { (void)full.LineBuffer[0]; }), 9);
}

TEST(SixteenBitLimits, OverflowEndsTheCallAfterTheLinesBeforeIt) {
  const std::string pad(40000, 'x');
  const std::string e_acute = "\xC3\xA9";        // one UTF-16 unit in two bytes
  const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units in four bytes
  auto repeat = [](const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
  };
  const std::string at_limit(32767 - 10, 'x');  // with "y<F.SIZEX:" the entry is 32,767 long
  const struct {
    const char* what;
    std::string entry;
    int error;
  } cases[] = {
      {"visible text longer than 32,767", pad, 6},
      {"exactly 32,767 long", std::string(32767, 'x'), 0},
      {"20,000 two-byte characters are 20,000 units", repeat(e_acute, 20000), 0},
      {"17,000 characters beyond the basic plane are 34,000 units", repeat(emoji, 17000), 6},
      {"a separator line takes no length", pad + "/L", 0},
      {"a flag tag after 32,767", "x" + pad + "<F.BOLD>/L", 6},
      {"a flag tag early in a long separator", "x<F.BOLD>" + pad + "/L", 0},
      {"a value read from a long entry", "x<F.SIZEX:5>" + pad + "/L", 6},
      {"a value start at 32,768", "y" + at_limit + "<F.SIZEX:", 6},
      {"a value start at 32,767", at_limit + "<F.SIZEX:", 0},
      {"a number beyond 32 bits", "x<F.COLOR:4294967295>", 6},
      {"a number beyond 32 bits in a separator", "x<F.WGHT:-2147483649>/L", 6},
  };
  for (const auto& c : cases) {
    TickerellState s = ReadyInstance("before;" + c.entry + ";after");
    EXPECT_EQ(ErrorOf([&] { s.SetupMainBufferLines(); }), c.error) << c.what;
    EXPECT_EQ(s.LineCount, c.error ? 1 : 3) << c.what;
    EXPECT_EQ(s.LineBuffer[1].Text, "before") << c.what;
  }
}

TEST(SixteenBitLimits, MoreThan32768EntriesFailAfterTheBufferIsCleared) {
  std::string hidden;
  for (int i = 0; i < 32768; ++i) hidden += i ? ";<" : "<";
  TickerellState s = ReadyInstance("old;lines");
  s.SetupMainBufferLines();
  ASSERT_EQ(s.LineCount, 2);

  s.m_Caption = hidden;  // 32,768 entries
  EXPECT_EQ(ErrorOf([&] { s.SetupMainBufferLines(); }), 0);
  EXPECT_EQ(s.LineCount, 0);

  s.m_Caption = "old;lines";
  s.SetupMainBufferLines();
  s.m_Caption = hidden + ";<";  // 32,769 entries
  EXPECT_EQ(ErrorOf([&] { s.SetupMainBufferLines(); }), tk::kOverflow);
  EXPECT_EQ(s.LineCount, 0);
  EXPECT_EQ(s.LineBuffer[1], BufferLine{});
}

}  // namespace
}  // namespace tickerell
