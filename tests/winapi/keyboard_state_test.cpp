#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <thread>

#include "user32/user32.h"

namespace {

using Table = std::array<std::uint8_t, 256>;

Table Read() {
  Table t{};
  EXPECT_NE(user32::GetKeyboardState(t.data()), 0);
  return t;
}

TEST(KeyboardState, EachThreadKeepsItsOwnTable) {
  Table mine{};
  mine[144] = 0x01;  // Num Lock toggled on
  mine[20] = 0x81;   // Caps Lock down and toggled
  mine[255] = 0x80;
  ASSERT_NE(user32::SetKeyboardState(mine.data()), 0);
  EXPECT_EQ(Read(), mine);

  Table seen_by_other{};
  Table other_after_write{};
  std::thread other([&] {
    seen_by_other = Read();
    Table theirs{};
    theirs[144] = 0x80;
    user32::SetKeyboardState(theirs.data());
    other_after_write = Read();
  });
  other.join();

  EXPECT_EQ(seen_by_other, Table{}) << "a new thread starts with every key up and untoggled";
  EXPECT_EQ(other_after_write[144], 0x80);
  EXPECT_EQ(Read(), mine) << "another thread's write leaves this thread's table alone";
}

TEST(KeyboardState, NullBufferIsRefused) {
  EXPECT_EQ(user32::GetKeyboardState(nullptr), 0);
  EXPECT_EQ(user32::SetKeyboardState(nullptr), 0);
}

}  // namespace
