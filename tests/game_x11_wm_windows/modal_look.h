// Looking at a window the game shows modally, from inside its modal loop: the test opens
// it, waits until it is on the screen and framed, looks, and closes it.
#pragma once

#include <QWidget>
#include <functional>

#include "toolkit/ui/form.h"
#include "wm_frames.h"

namespace wm_test {

// Runs `open`, which shows `form` modally; once the form is on the screen, waits for it
// to be framed, hands it to `look`, and unloads it.
void LookWhileModal(tk::Form& form, const std::function<void()>& open,
                    const std::function<void(const Framed&)>& look);

// Runs `raise`, which shows a message or input box; once the box is framed on the
// screen, hands it to `look` and closes it. Whether a box was seen.
bool LookAtBox(const std::function<void()>& raise,
               const std::function<void(QWidget& box, const Framed&)>& look);

}  // namespace wm_test
