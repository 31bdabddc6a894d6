#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fs/file_system.h"
#include "win32_fs_test_support.h"

namespace lumaveil::fs {
namespace {

using testing::ScratchFolder;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> NamesOf(const std::vector<Folder>& folders) {
  std::vector<std::string> names;
  for (const Folder& f : folders) names.push_back(f.Name);
  return Sorted(names);
}

// Cyrillic and CJK: outside any ANSI code page that holds the other.
const std::wstring kCyrillic = L"\u041F\u0430\u043F\u043A\u0430";
const std::wstring kCjk = L"\u6587\u4EF6\u5939";

TEST(Win32Folders, GetFolderNamesRootsAndFoldersAsTheTreeKeysThem) {
  ScratchFolder scratch;
  const auto fs = CreateFileSystem();
  const std::string root = scratch.Path().substr(0, 3);
  const Folder rootFolder = fs->GetFolder(root.substr(0, 2));
  EXPECT_EQ(rootFolder.Path, root);
  EXPECT_EQ(rootFolder.Name, "");

  const Folder withSeparator = fs->GetFolder(scratch.Path() + "\\");
  EXPECT_EQ(withSeparator.Path, scratch.Path());
  EXPECT_EQ(withSeparator.Name, DisplayText(scratch.Display().substr(scratch.Display().rfind(L'\\') + 1)));
}

TEST(Win32Folders, ListsHiddenAndSystemEntriesAndNothingElse) {
  ScratchFolder scratch;
  for (const wchar_t* folder : {L"plain", L"hidden", L"system", L"..data"}) {
    ASSERT_TRUE(scratch.MakeFolder(folder));
  }
  for (const wchar_t* file : {L"a.txt", L"hidden.txt", L"system.sys", L".profile"}) {
    ASSERT_TRUE(scratch.MakeFile(file));
  }
  ASSERT_TRUE(scratch.MakeFolder(L"plain\\grandchild"));
  ASSERT_TRUE(scratch.SetRaw(L"hidden", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(scratch.SetRaw(L"system", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(scratch.SetRaw(L"hidden.txt", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(scratch.SetRaw(L"system.sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));

  const auto fs = CreateFileSystem();
  const Folder folder = fs->GetFolder(scratch.Path());
  const auto subFolders = fs->SubFolders(folder);
  EXPECT_EQ(NamesOf(subFolders),
            (std::vector<std::string>{"..data", "hidden", "plain", "system"}));
  for (const Folder& sub : subFolders) {
    EXPECT_EQ(sub.Path, scratch.Path() + "\\" + sub.Name);
  }
  EXPECT_EQ(Sorted(fs->Files(folder)),
            (std::vector<std::string>{".profile", "a.txt", "hidden.txt", "system.sys"}));
}

TEST(Win32Folders, NamesOutsideTheCodePageKeepTheirPathsReachable) {
  ScratchFolder scratch;
  ASSERT_TRUE(scratch.MakeFolder(kCyrillic));
  ASSERT_TRUE(scratch.MakeFolder(kCyrillic + L"\\" + kCjk));
  ASSERT_TRUE(scratch.MakeFile(kCyrillic + L"\\" + kCjk + L".txt"));

  const auto fs = CreateFileSystem();
  const auto subFolders = fs->SubFolders(fs->GetFolder(scratch.Path()));
  ASSERT_EQ(subFolders.size(), 1u);
  EXPECT_EQ(subFolders[0].Name, DisplayText(kCyrillic));

  const Folder reopened = fs->GetFolder(subFolders[0].Path);
  EXPECT_EQ(reopened.Path, scratch.Path(kCyrillic));
  EXPECT_EQ(NamesOf(fs->SubFolders(reopened)), std::vector<std::string>{DisplayText(kCjk)});
  EXPECT_EQ(fs->Files(reopened), std::vector<std::string>{DisplayText(kCjk + L".txt")});
}

TEST(Win32Folders, PathsLongerThan260CharactersWork) {
  ScratchFolder scratch;
  std::wstring relative;
  for (int i = 0; i < 12; ++i) {
    relative += (i ? L"\\" : L"") + std::wstring(30, static_cast<wchar_t>(L'a' + i));
    ASSERT_TRUE(scratch.MakeFolder(relative)) << i;
  }
  ASSERT_GT(scratch.Display(relative).size(), 300u);
  ASSERT_TRUE(scratch.MakeFolder(relative + L"\\leaf"));
  ASSERT_TRUE(scratch.MakeFile(relative + L"\\file.txt"));

  const auto fs = CreateFileSystem();
  const Folder deep = fs->GetFolder(scratch.Path(relative));
  EXPECT_EQ(deep.Path, scratch.Path(relative));
  const auto subFolders = fs->SubFolders(deep);
  ASSERT_EQ(subFolders.size(), 1u);
  EXPECT_EQ(subFolders[0].Path, scratch.Path(relative + L"\\leaf"));
  EXPECT_EQ(fs->Files(deep), std::vector<std::string>{"file.txt"});
}

// A virus can hide folders behind names that path calls alter ("name." is read as "name"): the
// tree leaves them out, since no path it keeps would lead back to them, and still lists such
// files.
TEST(Win32Folders, FoldersNoDrivePathReachesAreLeftOut) {
  ScratchFolder scratch;
  for (const wchar_t* name : {L"trailing.", L"trailing ", L"whole"}) {
    ASSERT_TRUE(scratch.MakeFolder(name)) << DisplayText(name);
  }
  ASSERT_TRUE(scratch.MakeFile(L"file."));
  std::vector<std::string> files = {"file."};
  // Wine refuses names with an unpaired surrogate; NTFS takes them.
  if (scratch.MakeFolder(L"half\xD800") && scratch.MakeFile(L"half\xD800.txt")) {
    files.push_back("half\xEF\xBF\xBD.txt");
  }
  const auto fs = CreateFileSystem();
  const Folder folder = fs->GetFolder(scratch.Path());
  EXPECT_EQ(NamesOf(fs->SubFolders(folder)), std::vector<std::string>{"whole"});
  EXPECT_EQ(Sorted(fs->Files(folder)), Sorted(files));
}

}  // namespace
}  // namespace lumaveil::fs
