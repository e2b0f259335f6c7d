// Runs code that cannot be trusted to come back (a module's own registration, for one) in
// a child process, so that a crash, a hang or a call to exit ends the child and never the
// caller. The child hands back what the code returned over a pipe; the caller waits for
// it with a deadline and kills the child when the deadline passes.
#pragma once

#include <functional>
#include <string>

namespace comreg {

struct ChildOutcome {
  enum class Ending {
    kReturned,  // the code returned: `result` holds what it gave
    kCrashed,   // a signal ended the child: `signal`
    kTimedOut,  // still running at the deadline, and killed
    kEnded,     // the child ended some other way (the code called exit): `exit_status`
    kNotRun,    // no child could be started: `error` (an errno value)
  };
  Ending ending = Ending::kEnded;
  std::string result;
  int signal = 0;
  int exit_status = 0;
  int error = 0;
};

// Runs `code` in a child process and waits at most `deadline_seconds` for it. Output
// buffered by the caller is flushed first, so the child never writes it twice.
ChildOutcome RunInChild(const std::function<std::string()>& code, double deadline_seconds);

}  // namespace comreg
