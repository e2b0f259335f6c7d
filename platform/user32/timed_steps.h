// Drives an animation in timed steps inside a nested event loop, so the window system
// keeps painting while the caller waits and no core is spent spinning.
#pragma once

#include <functional>

namespace user32::detail {

// Calls `step` with the elapsed fraction of `milliseconds` (0 to 1) about every frame
// until the time is up, the last call with exactly 1, then returns. User input is held
// back while the loop runs. `step` returns false to end early (its window went away);
// the loop also ends early when the application quits. Callers put their window into
// its final state after the call, whichever way it ended.
void RunTimedSteps(int milliseconds, const std::function<bool(double)>& step);

}  // namespace user32::detail
