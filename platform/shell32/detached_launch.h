// Starting a program that outlives the call and is never waited for.
#pragma once

#include <string>
#include <vector>

namespace shell32::detail {

struct LaunchResult {
  enum Stage { kStarted, kCouldNotFork, kCouldNotEnterFolder, kCouldNotRun };
  Stage stage = kStarted;
  int error = 0;  // errno of the failing step
};

// Runs `program` (a path) with `argv` directly, no shell between, in `folder` when it is
// not empty. The program is a grandchild of this process: the child in between is reaped
// at once, so the program is adopted by init and leaves no zombie behind. Returns once the
// program has been started or has failed to start.
LaunchResult LaunchDetached(const std::string& program, const std::vector<std::string>& argv,
                            const std::string& folder);

}  // namespace shell32::detail
