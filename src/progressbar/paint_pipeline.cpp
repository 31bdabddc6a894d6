#include "common/numeric.h"
#include "common/run_time_error.h"
#include "platform/gdi/gdi.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

// Every repaint redraws the whole control. A run-time error ends it at once and is swallowed:
// with a buffer nothing of the failed repaint reaches the window.
void PrgBar::DrawingControlProgressBar() {
  try {
    if (mValue > 100) mValue = 100;
    gdi::GetClientRect(mHwnd, &mClientRect);
    FillBox(mClientRect, mStyle == Look::kDark ? 0x000000 : 0xFFFFFF, mHdc);
    switch (mStyle) {
      case Look::kFlat: DrawFlatBar(); break;
      case Look::kEtched: DrawEtchedBar(); break;
      case Look::kShaded: DrawShadedBar(); break;
      case Look::kDark: DrawDarkBar(); break;
      case Look::kHatched: DrawHatchedBar(); break;
      case Look::kPicture: DrawPictureBar(); break;
      case Look::kMetal: DrawMetalBar(); break;
      default:
        ComputeBarRect();
        DrawBarFill();
        if (mStyle == Look::kBlocks) CutBlockGaps();
        DrawBorder();
        break;
    }
    DrawBarText();
    if (mBuffered != 0) {
      pDraw(host_.hDC(), 0, 0, numeric::RoundToInt32(host_.ScaleWidth()),
            numeric::RoundToInt32(host_.ScaleHeight()), numeric::RoundToInt32(host_.ScaleLeft()),
            numeric::RoundToInt32(host_.ScaleTop()));
    }
  } catch (const RunTimeError&) {
  }
}

}  // namespace lumaveil::progressbar
