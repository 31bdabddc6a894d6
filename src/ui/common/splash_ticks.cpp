#include "ui/common/splash_ticks.h"

namespace lumaveil::ui {

namespace {
constexpr std::int32_t kFull = 100;
}  // namespace

SplashTick SplashTickAt(std::int32_t before, std::int32_t now) {
  SplashTick tick;
  tick.loadCaption = "Loading LMV System : " + std::to_string(now) + "% of 100%";
  if (now == 10) {
    tick.processCaption = "Scanning Components....";
  } else if (now == 50) {
    tick.processCaption = " Please Wait ...";
  } else if (now == 85) {
    tick.processCaption = "Scanning Process Finished...";
  }
  tick.unload = now >= kFull || now == before;
  return tick;
}

}  // namespace lumaveil::ui
