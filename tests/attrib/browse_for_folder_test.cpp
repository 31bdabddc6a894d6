#include "attrib/browse_for_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <vector>

#include "common/run_time_error.h"

namespace lumaveil::attrib {
namespace {

TEST(DriveFormFolderPath, KeepsARootsSeparatorDropsAFolderTrailingOneAndCutsAtNul) {
  EXPECT_EQ(DriveFormFolderPath("C:\\"), "C:\\");
  EXPECT_EQ(DriveFormFolderPath("C:\\Windows\\"), "C:\\Windows");
  EXPECT_EQ(DriveFormFolderPath(std::string("C:\\Windows\0\0junk", 16)), "C:\\Windows");
  for (const std::string& path : std::vector<std::string>{
           "", "C:", "C:Windows", "1:\\x", "\\\\server\\share", " C:\\",
           "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "/home/ana", std::string(260, '\0')}) {
    EXPECT_EQ(DriveFormFolderPath(path), "") << path;
  }
}

struct ScriptedPicker : FolderPicker {
  explicit ScriptedPicker(std::function<std::string()> answer) : answer(std::move(answer)) {}
  std::string Pick(WindowHandle owner_handle, const std::string& shown_prompt) override {
    owner = owner_handle;
    prompt = shown_prompt;
    return answer();
  }
  std::function<std::string()> answer;
  WindowHandle owner = 0;
  std::string prompt;
};

TEST(BrowseForFolder, PassesOwnerAndPromptAndGivesEmptyForCancelFailureOrVirtualItems) {
  ScriptedPicker folder([] { return std::string("C:\\Windows\\"); });
  EXPECT_EQ(BrowseForFolder(folder, 0x1234, kQuickScanPrompt), "C:\\Windows");
  EXPECT_EQ(folder.owner, WindowHandle{0x1234});
  EXPECT_EQ(folder.prompt, "Select Driver or Folder to set Attribute");

  ScriptedPicker cancelled([] { return std::string(); });
  ScriptedPicker virtual_item([] { return std::string("::{645FF040-5081-101B}"); });
  ScriptedPicker failing([]() -> std::string { throw RunTimeError(5, "Invalid procedure call"); });
  ScriptedPicker no_memory([]() -> std::string { throw std::bad_alloc(); });
  for (ScriptedPicker* picker : {&cancelled, &virtual_item, &failing, &no_memory}) {
    EXPECT_EQ(BrowseForFolder(*picker, 0, kQuickScanPrompt), "");
  }
}

}  // namespace
}  // namespace lumaveil::attrib
