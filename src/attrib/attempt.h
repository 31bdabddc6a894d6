// Skip-and-go-on: the pass and the Scan handler run each step on its own, and a step that fails
// (for whatever reason, including running out of memory) is skipped without a message.
#pragma once

namespace lumaveil::attrib {

template <typename Step>
void Attempt(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace lumaveil::attrib
