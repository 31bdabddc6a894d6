#include "progressbar/drawing_primitives.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "common/error_number_of.h"
#include "common/run_time_error.h"
#include "../platform/gdi/gdi_test_support.h"
#include "platform/gdi/gdi.h"

namespace lumaveil::progressbar {
namespace {

using gdi::COLORREF;
using gdi::RGB;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr std::int32_t kHighlightReference = static_cast<std::int32_t>(0x8000000D);
constexpr std::int32_t kClassicHighlight = 0x6A240A;  // RGB(10, 36, 106)

// What the buffer's context draws on: its bitmap, as large as it is.
gdi::RECT SurfaceOf(const OffscreenBuffer& buffer) {
  gdi::RECT box{};
  gdi::GetClipBox(buffer.mMemDC.get(), &box);
  return box;
}

// A white memory surface; every test checks that the primitives free what they make.
class Primitives : public gdi::testing::NoLeaks {
 protected:
  gdi::HDC Surface(int width, int height) {
    canvas_ = std::make_unique<gdi::testing::Canvas>(width, height);
    return canvas_->dc();
  }
  void TearDown() override {
    canvas_.reset();
    NoLeaks::TearDown();
  }

  COLORREF At(int x, int y) const { return gdi::GetPixel(canvas_->dc(), x, y); }

  std::vector<COLORREF> Row(int y, int width) const {
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x) row.push_back(At(x, y));
    return row;
  }

  std::unique_ptr<gdi::testing::Canvas> canvas_;
};

TEST(Colors, ResolveColorLooksUpSystemColourReferencesOnly) {
  EXPECT_EQ(ResolveColor(kHighlightReference), kClassicHighlight);
  EXPECT_EQ(ResolveColor(0x0000FF), 0x0000FF);
  EXPECT_EQ(ResolveColor(INT_MIN + 500), 0);  // no such system colour
}

TEST(Colors, LightenColorMovesChannelsTowardWhite) {
  EXPECT_EQ(LightenColor(0x000000, 100), 0x646464);
  EXPECT_EQ(LightenColor(0x0000FF, 128), 0x8080FF);
  EXPECT_EQ(LightenColor(0x6A240A, 150), static_cast<std::int32_t>(RGB(154, 164, 193)));
  for (std::int32_t color : {0x000000, 0x123456, 0xFFFFFF, 0x6A240A}) {
    EXPECT_EQ(LightenColor(color, 255), 0xFFFFFF);
    EXPECT_EQ(LightenColor(color, 0), color);
  }
  EXPECT_EQ(LightenColor(0x000000, 300), 0xFFFFFF);  // channels above 255 are lowered to 255
}

TEST(Colors, LightenColorTakesTheColourUnresolvedWithSignedChannels) {
  // -256: red 0, green (-256 \ 256) mod 256 = -1, blue 0; nothing raises a channel below 0.
  EXPECT_EQ(LightenColor(-256, 0), -256);
  EXPECT_NE(LightenColor(kHighlightReference, 0), kClassicHighlight);
  EXPECT_EQ(ErrorNumberOf([] { LightenColor(0, INT_MIN); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { LightenColor(0x0000FF, -20000000); }), error::kOverflow);
}

TEST(Colors, BlendColorsWeighsTheFirstColourInTwoHundredFiftyFifths) {
  EXPECT_EQ(BlendColors(0xC0C0C0, 0x123456, 255), 0xC0C0C0);
  EXPECT_EQ(BlendColors(0xC0C0C0, 0x123456, 0), 0x123456);
  EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 100), 0x646464);
  EXPECT_EQ(BlendColors(0x6A240A, 0, 200), static_cast<std::int32_t>(RGB(8, 28, 83)));
  EXPECT_EQ(BlendColors(kHighlightReference, 0, 255), kClassicHighlight);
  EXPECT_EQ(BlendColors(0, kHighlightReference, 0), kClassicHighlight);
}

TEST(Colors, BlendColorsOutsideTheWeightRange) {
  EXPECT_EQ(BlendColors(0x0000FF, 0, 300), 0x0000FF);  // red 300 lowered to 255
  EXPECT_EQ(ErrorNumberOf([] { BlendColors(0x0000FF, 0, 40000); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { BlendColors(0x0000FF, 0, INT_MAX); }), error::kOverflow);
}

TEST_F(Primitives, FillBoxResolvesItsColourFrameBoxDoesNot) {
  const gdi::HDC dc = Surface(4, 3);
  FillBox(gdi::RECT{0, 0, 2, 3}, kHighlightReference, dc);
  FrameBox(gdi::RECT{2, 0, 4, 3}, kHighlightReference, dc);
  EXPECT_EQ(At(1, 2), static_cast<COLORREF>(kClassicHighlight));
  EXPECT_EQ(At(2, 0), RGB(13, 0, 0));  // the reference's low bits taken as a colour
  EXPECT_EQ(At(3, 2), RGB(13, 0, 0));
}

TEST_F(Primitives, DrawLineStopsBeforeItsEndPointAndRestoresThePen) {
  const gdi::HDC dc = Surface(12, 3);
  DrawLine(2, 1, 10, 1, dc, kHighlightReference);
  const COLORREF blue = kClassicHighlight;
  std::vector<COLORREF> expected(12, kWhite);
  for (int x = 2; x <= 9; ++x) expected[static_cast<std::size_t>(x)] = blue;
  EXPECT_EQ(Row(1, 12), expected);
  // The context's own pen (black) is back.
  gdi::MoveToEx(dc, 0, 2, nullptr);
  gdi::LineTo(dc, 1, 2);
  EXPECT_EQ(At(0, 2), RGB(0, 0, 0));
}

TEST_F(Primitives, VerticalGradientSpansColumnsXToXPlusCount) {
  const gdi::HDC dc = Surface(16, 22);
  std::int32_t end = RGB(0, 0, 0);
  std::int32_t start = RGB(255, 90, 0);
  DrawGradient(end, start, 4, 3, 9, 20, dc, true);
  EXPECT_EQ(At(3, 10), kWhite);
  EXPECT_EQ(At(14, 10), kWhite);
  EXPECT_EQ(At(4, 3), RGB(0, 0, 0));
  EXPECT_EQ(At(13, 19), RGB(255, 90, 0));
  EXPECT_EQ(At(13, 20), kWhite);
  EXPECT_EQ(At(13, 2), kWhite);
  // Steps of 255/9 and 10 per column, rounded half to even.
  EXPECT_EQ(At(5, 3), RGB(28, 10, 0));
  EXPECT_EQ(At(7, 10), RGB(85, 30, 0));
  EXPECT_EQ(At(8, 19), RGB(113, 40, 0));
  for (int x = 4; x <= 13; ++x) EXPECT_EQ(At(x, 19), At(x, 3));
}

TEST_F(Primitives, HorizontalGradientHasCountPlusOneRowsEndingBeforeX2) {
  const gdi::HDC dc = Surface(10, 12);
  std::int32_t end = RGB(0, 0, 0);
  std::int32_t start = RGB(1, 3, 5);
  DrawGradient(end, start, 2, 1, 7, 6, dc, false);
  for (int y = 1; y <= 7; ++y) {
    EXPECT_EQ(At(1, y), kWhite);
    EXPECT_NE(At(2, y), kWhite);
    EXPECT_EQ(At(6, y), At(2, y));
    EXPECT_EQ(At(7, y), kWhite);
  }
  EXPECT_EQ(At(3, 0), kWhite);
  EXPECT_EQ(At(3, 8), kWhite);
  EXPECT_EQ(At(3, 1), RGB(0, 0, 0));
  EXPECT_EQ(At(3, 7), RGB(1, 3, 5));
  // Row 3 is halfway in exact arithmetic (0.5, 1.5, 2.5), but the red step 1/6 is kept in single
  // precision and so lands just above the half.
  EXPECT_EQ(At(3, 4), RGB(1, 2, 2));
}

TEST_F(Primitives, GradientOfCountZeroIsOneLineInTheEndColourNegativeIsNone) {
  const gdi::HDC dc = Surface(6, 4);
  std::int32_t end = kHighlightReference;
  std::int32_t start = RGB(255, 0, 0);
  DrawGradient(end, start, 1, 0, 0, 4, dc, true);
  EXPECT_EQ(end, kClassicHighlight);  // the caller's variables receive the resolved colours
  EXPECT_EQ(At(1, 0), static_cast<COLORREF>(kClassicHighlight));
  EXPECT_EQ(At(1, 3), static_cast<COLORREF>(kClassicHighlight));
  EXPECT_EQ(At(2, 0), kWhite);
  std::int32_t end2 = RGB(0, 0, 0);
  std::int32_t start2 = kHighlightReference;
  DrawGradient(end2, start2, 3, 0, -1, 4, dc, true);
  EXPECT_EQ(start2, kClassicHighlight);
  EXPECT_EQ(At(3, 0), kWhite);
}

TEST_F(Primitives, GradientLinesPartlyOffTheSurfaceKeepTheirColours) {
  const gdi::HDC dc = Surface(4, 2);
  std::int32_t end = RGB(0, 0, 0);
  std::int32_t start = RGB(100, 0, 0);
  DrawGradient(end, start, -5, 0, 10, 2, dc, true);  // columns -5 .. 5, ten steps of 10
  EXPECT_EQ(Row(0, 4), (std::vector<COLORREF>{RGB(50, 0, 0), RGB(60, 0, 0), RGB(70, 0, 0),
                                               RGB(80, 0, 0)}));
}

TEST_F(Primitives, HugeGradientCountsAndCoordinatesNearTheLimitAreSafe) {
  const gdi::HDC dc = Surface(4, 4);
  std::int32_t end = RGB(0, 0, 0);
  std::int32_t start = RGB(255, 255, 255);
  DrawGradient(end, start, 0, 0, INT_MAX, 4, dc, true);
  EXPECT_EQ(At(3, 3), RGB(0, 0, 0));
  DrawGradient(end, start, 0, INT_MAX - 2, 4, 10, dc, false);
  DrawGradient(end, start, INT_MIN + 1, 0, INT_MAX, 4, dc, true);
  EXPECT_EQ(At(0, 0), kWhite);  // column 0 is the last line, in the start colour
  EXPECT_EQ(At(1, 0), RGB(0, 0, 0));  // beyond the last line: as the first gradient left it
}

TEST_F(Primitives, EnsureBufferKeepsAFittingBufferAndRecreatesOtherwise) {
  OffscreenBuffer buffer;
  const gdi::HDC first = EnsureBuffer(buffer, 100, 20);
  ASSERT_NE(first, 0);
  EXPECT_EQ(buffer.mMemDC.get(), first);
  EXPECT_EQ(buffer.mBufWidth, 100);
  EXPECT_EQ(buffer.mBufHeight, 20);
  EXPECT_EQ(SurfaceOf(buffer).right, 100);
  const std::int32_t bitmap = buffer.mMemBitmap.get();
  EXPECT_EQ(EnsureBuffer(buffer, 50, 20), first);
  EXPECT_EQ(buffer.mMemBitmap.get(), bitmap);
  EXPECT_EQ(buffer.mBufWidth, 100);
  EnsureBuffer(buffer, 50, 30);
  EXPECT_EQ(buffer.mBufWidth, 50);
  EXPECT_EQ(buffer.mBufHeight, 30);
  EXPECT_EQ(SurfaceOf(buffer).bottom, 30);
  FreeBuffer(buffer);
}

TEST_F(Primitives, EnsureBufferWithoutABufferDecidesOnTheSum) {
  OffscreenBuffer buffer;
  EXPECT_EQ(EnsureBuffer(buffer, 0, 0), 0);
  EXPECT_EQ(EnsureBuffer(buffer, -5, 5), 0);
  EXPECT_NE(EnsureBuffer(buffer, 0, 10), 0);
  EXPECT_EQ(buffer.mBufWidth, 0);
  EXPECT_EQ(buffer.mBufHeight, 10);
  FreeBuffer(buffer);
  EXPECT_EQ(ErrorNumberOf([&] { EnsureBuffer(buffer, INT_MAX, 1); }), error::kOverflow);
  EXPECT_FALSE(buffer.mMemDC);
}

TEST_F(Primitives, AFailedCreationLeavesNoPartialBuffer) {
  OffscreenBuffer buffer;
  EnsureBuffer(buffer, 10, 10);
  EXPECT_EQ(EnsureBuffer(buffer, 20, -1), 0);  // wider, but no bitmap can be that size
  EXPECT_FALSE(buffer.mMemDC);
  EXPECT_FALSE(buffer.mMemBitmap);
  EXPECT_EQ(buffer.mOldBitmap.previous(), 0);
  EXPECT_EQ(EnsureBuffer(buffer, 100000, 100000), 0);
  EXPECT_EQ(buffer.mBufWidth, 0);
  EXPECT_EQ(buffer.mBufHeight, 0);
}

TEST_F(Primitives, FreeBufferZeroesTheFieldsAndASecondCallDoesNothing) {
  OffscreenBuffer buffer;
  CreateBuffer(buffer, 8, 8);
  ASSERT_NE(buffer.mOldBitmap.previous(), 0);
  FreeBuffer(buffer);
  FreeBuffer(buffer);
  EXPECT_FALSE(buffer.mMemDC);
  EXPECT_FALSE(buffer.mMemBitmap);
  EXPECT_EQ(buffer.mOldBitmap.previous(), 0);
  EXPECT_EQ(buffer.mBufWidth, 0);
  EXPECT_EQ(buffer.mBufHeight, 0);
}

TEST_F(Primitives, PDrawCopiesTheWholeBufferForZeroSizes) {
  const gdi::HDC dc = Surface(8, 6);
  OffscreenBuffer buffer;
  EnsureBuffer(buffer, 3, 2);
  FillBox(gdi::RECT{0, 0, 3, 2}, RGB(255, 0, 0), buffer.mMemDC.get());
  gdi::SetPixelV(buffer.mMemDC.get(), 2, 1, RGB(0, 0, 255));
  pDraw(buffer, dc, 0, 0, 0, 0, 4, 3);
  EXPECT_EQ(At(4, 3), RGB(255, 0, 0));
  EXPECT_EQ(At(6, 4), RGB(0, 0, 255));
  EXPECT_EQ(At(7, 4), kWhite);
  EXPECT_EQ(At(4, 5), kWhite);
  EXPECT_EQ(At(3, 3), kWhite);
  pDraw(buffer, dc, 2, 1, 1, 1, 0, 0);  // one pixel from the middle of the buffer
  EXPECT_EQ(At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(At(1, 0), kWhite);
  FreeBuffer(buffer);
  pDraw(buffer, dc, 0, 0, 0, 0, 0, 5);  // no buffer: nothing
  EXPECT_EQ(At(0, 5), kWhite);
}

}  // namespace
}  // namespace lumaveil::progressbar
