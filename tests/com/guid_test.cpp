#include "com/guid.h"

#include <gtest/gtest.h>

namespace {

constexpr com::CLSID kTickerell{
    0x63FE7693, 0xF924, 0x11D9, {0x85, 0xAE, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};

TEST(GuidTest, TextRoundTripsAndParsesEitherCase) {
  EXPECT_EQ(com::ToString(kTickerell), "{63FE7693-F924-11D9-85AE-913B44F66914}");
  EXPECT_EQ(com::ParseGuid("{63FE7693-F924-11D9-85AE-913B44F66914}"), kTickerell);
  EXPECT_EQ(com::ParseGuid("{63fe7693-f924-11d9-85ae-913b44f66914}"), kTickerell);
}

TEST(GuidTest, RefusesTextThatIsNotAnIdentifier) {
  for (const char* bad :
       {"", "63FE7693-F924-11D9-85AE-913B44F66914", "{63FE7693-F924-11D9-85AE-913B44F6691}",
        "{63FE7693-F924-11D9-85AE-913B44F669144}", "{63FE7693F924-11D9-85AE-913B44F669145}",
        "{63FE7693-F924-11D9-85AE-913B44F6691G}", "{+3FE7693-F924-11D9-85AE-913B44F66914}",
        "(63FE7693-F924-11D9-85AE-913B44F66914)"})
    EXPECT_FALSE(com::ParseGuid(bad)) << bad;
}

TEST(GuidTest, SixteenByteFormIsLittleEndianThenData4) {
  const auto b = com::ToBytes(kTickerell);
  const std::array<std::uint8_t, 16> expected = {0x93, 0x76, 0xFE, 0x63, 0x24, 0xF9, 0xD9, 0x11,
                                                 0x85, 0xAE, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14};
  EXPECT_EQ(b, expected);
  EXPECT_EQ(com::FromBytes(b.data()), kTickerell);
}

}  // namespace
