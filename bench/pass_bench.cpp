// Times the attribute pass against the floor of the job: a bare walker that lists each folder
// once and, per entry, reads the attributes once and writes the value once, by name relative to
// the open folder without following links (the same tree, the same values).
//
//   pass_bench [--runs N] [--where local|ntfs|both] [--folder DIR] [--floor at|fchdir]
//              [--floor-stat mode|none|each] [--journal on]
//
// --floor fchdir makes the floor use fchdir even where the kernel has getxattrat/setxattrat.
// --floor-stat: the floor reads each file's mode where Read-Only is kept there (user.DOSATTRIB
// on the local disk; "mode", the default), never ("none": the value alone), or stats every
// entry ("each": what a stat costs the pass where nothing else needs one).
// With --journal on, each run also times the pass writing its journal (in a folder next to the
// tree, on the same disk), so the journal's cost is measured side by side with the pass without
// it and the floor.
// The tree: 10 x 10 x 10 folders on three levels, 100 files in each of the 1,000 deepest,
// so 100,000 files and 1,110 folders, made in a fresh folder below DIR (default: the system's
// temporary folder) and, for "ntfs", on an NTFS image mounted with ntfs-3g there.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "attrib/attribute_pass.h"
#include "attrib/journal_store.h"
#include "bench_tree.h"
#include "floor_walker.h"
#include "mask_host.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_ntfs_image.h"
#include "platform/fs/posix_xattr_at.h"

namespace {

using lumaveil::attrib::AttributePass;
namespace fs = lumaveil::fs;

using lumaveil::bench::FloorStat;
using lumaveil::bench::FloorWalk;
using lumaveil::bench::kFanOut;
using lumaveil::bench::Store;
using lumaveil::bench::kTreeFiles;
using lumaveil::bench::MakeTree;

// The window of a pass nobody watches: the labels are still formatted, then dropped.
class HeadlessHost : public lumaveil::bench::MaskHost {
 public:
  void ShowCurrentFile(std::string_view folder, std::string_view name) override {
    labelBytes += folder.size() + name.size();
  }
  void ShowFileCount(const std::string& text) override { labelBytes += text.size(); }
  std::size_t labelBytes = 0;
};

// Wall-clock time, and this process's own processor time (user and system), which a busy
// machine disturbs far less; with ntfs-3g most of the work is in the FUSE daemon, not here.
struct Took {
  double wall = 0;
  double cpu = 0;
};

double ProcessCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

Took Time(const std::function<void()>& work) {
  const double cpuStart = ProcessCpuMilliseconds();
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
  return {wall.count(), ProcessCpuMilliseconds() - cpuStart};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

const char* FloorStatText(FloorStat stat, Store store) {
  switch (stat) {
    case FloorStat::kEach: return "every entry";
    case FloorStat::kNone: return "no entry";
    case FloorStat::kWhereTheModeIsRead: break;
  }
  return store == Store::kDosAttribText ? "each file, whose mode holds Read-Only"
                                        : "no entry: Read-Only is in the value";
}

// Times both walkers `runs` times after one untimed round to warm the caches; every timed walk
// changes every entry (the masks alternate). False when the tree cannot be made.
bool Measure(const std::string& where, const std::string& parent, int runs, bool useXattrAt,
             FloorStat stat, Store store, bool journal) {
  const std::string root = parent + "/tree";
  std::printf("%s: making 100,000 files in 1,110 folders below %s ...\n", where.c_str(),
              root.c_str());
  std::fflush(stdout);
  const double madeIn = Time([&] { MakeTree(root, "data"); }).wall;
  auto check = fs::OpenNativeDirectory(root);
  if (!check || check->ListAll().size() != kFanOut + 2) {
    std::printf("%s: cannot make the tree\n", where.c_str());
    return false;
  }
  std::printf("%s: made in %.0f ms\n", where.c_str(), madeIn);

  const bool xattrAt = useXattrAt && fs::KernelHasXattrAt();
  std::printf("%s: the floor reaches entries %s\n", where.c_str(),
              xattrAt ? "with getxattrat/setxattrat" : "after fchdir, with lgetxattr/lsetxattr");
  std::printf("%s: the floor stats %s\n", where.c_str(), FloorStatText(stat, store));
  HeadlessHost host;
  const std::unique_ptr<fs::FileSystem> fileSystem = fs::CreateFileSystem();
  std::vector<double> passWall, passCpu, referenceWall, referenceCpu, journalWall, journalCpu;
  const lumaveil::attrib::JournalStore journals(parent + "/journal");
  std::uint32_t mask = 0x02;
  for (int run = -1; run < runs; ++run) {
    Took reference, pass, journaled;
    std::int32_t count = 0;
    const auto walkReference = [&] {
      mask ^= 0x22;
      reference = Time([&] { FloorWalk(root, {xattrAt, stat, store}, mask); });
    };
    const auto walkPass = [&] {
      mask ^= 0x22;
      host.mask = mask;
      pass = Time([&] {
        AttributePass(*fileSystem, host).ScanOpenFolder(fs::OpenNativeDirectory(root), "C:\\tree",
                                                        count);
      });
    };
    const auto walkJournaled = [&] {
      mask ^= 0x22;
      host.mask = mask;
      journaled = Time([&] {
        AttributePass pass(*fileSystem, host);
        auto writer = journals.BeginOnNative(root);
        pass.SetObserver(writer.get());
        pass.ScanOpenFolder(fs::OpenNativeDirectory(root), "C:\\tree", count);
        writer->Finish();
      });
      count -= kTreeFiles;
    };
    // Alternating which goes first keeps a drift in the machine's load from favouring one.
    if (run % 2 == 0) {
      walkPass();
      if (journal) walkJournaled();
      walkReference();
    } else {
      walkReference();
      if (journal) walkJournaled();
      walkPass();
    }
    if (count != kTreeFiles) {
      std::printf("%s: the pass counted %d files\n", where.c_str(), count);
      return false;
    }
    if (run < 0) continue;
    passWall.push_back(pass.wall);
    passCpu.push_back(pass.cpu);
    referenceWall.push_back(reference.wall);
    referenceCpu.push_back(reference.cpu);
    journalWall.push_back(journaled.wall);
    journalCpu.push_back(journaled.cpu);
    std::printf("%s: run %d  pass %.1f ms (cpu %.1f)  floor %.1f ms (cpu %.1f)",
                where.c_str(), run + 1, pass.wall, pass.cpu, reference.wall, reference.cpu);
    if (journal) std::printf("  journaled %.1f ms (cpu %.1f)", journaled.wall, journaled.cpu);
    std::printf("\n");
  }
  if (journal) {
    std::printf("%s: medians of %d runs  journaled / pass  wall %.3f  cpu %.3f\n", where.c_str(),
                runs, Median(journalWall) / Median(passWall), Median(journalCpu) / Median(passCpu));
  }
  std::printf("%s: medians of %d runs  wall: pass %.1f ms  floor %.1f ms  ratio %.3f\n",
              where.c_str(), runs, Median(passWall), Median(referenceWall),
              Median(passWall) / Median(referenceWall));
  std::printf("%s: medians of %d runs  cpu:  pass %.1f ms  floor %.1f ms  ratio %.3f\n",
              where.c_str(), runs, Median(passCpu), Median(referenceCpu),
              Median(passCpu) / Median(referenceCpu));
  std::fflush(stdout);
  return true;
}

// A fresh folder below `parent`, removed (with the tree) at the end.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& parent) {
    std::string pattern = parent + "/lumaveil-bench-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

bool ParseFloorStat(const std::string& text, FloorStat& stat) {
  if (text == "mode") stat = FloorStat::kWhereTheModeIsRead;
  else if (text == "none") stat = FloorStat::kNone;
  else if (text == "each") stat = FloorStat::kEach;
  else return false;
  return true;
}

int main(int argc, char** argv) {
  int runs = 5;
  std::string where = "both";
  std::string parent = std::filesystem::temp_directory_path();
  bool journal = false;
  bool useXattrAt = true;
  FloorStat stat = FloorStat::kWhereTheModeIsRead;
  bool usage = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    else if (option == "--where") where = argv[i + 1];
    else if (option == "--folder") parent = argv[i + 1];
    else if (option == "--journal") journal = std::string(argv[i + 1]) == "on";
    else if (option == "--floor") useXattrAt = std::string(argv[i + 1]) != "fchdir";
    else if (option == "--floor-stat") usage = !ParseFloorStat(argv[i + 1], stat);
    else usage = true;
    if (usage) {
      std::fprintf(stderr,
                   "usage: pass_bench [--runs N] [--where local|ntfs|both] [--folder DIR]"
                   " [--floor at|fchdir] [--floor-stat mode|none|each] [--journal on]\n");
      return 2;
    }
  }

  bool ok = true;
  if (where == "local" || where == "both") {
    TemporaryFolder folder(parent);
    ok = !folder.path().empty() &&
         Measure("local disk", folder.path(), runs, useXattrAt, stat, Store::kDosAttribText,
                 journal) &&
         ok;
  }
  if (where == "ntfs" || where == "both") {
    TemporaryFolder folder(parent);
    lumaveil::fs::testing::NtfsImage image(folder.path(), 1LL << 30);
    if (!image.Mounted()) {
      std::printf("ntfs-3g: %s\n", image.Problem().c_str());
      ok = false;
    } else {
      ok = Measure("ntfs-3g", image.MountPoint(), runs, useXattrAt, stat, Store::kNtfsAttrib,
                 journal) &&
           ok;
    }
  }
  return ok ? 0 : 1;
}
