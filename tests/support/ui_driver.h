// Drives the toolkit's windows the way a player does: presses, moves and releases of the
// mouse on the centres of controls, through Qt's test events.
#pragma once

#include <QPoint>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/form.h"

namespace tk::testing {

// The centre of a control in its container's pixels.
QPoint CentreOf(const Control& control);
// Press the left button on `from`, move in steps to `to`, release there.
void Drag(const Control& from, const Control& to);
// Press and release the left button on a control without moving.
void Click(const Control& control, Qt::MouseButton button = Qt::LeftButton);

}  // namespace tk::testing
