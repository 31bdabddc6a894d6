// A pass host with no window for the benchmarks: its attribute boxes are ticked as `mask` says,
// events never wait and Stop is never asked for. Each benchmark decides what becomes of the
// labels' texts.
#pragma once

#include <cstdint>

#include "attrib/pass_host.h"

namespace lumaveil::bench {

class MaskHost : public attrib::PassHost {
 public:
  std::uint32_t mask = 0;
  bool IsCheck1Ticked(int index) override {
    static constexpr std::uint32_t kBits[] = {0x20, 0x1, 0x2, 0x4};
    return (mask & kBits[index]) != 0;
  }
  void DoEvents() override {}
  bool StopFlag() override { return false; }
};

}  // namespace lumaveil::bench
