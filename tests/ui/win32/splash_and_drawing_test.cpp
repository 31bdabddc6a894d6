// The splash's twenty ticks and its hand-over, the bar's pixels on screen, the GDI text renderer
// and the long-path label.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/gdi.h"
#include "ui/win32/gdi_objects.h"
#include "ui/win32/gdi_text_renderer.h"
#include "ui/win32/label.h"
#include "ui/win32/program.h"
#include "ui/win32/win32_ui_test_support.h"

namespace lumaveil::win32 {
namespace {

using testing::TextOf;

TEST(SplashScreenTest, TwentyTicksFillTheBarAndHandOverToTheMainWindow) {
  testing::SetUpWindows();
  auto file_system = fs::CreateFileSystem();
  testing::ScriptedPicker picker;
  int all_closed = 0;
  Program program(*file_system, picker, [] {}, [&] { ++all_closed; });
  program.Start();
  SplashScreen& splash = *program.Splash();
  HWND window = splash.hwnd();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(TextOf(window), L"Lumaveil");
  EXPECT_EQ(splash.LblLoad().Text(), L"Please wait LMV is configuring environment.");

  for (int tick = 1; tick <= 19; ++tick) {
    SendMessageW(window, WM_TIMER, SplashScreen::kTimer1, 0);
    if (tick == 1) {
      EXPECT_EQ(splash.LblLoad().Text(), L"Loading LMV System : 5% of 100%");
    }
    if (tick == 10) {
      EXPECT_EQ(splash.lblProcess().Text(), L" Please Wait ...");
    }
  }
  EXPECT_EQ(program.MainWindow(), nullptr) << "not before the twentieth tick";

  // The bar's own pixels reach the screen: its left part is filled in the stored colour.
  HWND bar = splash.P2().hwnd();
  UpdateWindow(bar);
  const gdi::PixelBuffer pixels = splash.P2().Pixels();
  ASSERT_GT(pixels.width, 4);
  const WindowDc dc(bar);
  int same = 0;
  for (int x = 2; x < pixels.width - 2; x += 7) {
    const std::uint32_t layer = pixels.pixels[std::ptrdiff_t(pixels.height / 2) * pixels.width + x];
    const COLORREF expected = gdi::RGB((layer >> 16) & 0xFF, (layer >> 8) & 0xFF, layer & 0xFF);
    if (GetPixel(dc.get(), x, pixels.height / 2) == expected) ++same;
  }
  EXPECT_GT(same, 0) << "the screen shows the layer's pixels";

  SendMessageW(window, WM_TIMER, SplashScreen::kTimer1, 0);
  EXPECT_EQ(splash.P2().value(), 100);
  EXPECT_TRUE(splash.Unloaded());
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_NE(program.MainWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(program.MainWindow()->hwnd()));
  RunPendingMessages();
  EXPECT_EQ(splash.hwnd(), nullptr) << "the splash window is gone";

  SendMessageW(program.MainWindow()->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(all_closed, 1) << "the last window closed ends the program";
}

TEST(GdiTextRendererTest, MeasuresWithTheFontsMetricsAndDrawsOnlyInsideTheClip) {
  GdiTextRenderer renderer(96);
  gdi::FontDescription font;
  font.face = "Tahoma";
  const gdi::TextExtent empty = renderer.Measure(font, "");
  const gdi::TextExtent some = renderer.Measure(font, "50%");
  EXPECT_EQ(empty.width, 0);
  EXPECT_GT(empty.height, 8);
  EXPECT_EQ(some.height, empty.height);
  EXPECT_GT(some.width, 10);
  font.weight = 700;
  EXPECT_GE(renderer.Measure(font, "50%").width, some.width) << "bold is no narrower";

  std::vector<std::uint32_t> pixels(40 * 20, 0x00FFFFFF);
  const gdi::PixelBuffer target{pixels.data(), 40, 20};
  renderer.Draw(font, "WWWW", 0, 2, gdi::RGB(0, 0, 128), target, gdi::RECT{0, 0, 20, 20});
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const std::uint32_t p = pixels[std::size_t(y) * 40 + x];
      EXPECT_EQ(p >> 24, 0u);
      if (p != 0x00FFFFFF) ++(x < 20 ? inside : outside);
    }
  }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

TEST(PathTailLinesTest, AVeryLongPathLaysOutOnlyTheEndThatShows) {
  const Font tahoma = TahomaFont(96);
  const MemoryDc memory(CreateCompatibleDC(nullptr));
  const HDC dc = memory.get();
  const Selection selected(dc, tahoma.get());
  std::wstring path = L"C:\\";
  while (path.size() < 300000) path += L"folder\\";
  path += L"last-file.txt";
  const std::vector<TextLine> lines = PathTailLines(dc, path, 393, 3);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines.back().start + std::size_t(lines.back().length), path.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SIZE size{};
    GetTextExtentPoint32W(dc, path.data() + lines[i].start, lines[i].length, &size);
    EXPECT_LE(size.cx, 393) << i;
    if (i > 0) {
      EXPECT_EQ(lines[i].start, lines[i - 1].start + std::size_t(lines[i - 1].length));
    }
  }
  const std::vector<TextLine> short_one = PathTailLines(dc, L"C:\\a.txt", 393, 3);
  ASSERT_EQ(short_one.size(), 1u);
  EXPECT_EQ(short_one[0].start, 0u);
}

}  // namespace
}  // namespace lumaveil::win32
