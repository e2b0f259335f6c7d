// The program's start procedure.
#pragma once

namespace modMain {

// Loads and shows the main window, then sets Num Lock's entry of this thread's
// key-state table to toggled on. Each step runs even when one before it failed.
void Main();

}  // namespace modMain
