// Lets the window events that are waiting run once, from inside a handler that is still busy
// (the attribute pass calls this after every file so that Stop gets through).
#pragma once

namespace lumaveil::qt {

// One pass of Qt's event loop: every event already queued is dispatched, including paints and
// posted events, then control returns. It never waits for new events.
void RunPendingEvents();

}  // namespace lumaveil::qt
