#include "com/property_bag.h"

#include <gtest/gtest.h>

#include "com/picture_object.h"
#include "runtime/errors.h"

namespace {

using com::Variant;

// The About window's stored bag for its caption control.
com::ComPtr<com::MemoryPropertyBag> AboutWindowBag() {
  auto bag = com::Make<com::MemoryPropertyBag>();
  bag->Set("_extentx", std::int32_t{6588});
  bag->Set("_extenty", std::int32_t{1720});
  bag->Set("caption", "script");
  bag->Set("picture", com::EmptyPicture());
  return bag;
}

TEST(PropertyBagTest, KeysMatchWithoutRegardToCaseAndMissingKeysGiveTheDefault) {
  auto bag = AboutWindowBag();
  EXPECT_EQ(bag->Read("Caption", "Tickerell1").str(), "script");
  EXPECT_EQ(bag->Read("_ExtentX").i4(), 6588);
  const Variant picture = bag->Read("Picture");
  EXPECT_EQ(picture.vt(), com::VT_DISPATCH);
  EXPECT_TRUE(com::SameObject(picture.object(), bag->Find("picture")->object()));

  EXPECT_EQ(bag->Read("ScrollStart", std::int32_t{50}).i4(), 50);
  EXPECT_TRUE(bag->Read("TimerInterval").is_empty());
  EXPECT_TRUE(bag->Read("TimerInterval", Variant::Missing()).is_empty());
}

TEST(PropertyBagTest, WrittenValuesReadBackUnderAnyCaseAndKeepTheirType) {
  auto bag = com::Make<com::MemoryPropertyBag>();
  bag->Write("borderstyle", std::int32_t{0}, std::uint8_t{0});
  bag->Write("StartupWait", 1.5, 0.01);
  bag->Write("StartupWait", 2.5, 0.01);  // rewrites the one entry
  EXPECT_EQ(bag->entries().size(), 2u);
  EXPECT_EQ(bag->Read("BorderStyle", std::uint8_t{0}).vt(), com::VT_I4);
  EXPECT_EQ(bag->Read("startupwait", 0.01).r8(), 2.5);
  // A by-reference value is stored as what it points at, not as the pointer.
  std::int16_t skip = 3;
  bag->Write("SkipPixels", Variant::Ref(&skip), std::int16_t{1});
  skip = 9;
  EXPECT_EQ(bag->Read("SkipPixels").i2(), 3);
}

TEST(PropertyBagTest, ABagThatLeavesOutDefaultsForgetsTheOlderValue) {
  auto bag = com::Make<com::MemoryPropertyBag>(/*omit_defaults=*/true);
  bag->Write("Caption", "Credits", "Tickerell1");
  EXPECT_EQ(bag->Read("Caption", "Tickerell1").str(), "Credits");
  // Equal to the default, across widths: left out, and the stored "Credits" must not stay.
  bag->Write("Caption", "Tickerell1", "Tickerell1");
  bag->Write("Alignment", std::int32_t{1}, std::uint8_t{1});
  EXPECT_TRUE(bag->entries().empty());
  EXPECT_EQ(bag->Read("Caption", "Renamed1").str(), "Renamed1");
  // Without a default there is nothing to compare with: the value is kept.
  bag->Write("Picture", com::EmptyPicture());
  EXPECT_NE(bag->Find("Picture"), nullptr);
}

TEST(PropertyBagTest, AnEmptyKeyIsRefused) {
  auto bag = com::Make<com::MemoryPropertyBag>();
  EXPECT_THROW(bag->Write("", std::int32_t{1}), tk::RuntimeError);
}

}  // namespace
