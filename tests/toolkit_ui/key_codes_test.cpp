#include "toolkit/ui/key_codes.h"

#include <gtest/gtest.h>

#include <Qt>

namespace tk {
namespace {

TEST(KeyCodes, KeysTakeTheRuntimesNumbersAndNoTwoKeysShareOne) {
  const struct {
    int key;
    int code;
  } cases[] = {
      {Qt::Key_A, 65},      {Qt::Key_Z, 90},        {Qt::Key_0, 48},      {Qt::Key_Space, 32},
      {Qt::Key_Return, 13}, {Qt::Key_Escape, 27},   {Qt::Key_Shift, 16},  {Qt::Key_Alt, 18},
      {Qt::Key_Left, 37},   {Qt::Key_Down, 40},     {Qt::Key_F1, 112},    {Qt::Key_F12, 123},
      {Qt::Key_Delete, 46}, {Qt::Key_NumLock, 144}, {Qt::Key_Comma, 188}, {Qt::Key_unknown, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyCodeOf(c.key), c.code) << c.key;
  // Keys whose low bits once collided with letters and digits keep codes of their own.
  EXPECT_NE(KeyCodeOf(Qt::Key_Left), KeyCodeOf(Qt::Key_Alt));
  EXPECT_NE(KeyCodeOf(Qt::Key_Shift), KeyCodeOf(Qt::Key_Space));
  EXPECT_NE(KeyCodeOf(Qt::Key_F1), KeyCodeOf(Qt::Key_0));
}

}  // namespace
}  // namespace tk
