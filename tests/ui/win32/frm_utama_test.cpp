// The main window's controls, keyboard order, menus, tree, Quick Scan, About and Exit, against
// Wine's user32 and comctl32.
#include <gtest/gtest.h>

#include "tree/image_keys.h"
#include "ui/common/twips.h"
#include "ui/win32/gdi_objects.h"
#include "ui/win32/win32_ui_test_support.h"

namespace lumaveil::win32 {
namespace {

using testing::ClassOf;
using testing::TextOf;

RECT PlaceOf(HWND control) { return RectInParent(control); }

RECT Designed(HWND window, int left, int top, int width, int height) {
  const ui::PixelRect r = ui::TwipsToPixels(left, top, width, height, WindowDpi(window));
  return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
}

class FrmUtamaTest : public ::testing::Test, public testing::FrmUtamaFixture {};

TEST_F(FrmUtamaTest, EveryControlWithItsCaptionPlaceAndKind) {
  HWND main = Window().hwnd();
  EXPECT_EQ(TextOf(main), L"Lumaveil V.1.0");
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, ui::TwipsToPixels(5910, WindowDpi(main)));
  EXPECT_EQ(client.bottom, ui::TwipsToPixels(6000, WindowDpi(main)));
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_THICKFRAME);

  struct Expected {
    int id;
    const wchar_t* kind;
    const wchar_t* caption;
    int left, top, width, height;
  };
  const Expected controls[] = {
      {FrmUtama::kPathBoxId, L"Edit", L"", 120, 3240, 5625, 285},
      {FrmUtama::kCheck1Id + 0, L"Button", L"Archive", 120, 4365, 1275, 195},
      {FrmUtama::kCheck1Id + 1, L"Button", L"Read-Only", 120, 4605, 1275, 195},
      {FrmUtama::kCheck1Id + 2, L"Button", L"Hidden", 1470, 4365, 1275, 195},
      {FrmUtama::kCheck1Id + 3, L"Button", L"System", 1470, 4605, 1275, 195},
      {FrmUtama::kCommand1Id + 0, L"Button", L"Scan", 3240, 4320, 1215, 375},
      {FrmUtama::kCommand1Id + 1, L"Button", L"Stop", 4440, 4320, 1335, 375},
      {FrmUtama::kLabel1Id, L"LumaveilLabel", L"Set Attribute For File / Folder", 120, 4080, 2100,
       195},
      {FrmUtama::kLabel2Id, L"LumaveilLabel", L"Lumaveil", 120, 1200, 4575, 495},
      {FrmUtama::kLblFileNameId, L"LumaveilLabel", L"", 0, 5280, 5895, 615},
      {FrmUtama::kLblDirId, L"LumaveilLabel", L"", 120, 4920, 4575, 255},
  };
  for (const Expected& e : controls) {
    HWND control = Control(e.id);
    ASSERT_NE(control, nullptr) << e.id;
    EXPECT_EQ(ClassOf(control), e.kind) << e.id;
    EXPECT_EQ(TextOf(control), e.caption) << e.id;
    const RECT at = PlaceOf(control);
    const RECT designed = Designed(main, e.left, e.top, e.width, e.height);
    EXPECT_TRUE(EqualRect(&at, &designed)) << e.id;
    EXPECT_TRUE(IsWindowEnabled(control)) << e.id;
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(SendMessageW(Control(FrmUtama::kCheck1Id + i), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }
  // The tree ends just above the path box.
  EXPECT_EQ(ClassOf(Control(FrmUtama::kTreeId)), L"SysTreeView32");
  EXPECT_EQ(PlaceOf(Control(FrmUtama::kTreeId)).top, Designed(main, 0, 1920, 1, 1).top);
  EXPECT_LT(PlaceOf(Control(FrmUtama::kTreeId)).bottom, PlaceOf(Control(FrmUtama::kPathBoxId)).top);
  EXPECT_EQ(TextOf(Control(FrmUtama::kLblValue1Id)), L": 0");
  EXPECT_EQ(TextOf(Control(FrmUtama::kLblInfo3Id)), L"Fle(s)");
}

TEST_F(FrmUtamaTest, TheCounterShowsTheWidestCountWholeInsideTheWindow) {
  HWND main = Window().hwnd();
  HWND counter = Control(FrmUtama::kLblValue1Id);
  HWND caption = Control(FrmUtama::kLblInfo3Id);
  const std::wstring widest = L": 2147483647";
  SIZE size{};
  {
    const WindowDc dc(counter);
    const Selection font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(counter, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc.get(), widest.c_str(), int(widest.size()), &size);
  }
  const RECT place = PlaceOf(counter);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_GE(place.right - place.left, size.cx);
  EXPECT_LE(place.right, client.right);
  EXPECT_LE(PlaceOf(caption).right, place.left) << "the caption stays left of the count";
  EXPECT_EQ(place.top, PlaceOf(caption).top);
}

TEST_F(FrmUtamaTest, TabWalksTreePathBoxBoxesScanStopAndTheTreeHasTheFocus) {
  HWND main = Window().hwnd();
  EXPECT_EQ(GetFocus(), Control(FrmUtama::kTreeId));
  const int order[] = {FrmUtama::kPathBoxId,      FrmUtama::kCheck1Id + 0,
                       FrmUtama::kCheck1Id + 1,   FrmUtama::kCheck1Id + 2,
                       FrmUtama::kCheck1Id + 3,   FrmUtama::kCommand1Id + 0,
                       FrmUtama::kCommand1Id + 1, FrmUtama::kTreeId};
  HWND at = Control(FrmUtama::kTreeId);
  for (int id : order) {
    at = GetNextDlgTabItem(main, at, FALSE);
    EXPECT_EQ(at, Control(id)) << id;
  }
  // Enter and Escape reach the window as IDOK and IDCANCEL and start nothing.
  SendMessageW(main, WM_COMMAND, IDOK, 0);
  SendMessageW(main, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(Window().PassRunning());
  EXPECT_TRUE(IsWindowEnabled(Control(FrmUtama::kCommand1Id)));
}

TEST_F(FrmUtamaTest, MenusFileHelpExitEachWithOneItem) {
  HMENU bar = GetMenu(Window().hwnd());
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  const wchar_t* menus[] = {L"File", L"Help", L"Exit"};
  const wchar_t* items[] = {L"Quick Scan", L"About", L"Exit"};
  for (int i = 0; i < 3; ++i) {
    wchar_t text[32] = {};
    GetMenuStringW(bar, UINT(i), text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, menus[i]);
    HMENU popup = GetSubMenu(bar, i);
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    GetMenuStringW(popup, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, items[i]);
  }
}

TEST_F(FrmUtamaTest, QuickScanCancelledChangesNothingAndAPickedFolderDisablesFile) {
  HWND main = Window().hwnd();
  SetPath(L"D:\\kept");
  Picker().answer = "";
  SendMessageW(main, WM_COMMAND, FrmUtama::kMnQScanId, 0);
  EXPECT_EQ(TextOf(Control(FrmUtama::kPathBoxId)), L"D:\\kept");
  EXPECT_FALSE(GetMenuState(GetMenu(main), 0, MF_BYPOSITION) & MF_GRAYED);

  Picker().answer = "C:\\windows\\";
  SendMessageW(main, WM_COMMAND, FrmUtama::kMnQScanId, 0);
  ASSERT_EQ(Picker().prompts.size(), 2u);
  EXPECT_EQ(Picker().prompts[1], "Select Driver or Folder to set Attribute");
  EXPECT_EQ(TextOf(Control(FrmUtama::kPathBoxId)), L"C:\\windows");
  EXPECT_TRUE(GetMenuState(GetMenu(main), 0, MF_BYPOSITION) & MF_GRAYED);
}

// The About windows on screen.
std::vector<HWND> AboutWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) {
        if (ClassOf(window) == L"LumaveilAbout" && IsWindowVisible(window)) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(FrmUtamaTest, AboutOpensOnceWithItsContentsAndExitEnds) {
  SendMessageW(Window().hwnd(), WM_COMMAND, FrmUtama::kMnAboutId, 0);
  const std::vector<HWND> first = AboutWindows();
  ASSERT_EQ(first.size(), 1u);
  SendMessageW(Window().hwnd(), WM_COMMAND, FrmUtama::kMnAboutId, 0);
  EXPECT_EQ(AboutWindows(), first) << "the same window again";

  HWND about = first.front();
  EXPECT_EQ(TextOf(about), L"About");
  EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(TextOf(GetDlgItem(about, About::kFrame1Id)), L"About : ");
  HWND list = GetDlgItem(about, About::kList1Id);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
  wchar_t line[128] = {};
  SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"Program ini tersedia 4 checklist yang memiliki Fungsi masing-masing ");
  EXPECT_EQ(TextOf(GetDlgItem(about, About::kFirstLabelId + 1)), L"V . 1 . 0");
  EXPECT_EQ(Windows().Open(), 2);

  // Closed, it can be opened again; the main window stays open throughout.
  SendMessageW(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(AboutWindows().empty());
  EXPECT_EQ(Windows().Open(), 1);
  SendMessageW(Window().hwnd(), WM_COMMAND, FrmUtama::kMnAboutId, 0);
  EXPECT_EQ(AboutWindows().size(), 1u);

  SendMessageW(Window().hwnd(), WM_COMMAND, FrmUtama::kMnExiteId, 0);
  EXPECT_EQ(Exits(), 1);
}

TEST_F(FrmUtamaTest, TheTreeHoldsWinesDrivesWithTheirPictures) {
  // Wine maps C: to the prefix's drive_c and Z: to the root of the Linux file system.
  ASSERT_TRUE(Window().Nodes().Contains("C:"));
  ASSERT_TRUE(Window().Nodes().Contains("Z:"));
  EXPECT_EQ(Window().Nodes().Image("C:"), std::string(tree::image::kHardDrive));
  HWND tree = Control(FrmUtama::kTreeId);
  TVITEMW item{};
  wchar_t text[16] = {};
  item.mask = TVIF_TEXT | TVIF_IMAGE;
  item.hItem = Window().Nodes().Item("C:");
  item.pszText = text;
  item.cchTextMax = 16;
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_STREQ(text, L" C:");
  EXPECT_EQ(item.iImage, 10) << "harddrive is the eleventh picture of imgMain";
  auto* images = reinterpret_cast<HIMAGELIST>(SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  EXPECT_EQ(ImageList_GetImageCount(images), 12);
}

}  // namespace
}  // namespace lumaveil::win32
