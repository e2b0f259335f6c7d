// Runs a GoogleTest program of plain (windowless) tests in an environment of its own.
#include <gtest/gtest.h>

#include "run_environment.h"

int main(int argc, char** argv) {
  const tk::testing::RunEnvironment environment(argc > 0 ? argv[0] : nullptr);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
