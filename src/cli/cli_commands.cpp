#include "cli/cli_commands.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "attrib/attribute_pass.h"
#include "attrib/journal_store.h"
#include "attrib/journal_undo.h"
#include "cli/progress_line.h"
#include "lumaveil_version.h"
#include "platform/fs/native_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lumaveil::cli {
namespace {

constexpr char kProgram[] = "lumaveil-cli: ";

#ifdef _WIN32
constexpr bool kDriveFormIsNative = true;
#else
constexpr bool kDriveFormIsNative = false;
#endif

// Error text in plain, lower-case words.
std::string Reason(int error) {
  std::string text = fs::ErrorText(error);
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z' &&
      (text.size() < 2 || !(text[1] >= 'A' && text[1] <= 'Z'))) {
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  }
  return text;
}

// Why a FOLDER could not be opened, in the words a user expects.
std::string FolderReason(int error) {
#ifdef _WIN32
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return "no such folder";
  if (error == ERROR_DIRECTORY) return "not a folder";
#else
  if (error == ENOENT) return "no such folder";
  if (error == ENOTDIR) return "not a folder";
#endif
  return Reason(error);
}

std::string AttributeLetters(std::uint32_t bits) {
  std::string text;
  text += (bits & fs::attr::kReadOnly) ? 'R' : '-';
  text += (bits & fs::attr::kHidden) ? 'H' : '-';
  text += (bits & fs::attr::kSystem) ? 'S' : '-';
  text += (bits & fs::attr::kArchive) ? 'A' : '-';
  return text;
}

bool IsDriveForm(const fs::NativeName& path) {
  const auto letter = path.empty() ? 0 : path[0];
  return path.size() >= 2 && path[1] == fs::NativeChar(':') &&
         ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'));
}

// The paths of a pass's entries as the user sees them: the FOLDER as given, then the names
// below it, escaped.
class PlaceText {
 public:
  PlaceText(const fs::NativeName& target, bool backslashes)
      : target_(fs::EscapedText(target)), separator_(backslashes ? '\\' : '/') {
    if (!target_.empty() && target_.back() != separator_) target_ += separator_;
  }
  std::string Folder(const std::vector<fs::NativeName>& folders) const {
    std::string text = target_;
    for (const auto& folder : folders) text += fs::EscapedText(folder) + separator_;
    return text;
  }
  std::string Of(const attrib::EntryPlace& place) const {
    return Folder(place.folders) + fs::EscapedText(place.name);
  }

 private:
  std::string target_;
  char separator_;
};

// The window of a pass without a window: the mask from the options, Stop from an interrupt.
class CommandLineHost : public attrib::PassHost {
 public:
  CommandLineHost(std::uint32_t mask, const volatile std::sig_atomic_t& stop)
      : mask_(mask), stop_(stop) {}
  bool IsTicked(attrib::Attribute attribute) override {
    return (mask_ & attrib::BitOf(attribute)) != 0;
  }
  void ShowCurrentFile(std::string_view, std::string_view) override {}
  void ShowFileCount(const std::string&) override {}
  void PumpEvents() override {}
  bool StopRequested() override { return stop_ != 0; }

 private:
  std::uint32_t mask_;
  const volatile std::sig_atomic_t& stop_;
};

// The report of a pass, entry by entry: failures on stderr, changes on stdout when asked for,
// the progress line, and the journal ahead of every write.
class PassReport : public attrib::PassObserver {
 public:
  PassReport(const Options& options, Console& console, const PlaceText& places,
             ProgressLine* progress, attrib::PassObserver* journal)
      : options_(options), console_(console), places_(places), progress_(progress),
        journal_(journal) {}

  bool BeforeWrite(const attrib::EntryPlace& place, bool isFolder,
                   const fs::EntryAttributes& before, std::uint32_t mask) override {
    if (options_.dryRun) {
      Say(console_.out, places_.Of(place) + ": " + AttributeLetters(before.bits) + " -> " +
                            AttributeLetters(mask));
      return false;
    }
    return journal_ ? journal_->BeforeWrite(place, isFolder, before, mask) : true;
  }

  void EntryDone(const attrib::EntryPlace& place, bool, const fs::AttributeChange& change,
                 std::uint32_t mask) override {
    ++entries_;
    if (change.result == fs::AttributeChange::Result::kFailed) {
      Say(console_.err, std::string(kProgram) + "cannot change " + places_.Of(place) + ": " +
                            Reason(change.error));
    } else if (change.result == fs::AttributeChange::Result::kChanged && options_.verbose) {
      Say(console_.out, places_.Of(place) + ": " + AttributeLetters(change.before.bits) +
                            " -> " + AttributeLetters(mask));
    }
    if (progress_) progress_->Update(entries_, [&] { return places_.Folder(place.folders); });
  }

  void ListingFailed(const attrib::EntryPlace& place, int error) override {
    Say(console_.err,
        std::string(kProgram) + "cannot list " + places_.Of(place) + ": " + Reason(error));
  }

 private:
  void Say(std::ostream& stream, const std::string& line) {
    if (progress_) progress_->Clear();
    stream << line << '\n';
  }

  const Options& options_;
  Console& console_;
  const PlaceText& places_;
  ProgressLine* progress_;
  attrib::PassObserver* journal_;
  std::uint64_t entries_ = 0;
};

void Add(attrib::EntryTally& sum, const attrib::EntryTally& more) {
  sum.changed += more.changed;
  sum.alreadyRight += more.alreadyRight;
  sum.failed += more.failed;
  sum.leftAlone += more.leftAlone;
}

std::string TallyText(const char* kind, const attrib::EntryTally& tally, bool dryRun) {
  return std::string(kind) + " " + std::to_string(tally.changed) +
         (dryRun ? " would change, " : " changed, ") + std::to_string(tally.alreadyRight) +
         " already right, " + std::to_string(tally.failed) + " failed, " +
         std::to_string(tally.leftAlone) + " left alone";
}

std::string Seconds(std::chrono::steady_clock::duration elapsed) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", std::chrono::duration<double>(elapsed).count());
  return text;
}

// Opens FOLDER and starts its journal; nullptr (with the reason) when it cannot be opened.
struct OpenedFolder {
  std::unique_ptr<fs::Directory> directory;
  std::unique_ptr<attrib::JournalWriter> journal;
  int error = 0;
};

OpenedFolder OpenFolder(const fs::NativeName& folder, bool dryRun, fs::FileSystem*& fileSystem,
                        std::unique_ptr<fs::FileSystem>& fileSystemOwner,
                        const std::optional<attrib::JournalStore>& store) {
  OpenedFolder opened;
  if (!kDriveFormIsNative && IsDriveForm(folder)) {
    if (!fileSystemOwner) fileSystemOwner = fs::CreateFileSystem();
    fileSystem = fileSystemOwner.get();
    errno = ENOENT;
    opened.directory = fileSystem->OpenDirectory(fs::DisplayText(folder));
    if (!opened.directory) opened.error = fs::LastErrorNumber();
    if (opened.directory && store && !dryRun) {
      opened.journal = store->BeginOnDriveForm(fs::DisplayText(folder));
    }
    return opened;
  }
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
  const fs::NativeName native = error ? folder : absolute.native();
  opened.directory = fs::OpenNativeFolder(native);
  if (!opened.directory) opened.error = fs::LastErrorNumber();
  if (opened.directory && store && !dryRun) opened.journal = store->BeginOnNative(native);
  return opened;
}

int RunPasses(const Options& options, Console& console) {
  const auto started = std::chrono::steady_clock::now();
  const std::optional<attrib::JournalStore> store = attrib::JournalStore::AtDefaultPlace();
  std::unique_ptr<fs::FileSystem> fileSystemOwner;
  fs::FileSystem* fileSystem = nullptr;
  attrib::EntryTally files, folders;
  std::uint64_t failedListings = 0;
  bool unopened = false, allRight = true;
  std::optional<ProgressLine> progress;
  if (console.progress && !options.quiet) progress.emplace(console.err);

  for (const fs::NativeName& folder : options.folders) {
    OpenedFolder opened =
        OpenFolder(folder, options.dryRun, fileSystem, fileSystemOwner, store);
    if (!opened.directory) {
      console.err << kProgram << "cannot open " << fs::EscapedText(folder) << ": "
                  << FolderReason(opened.error) << '\n';
      unopened = true;
      continue;
    }
    const PlaceText places(folder, kDriveFormIsNative || IsDriveForm(folder));
    CommandLineHost host(options.mask, console.stop);
    PassReport report(options, console, places, progress ? &*progress : nullptr,
                      opened.journal.get());
    // The pass opens nothing by drive form here: the folder is open already.
    std::unique_ptr<fs::FileSystem> unused;
    fs::FileSystem& passFileSystem =
        fileSystem ? *fileSystem : *(unused = fs::CreateFileSystem());
    attrib::AttributePass pass(passFileSystem, host);
    pass.SetObserver(&report);
    std::int32_t count = 0;
    const attrib::PassOutcome outcome =
        pass.ScanOpenFolder(std::move(opened.directory), fs::DisplayText(folder), count);
    if (opened.journal) opened.journal->Finish();
    if (progress) progress->Clear();

    Add(files, outcome.files);
    Add(folders, outcome.folders);
    failedListings += outcome.failedListings;
    allRight = allRight && outcome.AllRight() && !outcome.stopped;
    const bool changedSome = outcome.files.changed + outcome.folders.changed > 0;
    if (!options.dryRun && changedSome && (!opened.journal || !opened.journal->Complete())) {
      const std::uint64_t recorded = opened.journal ? opened.journal->Records() : 0;
      console.err << kProgram << "the journal could not be written: ";
      if (recorded == 0) {
        console.err << "this pass on " << fs::EscapedText(folder) << " cannot be undone\n";
      } else {
        console.err << "only the first " << recorded << " changes to " << fs::EscapedText(folder)
                    << " can be undone\n";
      }
    }
    if (outcome.stopped) {
      console.err << kProgram << "stopped before the end of " << fs::EscapedText(folder) << '\n';
      break;
    }
  }

  if (!options.quiet) {
    std::string line = TallyText("files:", files, options.dryRun) + "; " +
                       TallyText("folders:", folders, options.dryRun);
    if (failedListings > 0) {
      line += "; " + std::to_string(failedListings) + " folders could not be listed";
    }
    console.out << line << "; " << Seconds(std::chrono::steady_clock::now() - started) << '\n';
  }
  if (unopened) return kExitUsage;
  return allRight ? kExitDone : kExitSomeFailed;
}

fs::NativeName TargetOf(const attrib::JournalHeader& header) {
  if (header.driveFormTarget.empty()) return header.nativeTarget;
  return fs::NativeName(header.driveFormTarget.begin(), header.driveFormTarget.end());
}

// The report of an undo: entries left alone and failures on stderr, restorations with -v. Each
// entry is named as the pass named it, from the journal's own target.
class UndoReport : public attrib::UndoObserver {
 public:
  UndoReport(Console& console, bool verbose) : console_(console), verbose_(verbose) {}
  void Begin(const attrib::JournalHeader& header) override {
    places_.emplace(TargetOf(header), kDriveFormIsNative || !header.driveFormTarget.empty());
  }
  void ChangedSince(const attrib::EntryPlace& place) override {
    console_.err << kProgram << "left alone, changed since the pass: " << places_->Of(place)
                 << '\n';
  }
  void Failed(const attrib::EntryPlace& place, int error) override {
    console_.err << kProgram << "cannot restore " << places_->Of(place) << ": " << Reason(error)
                 << '\n';
  }
  void Restored(const attrib::EntryPlace& place, const attrib::JournalRecord& record) override {
    if (verbose_) {
      console_.out << places_->Of(place) << ": " << AttributeLetters(record.mask) << " -> "
                   << AttributeLetters(record.before.bits) << '\n';
    }
  }

 private:
  Console& console_;
  std::optional<PlaceText> places_;
  bool verbose_;
};

int Undo(const Options& options, Console& console) {
  const std::optional<attrib::JournalStore> store = attrib::JournalStore::AtDefaultPlace();
  std::filesystem::path journal;
  if (options.journal) {
    journal = std::filesystem::path(*options.journal);
  } else {
    const auto journals = store ? store->Journals() : std::vector<std::filesystem::path>{};
    if (journals.empty()) {
      console.err << kProgram << "there is no pass to undo\n";
      return kExitUsage;
    }
    journal = journals.front();
  }
  const std::string journalText = fs::EscapedText(journal.native());

  UndoReport report(console, options.verbose);
  std::unique_ptr<fs::FileSystem> fileSystem = fs::CreateFileSystem();
  const attrib::UndoOutcome outcome = attrib::UndoJournal(journal, *fileSystem, report);

  switch (outcome.status) {
    case attrib::UndoStatus::kUnreadable:
      console.err << kProgram << "cannot read the journal " << journalText << '\n';
      return kExitUsage;
    case attrib::UndoStatus::kOtherSystem:
      console.err << kProgram << journalText << " is the journal of another system\n";
      return kExitUsage;
    case attrib::UndoStatus::kAlreadyUndone:
      console.err << kProgram << "this pass was undone already: " << journalText << '\n';
      return kExitUsage;
    case attrib::UndoStatus::kBeingWritten:
      console.err << kProgram << "a pass is still writing the journal " << journalText
                  << ": undo it once that pass has ended\n";
      return kExitUsage;
    case attrib::UndoStatus::kTargetGone:
      console.err << kProgram << "cannot open " << fs::EscapedText(TargetOf(outcome.header))
                  << ": " << FolderReason(fs::LastErrorNumber()) << '\n';
      return kExitUsage;
    case attrib::UndoStatus::kCannotMark:
      console.err << kProgram << "cannot mark the journal " << journalText << " as undone"
                  << (outcome.restored > 0 ? "" : ", so nothing was changed") << '\n';
      return kExitUsage;
    case attrib::UndoStatus::kDone:
      break;
  }
  if (outcome.cutShort) {
    console.err << kProgram << "the journal ends in the middle of a record: "
                << "undone up to its last complete record\n";
  }
  if (!options.quiet) {
    console.out << "restored " << outcome.restored << ", already as before "
                << outcome.alreadyBack << ", left alone (changed since the pass) "
                << outcome.changedSince << ", failed " << outcome.failed << '\n';
  }
  return outcome.changedSince == 0 && outcome.failed == 0 ? kExitDone : kExitSomeFailed;
}

std::string LocalTime(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  const std::tm* local = std::localtime(&time);
  char text[32] = "?";
  if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  return text;
}

int ListJournals(Console& console) {
  const std::optional<attrib::JournalStore> store = attrib::JournalStore::AtDefaultPlace();
  const auto listings = store ? store->List() : std::vector<attrib::JournalListing>{};
  if (listings.empty()) {
    console.out << "no journals\n";
    return kExitDone;
  }
  for (const auto& listing : listings) {
    const char* state = listing.beingWritten ? "being written"
                        : listing.header.state == attrib::JournalState::kUndone  ? "undone"
                        : listing.header.state == attrib::JournalState::kWriting ? "cut short"
                                                                                 : "can be undone";
    console.out << LocalTime(listing.header.time) << "  " << listing.records << " changed  "
                << AttributeLetters(listing.header.mask) << "  " << state << "  "
                << fs::EscapedText(TargetOf(listing.header)) << "  "
                << fs::EscapedText(listing.path.native()) << '\n';
  }
  return kExitDone;
}

}  // namespace

int RunCommand(const Options& options, Console& console) {
  switch (options.command) {
    case Command::kVersion:
      console.out << "lumaveil-cli " << LUMAVEIL_VERSION << '\n';
      return kExitDone;
    case Command::kHelp:
      console.out << kUsage;
      return kExitDone;
    case Command::kUndo: return Undo(options, console);
    case Command::kListJournals: return ListJournals(console);
    case Command::kPass: break;
  }
  return RunPasses(options, console);
}

}  // namespace lumaveil::cli
