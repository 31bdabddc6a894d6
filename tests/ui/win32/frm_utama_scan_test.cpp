// Scan, Stop and closing during a pass on real folders of Wine's drive C:, the tree's expansion
// and its error box, with the attributes read back by the system's own calls.
#include <gtest/gtest.h>

#include <cstring>

#include "tree/image_keys.h"
#include "ui/win32/win32_ui_test_support.h"

namespace lumaveil::win32 {
namespace {

using fs::testing::ScratchFolder;
using testing::MessageBoxWatcher;
using testing::TextOf;

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class FrmUtamaScanTest : public ::testing::Test, public testing::FrmUtamaFixture {
 protected:
  // Three folders of four files each.
  void MakeTree() {
    for (const wchar_t* folder : {L"a", L"a\\b", L"c"}) {
      ASSERT_TRUE(scratch_.MakeFolder(folder));
      for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(scratch_.MakeFile(std::wstring(folder) + L"\\f" + std::to_wstring(i)));
      }
    }
  }
  const wchar_t* const entries_[15] = {L"a",        L"a\\b",      L"c",        L"a\\f0",
                                       L"a\\f1",    L"a\\f2",     L"a\\f3",    L"a\\b\\f0",
                                       L"a\\b\\f1", L"a\\b\\f2",  L"a\\b\\f3", L"c\\f0",
                                       L"c\\f1",    L"c\\f2",     L"c\\f3"};
  int Changed() const {
    int changed = 0;
    for (const wchar_t* entry : entries_) {
      if ((scratch_.Raw(entry) & kHiddenSystem) == kHiddenSystem) ++changed;
    }
    return changed;
  }
  void TickHiddenAndSystem() {
    Click(FrmUtama::kCheck1Id + 2);
    Click(FrmUtama::kCheck1Id + 3);
  }

  ScratchFolder scratch_;
};

TEST_F(FrmUtamaScanTest, ScanGivesEveryEntryBeneathExactlyTheTickedAttributes) {
  MakeTree();
  ASSERT_TRUE(scratch_.SetRaw(L"a\\f0", FILE_ATTRIBUTE_READONLY));
  TickHiddenAndSystem();
  SetPath(scratch_.Display());
  Click(FrmUtama::kCommand1Id);
  for (const wchar_t* entry : entries_) {
    const DWORD attributes = scratch_.Raw(entry);
    EXPECT_EQ(attributes & kHiddenSystem, kHiddenSystem) << entry;
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << entry;
  }
  EXPECT_FALSE(scratch_.Raw(L"") & FILE_ATTRIBUTE_HIDDEN) << "the chosen folder itself stays";
  EXPECT_EQ(TextOf(Control(FrmUtama::kLblValue1Id)), L": 12");
  EXPECT_EQ(TextOf(Control(FrmUtama::kLblFileNameId)).rfind(scratch_.Display(), 0), 0u);
  EXPECT_TRUE(IsWindowEnabled(Control(FrmUtama::kCommand1Id)));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(IsWindowEnabled(Control(FrmUtama::kCheck1Id + i)));
  EXPECT_TRUE(Window().StopRequested());
}

TEST_F(FrmUtamaScanTest, APathWithoutAColonGivesThePathNotFoundBoxAndNothingElse) {
  MessageBoxWatcher boxes;
  for (const wchar_t* path : {L"", L"C", L" C:\\", L"\\\\server\\share"}) {
    SetPath(path);
    Click(FrmUtama::kCommand1Id);
  }
  ASSERT_EQ(boxes.Boxes().size(), 4u);
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.title, L"LMV ");
    EXPECT_EQ(box.text, L"Path not found !");
    EXPECT_NE(box.icon, nullptr) << "the exclamation icon";
  }
  EXPECT_EQ(TextOf(Control(FrmUtama::kLblValue1Id)), L": 0");
  EXPECT_FALSE(Window().StopRequested());
}

TEST_F(FrmUtamaScanTest, StopDuringThePassEndsItEarlyAndUnlocksTheControls) {
  MakeTree();
  TickHiddenAndSystem();
  SetPath(scratch_.Display());
  // Queued now, handled by the pass when it first lets the window's messages run.
  PostMessageW(Window().hwnd(), WM_COMMAND, MAKEWPARAM(FrmUtama::kCommand1Id + 1, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(FrmUtama::kCommand1Id + 1)));
  Click(FrmUtama::kCommand1Id);
  EXPECT_LT(Changed(), 15);
  EXPECT_TRUE(IsWindow(Window().hwnd()));
  EXPECT_TRUE(IsWindowEnabled(Control(FrmUtama::kCommand1Id)));
  EXPECT_FALSE(Window().PassRunning());
}

TEST_F(FrmUtamaScanTest, ClosingDuringThePassStopsItFirstThenCloses) {
  MakeTree();
  TickHiddenAndSystem();
  SetPath(scratch_.Display());
  HWND main = Window().hwnd();
  PostMessageW(main, WM_CLOSE, 0, 0);
  Click(FrmUtama::kCommand1Id);
  EXPECT_LT(Changed(), 15);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(Window().hwnd(), nullptr);
  EXPECT_EQ(Windows().Open(), 0);
}

// A folder in the root of C:, so that it is a node from the start.
class RootFolder {
 public:
  RootFolder() : path_(L"C:\\lumaveil-tree-" + std::to_wstring(GetCurrentProcessId())) {
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~RootFolder() { fs::testing::RemoveTree(L"\\\\?\\" + path_); }
  const std::wstring& Path() const { return path_; }
  bool Make(const std::wstring& relative) const {
    return CreateDirectoryW((path_ + L"\\" + relative).c_str(), nullptr) != FALSE;
  }

 private:
  std::wstring path_;
};

TEST(FrmUtamaTreeTest, ExpandingSetsThePathBoxAddsTheLevelBelowAndSwapsPictures) {
  RootFolder root;
  ASSERT_TRUE(root.Make(L"inner"));
  ASSERT_TRUE(root.Make(L"inner\\deeper"));
  testing::FrmUtamaFixture fixture;
  FrmUtama& window = fixture.Window();
  const std::string key = fs::DisplayText(root.Path());
  ASSERT_TRUE(window.Nodes().Contains(key));
  EXPECT_FALSE(window.Nodes().Contains(key + "\\inner")) << "only the root's folders at first";

  HWND tree = fixture.Control(FrmUtama::kTreeId);
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(window.Nodes().Item("C:")));
  EXPECT_EQ(TextOf(fixture.Control(FrmUtama::kPathBoxId)), L"C:\\");
  EXPECT_TRUE(window.Nodes().Contains(key + "\\inner"));
  EXPECT_EQ(window.Nodes().Image("C:"), std::string(tree::image::kHardDrive));

  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(window.Nodes().Item(key)));
  EXPECT_EQ(TextOf(fixture.Control(FrmUtama::kPathBoxId)), root.Path());
  EXPECT_TRUE(window.Nodes().Contains(key + "\\inner\\deeper"));
  EXPECT_EQ(window.Nodes().Image(key), std::string(tree::image::kOpenFolder));
  // Closed from the keyboard, as a user does (the control tells only of what the user does).
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(window.Nodes().Item(key)));
  SendMessageW(tree, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(window.Nodes().Image(key), std::string(tree::image::kClosedFolder));
}

TEST(FrmUtamaTreeTest, ClickingAFolderThatWentAwayShowsTheErrorBox) {
  RootFolder root;
  ASSERT_TRUE(root.Make(L"gone"));
  testing::FrmUtamaFixture fixture;
  FrmUtama& window = fixture.Window();
  HWND tree = fixture.Control(FrmUtama::kTreeId);
  const std::string root_key = fs::DisplayText(root.Path());
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(window.Nodes().Item("C:")));
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(window.Nodes().Item(root_key)));
  HTREEITEM gone = window.Nodes().Item(root_key + "\\gone");
  ASSERT_NE(gone, nullptr);
  ASSERT_TRUE(RemoveDirectoryW((root.Path() + L"\\gone").c_str()));
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0, LPARAM(gone));

  // A click as the mouse gives it: the pointer over the node's text, then its button.
  RECT text{};
  std::memcpy(&text, &gone, sizeof gone);  // the item goes in, its rectangle comes out
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, LPARAM(&text)));
  POINT at{(text.left + text.right) / 2, (text.top + text.bottom) / 2};
  POINT on_screen = at;
  ClientToScreen(tree, &on_screen);
  SetCursorPos(on_screen.x, on_screen.y);
  MessageBoxWatcher boxes;
  PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  RunPendingMessages();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].title.rfind(L"Error Number: ", 0), 0u);
  EXPECT_FALSE(boxes.Boxes()[0].text.empty());
  EXPECT_EQ(TextOf(fixture.Control(FrmUtama::kPathBoxId)), root.Path()) << "the path box stays";
}

}  // namespace
}  // namespace lumaveil::win32
