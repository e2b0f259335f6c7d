// The caption-rectangle animation of the window system, as the win window uses it.
#pragma once

#include "user32/user32.h"

namespace modDrawAniRects {

using user32::DrawAnimatedRects;
using user32::IDANI_CAPTION;
using user32::RECT;
using user32::SetRect;

}  // namespace modDrawAniRects
