#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

class Text : public NoLeaks {
 protected:
  void SetUp() override {
    NoLeaks::SetUp();
    // Cells 3 pixels wide and as high as the font's point size; each glyph is a 2-pixel-wide
    // bar leaving the cell's last column and last row free.
    renderer_ = std::make_shared<CellTextRenderer>(CellTextRenderer::Cells{3, 2, 0, 1});
    SetTextRenderer(renderer_);
    font_ = CreateFontHandle(FontDescription{"Cells", 4.0, 400, false, false, false});
  }
  void TearDown() override {
    SetTextRenderer(nullptr);
    DeleteObject(font_);
    NoLeaks::TearDown();
  }

  // Measures `text` from (5, 6) with the 4-pixel font.
  RECT Measure(const char* text, unsigned format, int* height = nullptr) {
    const HDC dc = CreateCompatibleDC(0);
    const HGDIOBJ previous = SelectObject(dc, font_);
    RECT rect{5, 6, 0, 0};
    const int result = DrawTextA(dc, text, -1, &rect, format);
    if (height) *height = result;
    SelectObject(dc, previous);
    DeleteDC(dc);
    return rect;
  }

  std::vector<std::string> DrawOnCanvas(const char* text, int mode, unsigned format) {
    Canvas canvas(12, 5);
    const HGDIOBJ previous = SelectObject(canvas.dc(), font_);
    SetBkMode(canvas.dc(), mode);
    SetBkColor(canvas.dc(), kBlue);
    SetTextColor(canvas.dc(), kRed);
    RECT rect{1, 0, 6, 5};
    DrawTextA(canvas.dc(), text, -1, &rect, format);
    SelectObject(canvas.dc(), previous);
    return canvas.Rows(kLegend);
  }

  std::shared_ptr<CellTextRenderer> renderer_;
  HFONT font_ = 0;
};

TEST_F(Text, CalcRectSetsRightAndBottomAndDrawsNothing) {
  int height = 0;
  EXPECT_EQ(Measure("abc", DT_CALCRECT, &height), (RECT{5, 6, 14, 10}));
  EXPECT_EQ(height, 4);
  EXPECT_EQ(Measure("ab\r\ncde\nf", DT_CALCRECT, &height), (RECT{5, 6, 14, 18}));
  EXPECT_EQ(height, 12);
  EXPECT_EQ(Measure("a\nb", DT_CALCRECT | DT_SINGLELINE), (RECT{5, 6, 14, 10}));
}

TEST_F(Text, EmptyTextMeasuresZeroWide) {
  int height = 0;
  EXPECT_EQ(Measure("", DT_CALCRECT, &height), (RECT{5, 6, 5, 6}));
  EXPECT_EQ(height, 4);
  EXPECT_EQ(Measure("", DT_CALCRECT | DT_SINGLELINE), (RECT{5, 6, 5, 10}));
}

TEST_F(Text, AmpersandsAreMnemonicPrefixesUnlessSwitchedOff) {
  EXPECT_EQ(Measure("&a&&b", DT_CALCRECT).right, 5 + 9);
  EXPECT_EQ(renderer_->last_text(), "a&b");
  EXPECT_EQ(Measure("&a&&b", DT_CALCRECT | DT_NOPREFIX).right, 5 + 15);
}

TEST_F(Text, SingleLineSitsAtTopLeftClippedToTheRectangle) {
  EXPECT_EQ(DrawOnCanvas("ab", OPAQUE, DT_SINGLELINE), (std::vector<std::string>{
                                                           ".rrbrr......",
                                                           ".rrbrr......",
                                                           ".rrbrr......",
                                                           ".bbbbb......",
                                                           "............",
                                                       }));
  EXPECT_EQ(DrawOnCanvas("ab", TRANSPARENT, DT_SINGLELINE), (std::vector<std::string>{
                                                                ".rr.rr......",
                                                                ".rr.rr......",
                                                                ".rr.rr......",
                                                                "............",
                                                                "............",
                                                            }));
  EXPECT_EQ(DrawOnCanvas("abc", TRANSPARENT, DT_SINGLELINE | DT_NOCLIP)[0], ".rr.rr.rr...");
}

TEST_F(Text, TextBeyondTheSurfaceOrInAnEmptyRectangleIsSafe) {
  Canvas canvas(4, 4);
  SelectObject(canvas.dc(), font_);
  RECT far{2147483000, 2147483000, 2147483647, 2147483647};
  EXPECT_EQ(DrawTextA(canvas.dc(), "abc", 3, &far, DT_SINGLELINE), 4);
  RECT empty{3, 0, 1, 4};
  DrawTextA(canvas.dc(), "abc", 3, &empty, DT_SINGLELINE);
  RECT unclipped{2147483645, -2147483647 - 1, 2147483647, 0};
  DrawTextA(canvas.dc(), "abc", 3, &unclipped, DT_SINGLELINE | DT_NOCLIP);
  RECT empty_far{0, 2147483645, 0, 0};
  DrawTextA(canvas.dc(), "", 0, &empty_far, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(empty_far.bottom, 2147483647);
  RECT measure_far{2147483640, 0, 0, 0};
  DrawTextA(canvas.dc(), "abcdef", 6, &measure_far, DT_CALCRECT);
  EXPECT_EQ(measure_far.right, 2147483647);
  EXPECT_EQ(canvas.Rows(kLegend), std::vector<std::string>(4, "...."));
}

TEST_F(Text, CountLimitsTheTextAndAnsiBytesReachTheRendererAsUtf8) {
  const HDC dc = CreateCompatibleDC(0);
  SelectObject(dc, font_);
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, "ab\x80\xE9zz", 4, &rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(renderer_->last_text(), "ab\xE2\x82\xAC\xC3\xA9");
  DeleteDC(dc);
}

}  // namespace
}  // namespace lumaveil::gdi::testing
