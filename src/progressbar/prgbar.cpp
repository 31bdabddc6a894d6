#include "progressbar/prgbar.h"

#include "common/numeric.h"
#include "progressbar/font.h"
#include "progressbar/picture.h"

namespace lumaveil::progressbar {

namespace {
constexpr std::int32_t kWhite = 0x00FFFFFF;
}  // namespace

// The platform raises Initialize when it creates a control and Terminate when it ends one.
PrgBar::PrgBar(HostSurface& host) : host_(host) { UserControl_Initialize(); }

PrgBar::~PrgBar() { UserControl_Terminate(); }

void PrgBar::UserControl_Initialize() {
  SetFont(std::make_shared<StdFont>());
  host_.SetBackColor(kWhite);
  host_.SetScaleMode(kScaleModePixels);
  Sethdc(host_.hDC());
  SethWnd(host_.hWnd());
  mMax = 100;
  mMin = 0;
  mValue = 0;
  mOrientation = 0;
  mStyle = Look::kBlocks;
  mColor = ResolveColor(kHighlightColorReference);
  DrawingControlProgressBar();
}

void PrgBar::UserControl_Resize() { Sethdc(host_.hDC()); }

void PrgBar::UserControl_Paint() { DrawingControlProgressBar(); }

void PrgBar::UserControl_Terminate() { FreeBuffer(mBuffer); }

// The argument is not used: the drawing target is the buffer at the surface's present size,
// or the surface itself when no buffer can be made.
void PrgBar::Sethdc(gdi::HDC) {
  const std::int32_t width = numeric::RoundToInt32(host_.ScaleWidth());
  const std::int32_t height = numeric::RoundToInt32(host_.ScaleHeight());
  mHdc = EnsureBuffer(mBuffer, width, height);
  if (mHdc != 0) {
    mBuffered = -1;
  } else {
    mHdc = host_.hDC();
  }
}

void PrgBar::SethWnd(gdi::HWND chWnd) { mHwnd = chWnd; }

void PrgBar::pDraw(gdi::HDC hdc, std::int32_t xSrc, std::int32_t ySrc, std::int32_t WidthSrc,
                   std::int32_t HeightSrc, std::int32_t xDst, std::int32_t yDst) {
  progressbar::pDraw(mBuffer, hdc, xSrc, ySrc, WidthSrc, HeightSrc, xDst, yDst);
}

}  // namespace lumaveil::progressbar
