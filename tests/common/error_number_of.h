// The number of the run-time error a call raises, for tests that expect one.
#pragma once

#include <functional>

#include "common/run_time_error.h"

namespace lumaveil {

// The RunTimeError's number, or 0 when `call` raises none.
inline int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RunTimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace lumaveil
