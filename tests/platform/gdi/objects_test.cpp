#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

using Objects = NoLeaks;

TEST_F(Objects, SelectObjectReturnsWhatItDisplacedPerKind) {
  const HDC dc = CreateCompatibleDC(0);
  const HBRUSH first = CreateSolidBrush(kRed);
  const HBRUSH second = CreateSolidBrush(kBlue);
  const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  const HGDIOBJ stock_brush = SelectObject(dc, first);
  EXPECT_NE(stock_brush, 0);
  EXPECT_EQ(SelectObject(dc, second), first);
  const HGDIOBJ stock_pen = SelectObject(dc, pen);  // a pen does not displace a brush
  EXPECT_NE(stock_pen, 0);
  EXPECT_EQ(SelectObject(dc, stock_brush), second);
  EXPECT_EQ(SelectObject(dc, stock_pen), pen);
  for (HGDIOBJ object : {first, second, pen}) EXPECT_TRUE(DeleteObject(object));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(Objects, StaleAndZeroHandlesFailQuietly) {
  const HBRUSH brush = CreateSolidBrush(kRed);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(0));
  const HDC dc = CreateCompatibleDC(0);
  EXPECT_EQ(SelectObject(dc, brush), 0);
  EXPECT_EQ(SelectObject(0, brush), 0);
  const RECT rect{0, 0, 1, 1};
  EXPECT_FALSE(FillRect(dc, &rect, brush));
  DeleteDC(dc);
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
  EXPECT_EQ(SetTextColor(dc, kRed), CLR_INVALID);
  EXPECT_FALSE(LineTo(dc, 1, 1));
}

TEST_F(Objects, BrushDeletedWhileSelectedIsFreedWhenDeselected) {
  const int before = LiveObjectCount();
  const HDC dc = CreateCompatibleDC(0);
  const HBRUSH brush = CreateSolidBrush(kRed);
  const HGDIOBJ previous = SelectObject(dc, brush);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(LiveObjectCount(), before + 2);  // still in use by the context
  SelectObject(dc, previous);
  EXPECT_EQ(LiveObjectCount(), before + 1);
  DeleteDC(dc);
}

TEST_F(Objects, DeleteDcReleasesItsSelectionsButDoesNotDeleteThem) {
  const HDC dc = CreateCompatibleDC(0);
  const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
  SelectObject(dc, pen);
  SelectObject(dc, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));  // selected bitmaps cannot go
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteObject(pen));
}

TEST_F(Objects, BitmapGoesIntoOneMemoryContextAtATime) {
  const HDC first = CreateCompatibleDC(0);
  const HDC second = CreateCompatibleDC(0);
  const HDC screen = CreateDCA("display", nullptr, nullptr, nullptr);
  ASSERT_NE(screen, 0);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 3);
  EXPECT_EQ(SelectObject(screen, bitmap), 0);
  const HGDIOBJ stock = SelectObject(first, bitmap);
  EXPECT_NE(stock, 0);
  EXPECT_EQ(SelectObject(second, bitmap), 0);
  EXPECT_EQ(SelectObject(first, bitmap), bitmap);
  EXPECT_EQ(SelectObject(first, stock), bitmap);
  EXPECT_NE(SelectObject(second, bitmap), 0);
  DeleteDC(second);
  DeleteObject(bitmap);
  DeleteDC(first);
  DeleteDC(screen);
}

TEST_F(Objects, CompatibleBitmapSizes) {
  const HDC screen = CreateDCA("DISPLAY", "", "", nullptr);
  const HBITMAP stock = CreateCompatibleBitmap(screen, 0, 10);
  EXPECT_NE(stock, 0);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 10, 0), stock);
  const int live = LiveObjectCount();
  EXPECT_TRUE(DeleteObject(stock));  // a stock object: deleting it changes nothing
  EXPECT_EQ(LiveObjectCount(), live);
  EXPECT_EQ(BitmapBox(stock), (RECT{0, 0, 1, 1}));
  EXPECT_EQ(CreateCompatibleBitmap(screen, -1, 5), 0);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 100000, 100000), 0);
  EXPECT_EQ(CreateCompatibleBitmap(0, 5, 5), 0);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
  EXPECT_EQ(BitmapBox(bitmap), (RECT{0, 0, 4, 3}));
  DeleteObject(bitmap);
  DeleteDC(screen);
}

TEST_F(Objects, OnlyTheDisplayDriverMakesAScreenContext) {
  EXPECT_EQ(CreateDCA("WINSPOOL", "", "", nullptr), 0);
  EXPECT_EQ(CreateDCA(nullptr, "", "", nullptr), 0);
  EXPECT_EQ(CreateCompatibleDC(12345), 0);
  const HDC screen = CreateDCA("DISPLAY", "", "", nullptr);
  RECT box;
  EXPECT_FALSE(GetClipBox(screen, &box));  // drawing to the screen context shows nothing
  EXPECT_TRUE(SetPixelV(screen, 0, 0, kRed) == false);
  DeleteDC(screen);
}

TEST_F(Objects, HostWindowsHaveAClientRectAndAContextOfTheirOwn) {
  const int live = LiveObjectCount();
  const HWND window = CreateHostWindow(5, 3);
  EXPECT_EQ(LiveObjectCount(), live);  // the host's, not the drawing code's
  RECT client{9, 9, 9, 9};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client, (RECT{0, 0, 5, 3}));
  const HDC dc = GetHostWindowDC(window);
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(GetPixel(dc, 4, 2), kWhite);
  SetPixelV(dc, 1, 1, kRed);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, 1, 1);
  EXPECT_EQ(SelectObject(dc, bitmap), 0);  // a window keeps its own surface
  DeleteObject(bitmap);
  ASSERT_TRUE(SetHostWindowSize(window, 2, 4));
  GetClientRect(window, &client);
  EXPECT_EQ(client, (RECT{0, 0, 2, 4}));
  EXPECT_EQ(GetPixel(dc, 1, 1), kRed);
  EXPECT_EQ(GetPixel(dc, 1, 3), kWhite);
  EXPECT_EQ(GetPixel(dc, 4, 2), CLR_INVALID);
  EXPECT_TRUE(DestroyHostWindow(window));
  EXPECT_FALSE(GetClientRect(window, &client));
  EXPECT_EQ(GetHostWindowDC(window), 0);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

}  // namespace
}  // namespace lumaveil::gdi::testing
