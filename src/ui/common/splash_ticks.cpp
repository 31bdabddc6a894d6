#include "ui/common/splash_ticks.h"

namespace lumaveil::ui {

namespace {
constexpr std::int32_t kFull = 100;
}  // namespace

SplashTick SplashTickAt(std::int32_t before, std::int32_t now) {
  SplashTick tick;
  tick.load_caption = "Loading LMV System : " + std::to_string(now) + "% of 100%";
  if (now == 10) {
    tick.process_caption = "Scanning Components....";
  } else if (now == 50) {
    tick.process_caption = " Please Wait ...";
  } else if (now == 85) {
    tick.process_caption = "Scanning Process Finished...";
  }
  tick.unload = now >= kFull || now == before;
  return tick;
}

}  // namespace lumaveil::ui
