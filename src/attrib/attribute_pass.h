// The attribute pass: gives every file and folder beneath a target folder exactly the attributes
// ticked in the window, bottom-up, counting and showing the files as it goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "attrib/folder_chain.h"
#include "attrib/pass_host.h"
#include "attrib/pass_observer.h"
#include "attrib/pass_outcome.h"
#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

class AttributePass {
 public:
  AttributePass(fs::DirectoryOpener& fileSystem, PassHost& host);

  // Walks the folder at the drive-form path `folder` ("C:" is the root of C) and gives every
  // entry beneath it the mask of the ticked boxes; the folder itself is left as it is.
  // FileCount counts the files of the whole pass and stops at 2147483647. A run-time error or
  // running out of memory never leaves it: whatever fails is skipped and counted, and a folder
  // that cannot be listed holds nothing to change. Returns what became of the entries.
  PassOutcome ScanFolder(const std::string& folder, std::int32_t& FileCount);

  // The same for a folder already open (nullptr: it could not be opened); `folder` is its path
  // as the labels show it.
  PassOutcome ScanOpenFolder(std::unique_ptr<fs::Directory> directory, const std::string& folder,
                             std::int32_t& FileCount);

  // Who hears of each entry, besides the window; nullptr for nobody. Not owned.
  void SetObserver(PassObserver* observer) { observer_ = observer; }

  // The most folder handles a pass holds at once (see FolderChain).
  void SetHandleBudget(std::size_t budget) { handleBudget_ = budget; }

 private:
  fs::DirectoryOpener& fileSystem_;
  PassHost& host_;
  PassObserver* observer_ = nullptr;
  std::size_t handleBudget_ = FolderChain::kDefaultHandleBudget;
};

}  // namespace lumaveil::attrib
