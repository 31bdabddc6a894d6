// What one tick of the splash screen's Timer1 does to its captions, and when the splash ends.
// Both desktop programs run their splash by these rules; only the windows differ.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumaveil::ui {

inline constexpr int kSplashTimerIntervalMs = 250;
inline constexpr std::int32_t kSplashStep = 5;

struct SplashTick {
  std::string load_caption;                    // the new caption of LblLoad
  std::optional<std::string> process_caption;  // the new status line, when this value has one
  bool unload = false;                        // the splash is done: unload and hand over
};

// The tick after the bar went from `before` to `now` (its value as read back after adding the
// step). A bar whose stored limits keep it from ever showing exactly 100 would hold the program
// on its splash for good: past 100, or stuck where it was, counts as full too.
SplashTick SplashTickAt(std::int32_t before, std::int32_t now);

}  // namespace lumaveil::ui
