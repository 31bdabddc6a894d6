// Skip-and-go-on: the pass and the Scan handler run each step on its own, and a step that fails
// with one of the program's run-time errors, or for want of memory, is skipped without a
// message. Anything else is a fault of the program and goes on to the caller.
#pragma once

#include <new>

#include "common/run_time_error.h"

namespace lumaveil::attrib {

template <typename Step>
void Attempt(Step&& step) {
  try {
    step();
  } catch (const RunTimeError&) {
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace lumaveil::attrib
