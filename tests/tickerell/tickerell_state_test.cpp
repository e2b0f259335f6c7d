// The instance state: what a new instance holds, when parsing leaves the buffer alone,
// and that instances share nothing.
#include <gtest/gtest.h>

#include "tickerell_test_support.h"

namespace tickerell {
namespace {

using testing::Fmt;
using testing::ReadyInstance;

TEST(TickerellState, NewInstanceHoldsZeroFalseAndEmptyText) {
  const TickerellState s;
  EXPECT_EQ(s.DebugMode, 0);
  EXPECT_EQ(s.PropertiesRead, 0);
  EXPECT_EQ(s.m_Caption, "");
  EXPECT_EQ(s.m_StartupWait, 0.0);
  EXPECT_EQ(s.m_Scroll, 0);
  EXPECT_EQ(s.ScrollStarted, 0);
  EXPECT_EQ(s.LineCount, 0);
  EXPECT_EQ(s.LineBuffer[1], BufferLine{});
  EXPECT_EQ(s.LineBuffer[500], BufferLine{});
}

TEST(TickerellState, EmptyCaptionOrPropertiesNotReadLeaveTheBufferAlone) {
  TickerellState s = ReadyInstance("one;two");
  s.SetupMainBufferLines();
  const auto before = testing::Lines(s);
  ASSERT_EQ(before.size(), 2u);

  s.m_Caption = "";
  s.SetupMainBufferLines();
  EXPECT_EQ(testing::Lines(s), before);

  s.m_Caption = "three";
  s.PropertiesRead = tk::kFalse16;
  s.SetupMainBufferLines();
  EXPECT_EQ(testing::Lines(s), before);

  // A fresh instance whose properties were never read parses nothing at all.
  TickerellState fresh;
  fresh.m_Caption = "text";
  fresh.SetupMainBufferLines();
  EXPECT_EQ(fresh.LineCount, 0);
}

TEST(TickerellState, RebuildingTakesTheNewForeColorButEmptyEntriesKeepBlack) {
  TickerellState s = ReadyInstance("a;;b<F.COLOR:7>", 100);
  s.SetupMainBufferLines();
  s.m_ForeColor = 200;
  s.SetupMainBufferLines();
  EXPECT_EQ(testing::Lines(s),
            (std::vector<BufferLine>{{"a", Fmt(), 200}, {"", Fmt(), 0}, {"b", Fmt(), 7}}));
}

TEST(TickerellState, TwoInstancesKeepSeparateState) {
  TickerellState first = ReadyInstance("first;lines;here", 1);
  TickerellState second = ReadyInstance("second<F.BOLD>", 2);
  first.SetupMainBufferLines();
  second.SetupMainBufferLines();
  first.ScrollY = 10;
  second.ScrollY = -20;
  EXPECT_EQ(first.LineCount, 3);
  EXPECT_EQ(second.LineCount, 1);
  EXPECT_EQ(first.LineBuffer[1].Text, "first");
  EXPECT_EQ(second.LineBuffer[1], (BufferLine{"second", Fmt().Bold(), 2}));
  EXPECT_EQ(first.ScrollY, 10);
  EXPECT_EQ(second.LineBuffer[2], BufferLine{});
}

}  // namespace
}  // namespace tickerell
