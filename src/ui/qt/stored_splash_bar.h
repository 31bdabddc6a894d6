// The splash screen's progress bar P2 as the window stores it, read from the program's resources.
#pragma once

#include "progressbar/property_bag.h"

namespace lumaveil::app {

// The stored settings of P2. Throws RunTimeError when the stored text cannot be read.
progressbar::PropertyBag StoredSplashBar();

}  // namespace lumaveil::app
