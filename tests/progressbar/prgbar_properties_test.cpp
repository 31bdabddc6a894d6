#include <gtest/gtest.h>

#include "bar_fixture.h"
#include "common/error_number_of.h"
#include "common/run_time_error.h"
#include "progressbar/font.h"
#include "progressbar/picture.h"

namespace lumaveil::progressbar::testing {
namespace {

using PrgBarProperties = BarTest;

TEST_F(PrgBarProperties, NewInstanceHasItsDefaultsAndSetsUpTheSurface) {
  WindowSurface surface(40, 20);
  PrgBar bar(surface);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.value(), 0);
  EXPECT_EQ(bar.Value2(), 0);
  EXPECT_EQ(bar.Style(), 0);
  EXPECT_EQ(bar.Orientation(), 0);
  EXPECT_FALSE(bar.ShowText());
  EXPECT_FALSE(bar.MetalValue());
  EXPECT_EQ(bar.Image(), nullptr);
  EXPECT_NE(bar.Font(), nullptr);
  EXPECT_EQ(bar.Color(), static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_HIGHLIGHT)));
  EXPECT_EQ(bar.Color2(), 0);
  EXPECT_EQ(bar.hWnd(), surface.hWnd());
  EXPECT_EQ(surface.BackColor(), 0xFFFFFF);
  EXPECT_EQ(surface.ScaleMode(), kScaleModePixels);
  // The drawing target is the buffer, not the window's own context.
  EXPECT_NE(bar.hdc(), 0);
  EXPECT_NE(bar.hdc(), surface.hDC());
}

TEST_F(PrgBarProperties, ValuesRoundTripOnTheDefaultScale) {
  PrgBar& bar = MakeBar(100, 17);
  for (std::int32_t v = 0; v <= 100; v += 5) {
    bar.SetValue(v);
    bar.SetValue2(v);
    EXPECT_EQ(bar.value(), v);
    EXPECT_EQ(bar.Value2(), v);
  }
  bar.SetValue(150);  // the setter's repaint lowers the percentage for good
  EXPECT_EQ(bar.value(), 100);
  bar.SetValue2(150);  // the second value is never limited
  EXPECT_EQ(bar.Value2(), 150);
  bar.SetValue(-5);
  EXPECT_EQ(bar.value(), -5);
}

TEST_F(PrgBarProperties, PercentagesRoundHalfToEvenAndKeepTheirResolution) {
  PrgBar& bar = MakeBar(100, 17);
  bar.SetMax(200);
  const std::pair<std::int32_t, std::int32_t> stored[] = {{1, 0}, {3, 2}, {5, 2}, {7, 4}};
  for (const auto& [value, percentage] : stored) {
    bar.SetValue(value);
    EXPECT_EQ(bar.value(), percentage * 2) << "value " << value;
  }
  bar.SetMax(1000);
  bar.SetValue(333);
  EXPECT_EQ(bar.value(), 330);
}

TEST_F(PrgBarProperties, MaxAndMinNeitherRepaintNorMoveTheBar) {
  PrgBar& bar = MakeBar(100, 17);
  bar.SetValue(50);
  const auto before = Picture();
  bar.SetMax(200);
  EXPECT_EQ(bar.value(), 100);
  bar.SetMin(0);
  EXPECT_EQ(Picture(), before);
  bar.DrawingControlProgressBar();
  EXPECT_EQ(Picture(), before);  // still half full
}

TEST_F(PrgBarProperties, ErrorsOfTheValueSettersLeaveFieldAndBarAsTheyWere) {
  PrgBar& bar = MakeBar(100, 17);
  bar.SetValue(40);
  bar.SetValue2(30);
  const auto before = Picture();

  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue(21474837); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue2(-21474837); }), error::kOverflow);
  EXPECT_EQ(bar.value(), 40);
  EXPECT_EQ(bar.Value2(), 30);
  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue(21474836); }), 0);  // the largest that scales
  EXPECT_EQ(bar.value(), 100);
  bar.SetValue(40);

  bar.SetMax(0);
  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue(7); }), error::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue(0); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue2(-3); }), error::kDivisionByZero);
  EXPECT_EQ(bar.value(), 0);  // the getters do not fail on Max 0
  EXPECT_EQ(bar.Value2(), 0);
  EXPECT_EQ(Picture(), before);
  bar.SetMax(100);
  EXPECT_EQ(bar.value(), 40);

  // A percentage that leaves 32 bits on the way back is an overflow of the getter.
  bar.SetMax(1);
  bar.SetValue2(21474836);
  bar.SetMax(2147483647);
  EXPECT_EQ(ErrorNumberOf([&] { (void)bar.Value2(); }), error::kOverflow);
}

TEST_F(PrgBarProperties, NonZeroMinimumMapsTheRangeOntoTheBarBothWays) {
  PrgBar& bar = MakeBar(100, 17);
  bar.SetMin(50);
  bar.SetMax(150);
  bar.SetValue(75);
  EXPECT_EQ(bar.value(), 75);
  bar.SetValue2(150);
  EXPECT_EQ(bar.Value2(), 150);
  bar.SetMin(-100);
  bar.SetMax(100);
  bar.SetValue(0);
  EXPECT_EQ(bar.value(), 0);
  bar.SetMin(100);  // Min equal to Max: the range is empty
  EXPECT_EQ(ErrorNumberOf([&] { bar.SetValue(5); }), error::kDivisionByZero);
}

TEST_F(PrgBarProperties, ColoursAreResolvedWhenStored) {
  PrgBar& bar = MakeBar(50, 17);
  bar.SetColor(static_cast<std::int32_t>(0x8000000Du));
  EXPECT_EQ(bar.Color(), static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_HIGHLIGHT)));
  bar.SetColor2(static_cast<std::int32_t>(0x80000010u));
  EXPECT_EQ(bar.Color2(), static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNSHADOW)));
  bar.SetColor(0x0000FF);
  EXPECT_EQ(bar.Color(), 0x0000FF);
}

// Each setter stores, then notifies with its key, then repaints: the host sees the new value
// when told, and the window shows the old picture at that moment.
TEST_F(PrgBarProperties, SettersStoreThenNotifyThenRepaint) {
  PrgBar& bar = MakeBar(60, 17);
  struct Setter {
    const char* key;  // nullptr: no notification
    bool repaints;
    std::function<void()> set;
    std::function<bool()> stored;
  };
  auto picture = std::make_shared<StdPicture>(1, 1, std::vector<std::uint32_t>{0x123456});
  auto font = std::make_shared<StdFont>();
  const Setter setters[] = {
      {"Style", true, [&] { bar.SetStyle(1); }, [&] { return bar.Style() == 1; }},
      {"Orientation", true, [&] { bar.SetOrientation(1); }, [&] { return bar.Orientation() == 1; }},
      {"ShowText", true, [&] { bar.SetShowText(true); }, [&] { return bar.ShowText(); }},
      {"MetalValue", true, [&] { bar.SetMetalValue(true); }, [&] { return bar.MetalValue(); }},
      {"Image", true, [&] { bar.SetImage(picture); }, [&] { return bar.Image() == picture; }},
      {"Max", false, [&] { bar.SetMax(300); }, [&] { return bar.Max() == 300; }},
      {"Min", false, [&] { bar.SetMin(0); }, [&] { return bar.Min() == 0; }},
      {"BrushStyle", false, [&] { bar.SetBrushStyle(2); }, [] { return true; }},
      {nullptr, true, [&] { bar.SetValue(150); }, [&] { return bar.value() == 150; }},
      {nullptr, true, [&] { bar.SetValue2(90); }, [&] { return bar.Value2() == 90; }},
      {nullptr, true, [&] { bar.SetColor(0x00FF00); }, [&] { return bar.Color() == 0x00FF00; }},
      {nullptr, true, [&] { bar.SetColor2(0x0000FF); }, [&] { return bar.Color2() == 0x0000FF; }},
      {nullptr, false, [&] { bar.SetFont(font); }, [&] { return bar.Font() == font; }},
  };
  for (const Setter& s : setters) {
    // Scribble on the window so a repaint shows.
    gdi::SetPixelV(surface_->hDC(), 30, 8, RGB(1, 2, 3));
    std::vector<std::string> seen;
    bool stored_when_told = false;
    bool window_untouched_when_told = false;
    surface_->OnPropertyChanged([&](std::string_view key) {
      seen.emplace_back(key);
      stored_when_told = s.stored();
      window_untouched_when_told = Pixel(30, 8) == RGB(1, 2, 3);
    });
    s.set();
    const std::string what = s.key ? s.key : "a setter without key";
    if (s.key) {
      EXPECT_EQ(seen, std::vector<std::string>{s.key});
      EXPECT_TRUE(stored_when_told) << what;
      EXPECT_TRUE(window_untouched_when_told) << what;
    } else {
      EXPECT_TRUE(seen.empty()) << what;
    }
    EXPECT_EQ(Pixel(30, 8) != RGB(1, 2, 3), s.repaints) << what;
  }
}

TEST_F(PrgBarProperties, ResizeGrowsTheBufferAndZeroSizeDrawsOnTheWindowItself) {
  WindowSurface surface(0, 0);
  PrgBar bar(surface);
  EXPECT_EQ(bar.hdc(), surface.hDC());  // no buffer can be made
  surface.Resize(30, 10);
  bar.UserControl_Resize();
  EXPECT_NE(bar.hdc(), surface.hDC());
  bar.SetValue(100);
  EXPECT_EQ(gdi::GetPixel(surface.hDC(), 0, 5), RGB(104, 104, 104));  // the frame reached it
}

}  // namespace
}  // namespace lumaveil::progressbar::testing
