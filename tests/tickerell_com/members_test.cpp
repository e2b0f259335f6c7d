// The members of _Tickerell, put and got late-bound by dispatch identifier on a control
// made through the real module, with the coercions of the dispatch table and the
// behaviour of each property procedure.
#include <gtest/gtest.h>

#include "com/picture_object.h"
#include "tickctl_test_support.h"

namespace tickctl_test {
namespace {

using com::Variant;

class MembersTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    control = com::CreateObject(kProgId);
    ASSERT_TRUE(control);
  }
  void TearDown() override {
    control.Reset();
    ModuleTest::TearDown();
  }
  Variant Get(com::DISPID id) { return com::PropertyGet(control.get(), id); }
  void Put(com::DISPID id, const Variant& v) { com::PropertyPut(control.get(), id, v); }
  // Stored properties read (from an empty bag, with no host): the caption now parses.
  void ReadEmptyBag() {
    auto bag = com::Make<com::MemoryPropertyBag>();
    ASSERT_EQ(control.As<tk::IControl>()->Load(bag.get()), com::S_OK);
  }
  const tickerell::TickerellState& State() { return Peek(control.get()).State(); }

  com::ComPtr<com::IDispatch> control;
};

TEST_F(MembersTest, EachPropertyTakesItsValueCoercedToItsTypeAndGivesItBack) {
  const struct {
    const char* what;
    com::DISPID id;
    Variant put;
    Variant expected;  // value and type of the get
  } cases[] = {
      {"interval from text", kTimerInterval, Variant("25"), Variant(std::int32_t{25})},
      {"caption from a number", kCaption, Variant(std::int32_t{123}), Variant("123")},
      {"back colour", kBackColor, Variant(std::int32_t{0x00FF00}), Variant(std::int32_t{0x00FF00})},
      {"back colour rounds half to even", kBackColor, Variant(254.5), Variant(std::int32_t{254})},
      {"fore colour", kForeColor, Variant(std::int32_t{255}), Variant(std::int32_t{255})},
      {"scroll off", kScroll, Variant(std::int32_t{0}), Variant::Bool(false)},
      {"scroll any non-zero", kScroll, Variant(std::int32_t{5}), Variant::Bool(true)},
      {"border style", kBorderStyle, Variant(std::int16_t{1}), Variant(std::int32_t{1})},
      {"border style outside its enumeration", kBorderStyle, Variant(std::int32_t{-7}),
       Variant(std::int32_t{-7})},
      {"skip pixels from text", kSkipPixels, Variant(" 3 "), Variant(std::int16_t{3})},
      {"scroll end", kScrollEnd, Variant(std::int32_t{-850}), Variant(std::int32_t{-850})},
      {"alignment 7", kAlignment, Variant(std::int32_t{7}), Variant(std::int32_t{7})},
      {"startup wait", kStartupWait, Variant("1.5"), Variant(1.5)},
      {"startup ypos", kStartupYpos, Variant(std::int16_t{100}), Variant(std::int32_t{100})},
      {"current ypos", kCurrentYpos, Variant(std::int32_t{5}), Variant(std::int32_t{5})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.id, c.put);
    const Variant got = Get(c.id);
    EXPECT_EQ(got.vt(), c.expected.vt());
    EXPECT_TRUE(com::SameValue(got, c.expected)) << got.ToText();
  }
}

TEST_F(MembersTest, ScrollDrivesTheTimerAndIntervalSetsIt) {
  tk::Timer& timer = Peek(control.get()).RefreshTimer();
  EXPECT_TRUE(timer.Enabled());                           // ticking from creation on
  EXPECT_EQ(Get(kScroll).boolean(), com::VARIANT_FALSE);  // nothing stored yet
  for (const auto& [value, reads, enabled] :
       {std::tuple{1, -1, true}, {0, 0, false}, {-32768, -1, true}, {0, 0, false}}) {
    Put(kScroll, Variant(std::int32_t{value}));
    EXPECT_EQ(Get(kScroll).boolean(), reads) << value;
    EXPECT_EQ(timer.Enabled(), enabled) << value;
    EXPECT_EQ(State().m_Scroll, reads) << value;  // widened with its sign
  }
  Put(kTimerInterval, Variant(std::int32_t{40}));
  EXPECT_EQ(timer.Interval(), 40);
  EXPECT_FALSE(timer.Enabled());  // the interval does not switch the timer
}

TEST_F(MembersTest, ScrollStartSetsTheDefaultStartupPositionOnly) {
  Put(kStartupYpos, Variant(std::int32_t{100}));
  Put(kScrollStart, Variant(std::int32_t{300}));
  EXPECT_EQ(Get(kScrollStart).i4(), 300);
  EXPECT_EQ(Get(kStartupYpos).i4(), 100);
  EXPECT_EQ(State().DefaultStartupYpos, 300);
}

TEST_F(MembersTest, PictureIsSetByReferenceOnlyAndGivesBackTheSameObject) {
  EXPECT_FALSE(Get(kPicture).object());  // the surface holds none at first
  const auto picture = com::CreatePicture(
      std::make_shared<tk::Picture>(2, 2, std::vector<std::uint32_t>(4, 0xFF112233u)));
  com::PropertyPutRef(control.get(), kPicture, Variant(picture));
  EXPECT_TRUE(com::SameObject(Get(kPicture).object(), picture.get()));
  EXPECT_EQ(Peek(control.get()).Surface().Picture().get(), picture.get());

  EXPECT_EQ(ErrorOf([&] { Put(kPicture, Variant(picture)); }), 438);  // no by-value put
  // An object that is no picture is refused, and the picture stays.
  EXPECT_EQ(ErrorOf([&] { com::PropertyPutRef(control.get(), kPicture, Variant(control)); }), 13);
  EXPECT_TRUE(com::SameObject(Get(kPicture).object(), picture.get()));
  // Nothing clears it.
  com::PropertyPutRef(control.get(), kPicture, Variant(static_cast<com::IDispatch*>(nullptr)));
  EXPECT_FALSE(Get(kPicture).object());
}

TEST_F(MembersTest, ErrorsRaisedInsideReachTheCallerWithTheirNumbers) {
  Put(kBorderStyle, Variant(std::int32_t{1}));
  // Narrowed to 16 bits before the surface is touched: Overflow, and nothing changes.
  EXPECT_EQ(ErrorOf([&] { Put(kBorderStyle, Variant(std::int32_t{70000})); }), 6);
  EXPECT_EQ(Get(kBorderStyle).i4(), 1);
  EXPECT_EQ(Peek(control.get()).Surface().BorderStyle(), 1);
  // The timer refuses a negative interval: Invalid procedure call.
  EXPECT_EQ(ErrorOf([&] { Put(kTimerInterval, Variant(std::int32_t{-1})); }), 5);
  EXPECT_EQ(Get(kTimerInterval).i4(), 10);
  // A value that does not convert to the member's type never reaches it.
  EXPECT_EQ(ErrorOf([&] { Put(kSkipPixels, Variant(std::int32_t{40000})); }), 6);
  EXPECT_EQ(ErrorOf([&] { Put(kStartupYpos, Variant("up")); }), 13);
  // The parser's error, once it parses: the value stays stored all the same.
  ReadEmptyBag();
  const std::string too_long = NumberedCaption(501);
  EXPECT_EQ(ErrorOf([&] { Put(kCaption, Variant(too_long)); }), 9);
  EXPECT_EQ(Get(kCaption).str(), too_long);
  EXPECT_EQ(ErrorOf([&] { com::Method(control.get(), kSetupMainBufferLines); }), 9);
}

TEST_F(MembersTest, CaptionAndForeColorParseOnlyOnceStoredPropertiesHaveBeenRead) {
  Put(kCaption, Variant(NumberedCaption(501)));  // would fail if it were parsed
  Put(kCaption, Variant("one;two"));
  Put(kForeColor, Variant(std::int32_t{255}));
  com::Method(control.get(), kSetupMainBufferLines);
  EXPECT_EQ(State().LineCount, 0);
  EXPECT_EQ(Get(kForeColor).i4(), 255);

  // No host, so no name: the caption stays and now parses; ForeColor takes its default.
  ReadEmptyBag();
  EXPECT_EQ(LineTexts(State()), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Get(kForeColor).i4(), kSurfaceForeColor);
  Put(kForeColor, Variant(std::int32_t{0x00FF00}));  // rebuilds with the new colour
  EXPECT_EQ(State().LineBuffer[1].Color, 0x00FF00u);

  // An empty caption is stored, and the old lines go on.
  Put(kCaption, Variant(""));
  EXPECT_EQ(Get(kCaption).str(), "");
  EXPECT_EQ(LineTexts(State()), (std::vector<std::string>{"one", "two"}));
}

TEST_F(MembersTest, MembersAreFoundByNameWithoutRegardToCase) {
  const std::pair<const char*, com::DISPID> names[] = {
      {"TimerInterval", kTimerInterval},
      {"caption", kCaption},
      {"BACKCOLOR", kBackColor},
      {"ForeColor", kForeColor},
      {"Scroll", kScroll},
      {"Picture", kPicture},
      {"BorderStyle", kBorderStyle},
      {"SkipPixels", kSkipPixels},
      {"ScrollStart", kScrollStart},
      {"ScrollEnd", kScrollEnd},
      {"Alignment", kAlignment},
      {"StartupWait", kStartupWait},
      {"StartupYpos", kStartupYpos},
      {"CurrentYpos", kCurrentYpos},
      {"setupmainbufferlines", kSetupMainBufferLines}};
  for (const auto& [name, id] : names) EXPECT_EQ(com::IdOfName(control.get(), name), id) << name;
  EXPECT_EQ(ErrorOf([&] { com::IdOfName(control.get(), "Move"); }), 438);
}

}  // namespace
}  // namespace tickctl_test
