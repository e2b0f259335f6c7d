// The number of the run-time error that a call raises, for tests that expect one.
#pragma once

#include "runtime/errors.h"

namespace tk::testing {

// The run-time error number that `call` raises, or 0 when it raises none.
template <class Call>
int ErrorOf(Call&& call) {
  try {
    call();
  } catch (const tk::RuntimeError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace tk::testing
