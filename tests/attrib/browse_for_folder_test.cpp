#include "attrib/browse_for_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "common/run_time_error.h"

namespace lumaveil::attrib {
namespace {

TEST(DriveFormFolderPath, KeepsRootsSeparatorAndDropsAFolderTrailingOne) {
  EXPECT_EQ(DriveFormFolderPath("C:\\"), "C:\\");
  EXPECT_EQ(DriveFormFolderPath("C:\\\\"), "C:\\");
  EXPECT_EQ(DriveFormFolderPath("C:\\Windows"), "C:\\Windows");
  EXPECT_EQ(DriveFormFolderPath("C:\\Windows\\"), "C:\\Windows");
  EXPECT_EQ(DriveFormFolderPath("e:\\DCIM"), "e:\\DCIM");
}

TEST(DriveFormFolderPath, CutsAFixedBufferAtItsFirstNul) {
  EXPECT_EQ(DriveFormFolderPath(std::string("C:\\Windows\0\0\0junk", 18)), "C:\\Windows");
  EXPECT_EQ(DriveFormFolderPath(std::string(260, '\0')), "");
  EXPECT_EQ(DriveFormFolderPath(std::string("\0C:\\Windows", 11)), "");
}

TEST(DriveFormFolderPath, RefusesWhatIsNotADriveFormFolderPath) {
  for (const char* path : {"", "C", "C:", "C:Windows", "1:\\x", "\\\\server\\share",
                           "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "/home/ana", " C:\\"}) {
    EXPECT_EQ(DriveFormFolderPath(path), "") << path;
  }
}

class ScriptedPicker : public FolderPicker {
 public:
  explicit ScriptedPicker(std::function<std::string()> answer) : answer_(std::move(answer)) {}
  std::string Pick(WindowHandle owner, const std::string& prompt) override {
    owner_ = owner;
    prompt_ = prompt;
    return answer_();
  }
  WindowHandle owner_ = 0;
  std::string prompt_;

 private:
  std::function<std::string()> answer_;
};

TEST(BrowseForFolder, HandsThePickerItsOwnerAndPromptAndNormalisesTheAnswer) {
  ScriptedPicker picker([] { return std::string("C:\\Windows\\"); });
  EXPECT_EQ(BrowseForFolder(picker, 0x1234, kQuickScanPrompt), "C:\\Windows");
  EXPECT_EQ(picker.owner_, WindowHandle{0x1234});
  EXPECT_EQ(picker.prompt_, "Select Driver or Folder to set Attribute");
}

TEST(BrowseForFolder, CancelFailureOrAVirtualItemGiveAnEmptyString) {
  ScriptedPicker cancelled([] { return std::string(); });
  ScriptedPicker virtual_item([] { return std::string("::{645FF040-5081-101B-9F08-00AA002F954E}"); });
  ScriptedPicker failing([]() -> std::string { throw RunTimeError(5, "Invalid procedure call"); });
  ScriptedPicker out_of_memory([]() -> std::string { throw std::bad_alloc(); });
  for (ScriptedPicker* picker : {&cancelled, &virtual_item, &failing, &out_of_memory}) {
    EXPECT_EQ(BrowseForFolder(*picker, 0, kQuickScanPrompt), "");
  }
}

}  // namespace
}  // namespace lumaveil::attrib
