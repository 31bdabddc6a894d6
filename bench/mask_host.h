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
  bool IsTicked(attrib::Attribute attribute) override {
    return (mask & attrib::BitOf(attribute)) != 0;
  }
  void PumpEvents() override {}
  bool StopRequested() override { return false; }
};

}  // namespace lumaveil::bench
