// What a test program gives itself when it is run by hand rather than through ctest
// (which gives every run a home of its own): a home made for this run, with the store in
// it, so that no case reads or writes the developer's store, and the offscreen platform
// unless one is named, so that window tests need no display.
#pragma once

#include <string>

namespace tk::testing {

class RunEnvironment {
 public:
  // `program` names the home folder (argv[0] will do). Nothing is made when a store is
  // named already (TOOLKIT_STORE set).
  explicit RunEnvironment(const char* program);
  ~RunEnvironment();  // removes the home it made, whatever a case left in it
  RunEnvironment(const RunEnvironment&) = delete;
  RunEnvironment& operator=(const RunEnvironment&) = delete;

  // The home made for this run; empty when the run was given one.
  const std::string& home() const { return home_; }

 private:
  std::string home_;
};

}  // namespace tk::testing
