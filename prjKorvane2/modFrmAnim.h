// Hiding a window with one of the window system's animations, chosen by number.
#pragma once

#include <cstdint>

#include "toolkit/ui/form.h"
#include "user32/user32.h"

namespace modFrmAnim {

using user32::AnimateWindow;
using user32::AW_ACTIVATE;
using user32::AW_CENTER;
using user32::AW_HIDE;
using user32::AW_HOR_NEGATIVE;
using user32::AW_HOR_POSITIVE;
using user32::AW_SLIDE;
using user32::AW_VER_NEGATIVE;
using user32::AW_VER_POSITIVE;

// The flags of effect 0 to 9; any other number, negative ones included, gives none.
std::uint32_t EffectFlags(std::int32_t Effect);

// Plays the effect on the form's window over Duration milliseconds, then repaints it.
void AnimateForm(tk::Form& Frm, std::int32_t Effect, std::int16_t Duration);

}  // namespace modFrmAnim
