// PrgBar: a progress bar that draws itself completely, in ten looks, into an off-screen buffer
// and copies the finished picture to its window. It keeps its design-time settings in the host's
// property bag. Its fields keep the names its stored settings and docs use (mValue, mStyle, ...),
// so the drawing code reads the same as docs/progressbar.md.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/types.h"
#include "progressbar/drawing_primitives.h"
#include "progressbar/host_surface.h"
#include "progressbar/property_bag.h"

namespace lumaveil::progressbar {

class StdFont;
class StdPicture;

// The ten looks, by the number the Style property stores. Style holds any 32-bit number: one
// without a look of its own draws as kSmooth does.
enum class Look : std::int32_t {
  kBlocks = 0,     // the shaded bar cut into blocks (the splash screen's)
  kSmooth = 1,     // the same shaded bar without gaps
  kSearching = 2,  // three moving segments and "Searching.."
  kFlat = 3,
  kEtched = 4,
  kShaded = 5,
  kDark = 6,       // black background, fill rising from black
  kHatched = 7,    // a hatch brush of BrushStyle
  kPicture = 8,    // tiled with the Image picture
  kMetal = 9,      // silver track, and a second bar with MetalValue
};

// The system highlight colour, as a system-colour reference: the bar's colour until one is set.
inline constexpr std::int32_t kHighlightColorReference = static_cast<std::int32_t>(0x8000000Du);

class PrgBar {
 public:
  // The host must outlive the control.
  explicit PrgBar(HostSurface& host);
  ~PrgBar();
  PrgBar(const PrgBar&) = delete;
  PrgBar& operator=(const PrgBar&) = delete;

  // Properties. Setters store, then notify the host, then repaint, as each one's own rule says;
  // none checks its argument's range.
  std::int32_t Color() const { return mColor; }
  void SetColor(std::int32_t lColor);
  std::int32_t Color2() const { return mColor2; }
  void SetColor2(std::int32_t lColor2);
  const std::shared_ptr<StdFont>& Font() const { return mFont; }
  void SetFont(std::shared_ptr<StdFont> fnt);
  gdi::HWND hWnd() const { return mHwnd; }
  void SethWnd(gdi::HWND chWnd);
  gdi::HDC hdc() const { return mHdc; }
  void Sethdc(gdi::HDC cHdc);
  const std::shared_ptr<StdPicture>& Image() const { return mImage; }
  void SetImage(std::shared_ptr<StdPicture> handle);
  std::int32_t Min() const { return mMin; }
  void SetMin(std::int32_t cMin);
  std::int32_t Max() const { return mMax; }
  void SetMax(std::int32_t cMax);
  std::int32_t Orientation() const { return mOrientation; }
  void SetOrientation(std::int32_t PositionEnum);
  std::int32_t Style() const { return static_cast<std::int32_t>(mStyle); }
  void SetStyle(std::int32_t lScrolling);
  bool ShowText() const { return mShowText != 0; }
  void SetShowText(bool bShowText);
  std::int32_t value() const;
  void SetValue(std::int32_t cValue);
  std::int32_t Value2() const;
  void SetValue2(std::int32_t cValue2);
  bool MetalValue() const { return mMetalValue != 0; }
  void SetMetalValue(bool NewValue);
  // Write-only: the look reads the brush style when it paints, nothing else asks for it.
  void SetBrushStyle(std::int32_t Style);

  // The one repaint: background, the look of mStyle, the text, and the copy to the window.
  // It never reports an error.
  void DrawingControlProgressBar();

  // Copies the off-screen buffer to hdc, for a host that shows the control's surface itself.
  void pDraw(gdi::HDC hdc, std::int32_t xSrc, std::int32_t ySrc, std::int32_t WidthSrc,
             std::int32_t HeightSrc, std::int32_t xDst, std::int32_t yDst);

  // The host's life-cycle events.
  void UserControl_Initialize();
  void UserControl_Resize();
  void UserControl_Paint();
  void UserControl_Terminate();
  void UserControl_ReadProperties(const PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);

 private:
  std::int32_t PercentageOf(std::int32_t cValue) const;
  std::int32_t ValueOf(std::int32_t percentage) const;

  // Paint pipeline (default bar, border, text).
  void ComputeBarRect();
  void DrawBarFill();
  void DrawStyle2Segments();
  void CutBlockGaps();
  void DrawBorder();
  void DrawBarText();
  void CenterBarText(const std::string& text);
  void DrawBarTextOverlay(const std::string& text);
  gdi::ScopedSelect SelectTextFont();

  // Styled fills.
  void DrawFlatBar();
  void DrawEtchedBar();
  void DrawShadedBar();
  void DrawDarkBar();
  void DrawHatchedBar();
  void DrawPictureBar();
  void DrawMetalBar();

  HostSurface& host_;

  std::int32_t mColor = 0;
  std::int32_t mColor2 = 0;
  gdi::HDC mHdc = 0;
  gdi::HWND mHwnd = 0;
  std::int32_t mMax = 0;
  std::int32_t mMin = 0;
  std::int32_t mValue = 0;
  std::int32_t mValue2 = 0;
  std::int16_t mMetalValue = 0;
  std::int16_t mShowText = 0;
  Look mStyle = Look::kBlocks;
  std::int32_t mOrientation = 0;
  std::int32_t mBrushStyle = 0;
  std::shared_ptr<StdPicture> mImage;
  std::int16_t mBuffered = 0;
  OffscreenBuffer mBuffer;  // mMemDC, mMemBitmap, mOldBitmap, mBufWidth, mBufHeight
  std::shared_ptr<StdFont> mTextFont;
  std::shared_ptr<StdFont> mFont;
  gdi::HGDIOBJ mOldFont = 0;
  double mFraction = 0.0;
  gdi::RECT mClientRect;
  gdi::RECT mBarRect;
  gdi::RECT mGapRect;
  gdi::RECT mTextRect;
  std::int32_t mBlockWidth = 0;
  std::int32_t mBlockGap = 0;
};

}  // namespace lumaveil::progressbar
