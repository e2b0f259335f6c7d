#include "user32/user32.h"

namespace user32 {

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return 0;
  *rect = RECT{left, top, right, bottom};
  return 1;
}

}  // namespace user32
