// For timing the start-up (bench/startup): the game and the empty window it is measured
// against end the same way once their window is on the screen.
#pragma once

class QObject;

namespace korvane {

// Once `window` has first been painted, prints "shown" and ends the program.
void ExitWhenFirstPainted(QObject& window);

}  // namespace korvane
