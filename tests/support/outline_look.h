// What a drag outline looks like in a screenshot of the board, held against the board
// before the drag: for the X11 and the Wayland suites alike.
#pragma once

#include <QImage>
#include <QRect>
#include <string>

namespace x11play {

constexpr int kOutlineRing = 2;  // the outline's thickness, pixels

// Around `outline` (board pixels): every pixel off the outline's frame as before, and at
// least seven in ten of the frame's pixels standing well out from what lies under them.
// Pixels within `ignored` (the pointer's picture, where one is drawn) are passed over.
// Empty when the outline looks as it should; otherwise what is wrong.
std::string OutlineProblem(const QImage& shot, const QImage& before, const QRect& outline,
                           const QRect& ignored = {});

}  // namespace x11play
