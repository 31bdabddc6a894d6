// Times the whole attribute pass through the main window (Scan pressed, labels written, the
// window's events let run after every file) against the same pass with a host that has no
// window, on two trees:
//  - wide: 100,000 files in 1,110 folders, also against the floor of the job (bench/
//    floor_walker.h) in the same run. For reference it also times a window whose labels
//    repaint for every file, as plain labels do.
//  - deep: a chain of 20,000 folders with 255-byte names, one file in each, so the paths run
//    to 5 MB. The window may take at most twice the headless pass.
//
//   DISPLAY=:99 gui_pass_bench [--runs N] [--folder DIR] [--plain-labels 0|1]
//                              [--deep-levels N] [--deep-runs N]
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/qt/frm_utama.h"
#include "ui/qt/pass_label.h"
#include "ui/qt/program.h"
#include "attrib/attribute_pass.h"
#include "ui/common/path_label_text.h"
#include "bench_tree.h"
#include "floor_walker.h"
#include "mask_host.h"
#include "platform/fs/posix_file_system.h"
#include "platform/fs/posix_xattr_at.h"
#include "ui/qt/qt_event_pump.h"

namespace {

namespace fs = lumaveil::fs;
using lumaveil::attrib::AttributePass;

using lumaveil::bench::MakeDeepTree;
using lumaveil::bench::MakeTree;
using lumaveil::bench::RemoveDeepTree;
constexpr int kFiles = lumaveil::bench::kTreeFiles;
constexpr std::uint32_t kHidden = 0x2;

// The boxes as the pass reads them; the labels' texts are made and dropped.
class HeadlessHost : public lumaveil::bench::MaskHost {
 public:
  void ShowCurrentFile(std::string_view, std::string_view name) override { last = name; }
  void ShowFileCount(const std::string& text) override { count = text; }
  std::string last;
  std::string count;
};

// A window of two plain labels that repaint whenever their text changes.
class PlainLabelHost : public HeadlessHost {
 public:
  PlainLabelHost() {
    window_.resize(394, 60);
    fileName_ = new QLabel(&window_);
    fileName_->setGeometry(0, 0, 394, 40);
    fileName_->setWordWrap(true);
    value_ = new QLabel(&window_);
    value_->setGeometry(300, 40, 90, 15);
    window_.show();
  }
  void ShowCurrentFile(std::string_view folder, std::string_view name) override {
    fileName_->setText(QString::fromStdString(std::string(folder) + std::string(name)));
  }
  void ShowFileCount(const std::string& text) override {
    value_->setText(QString::fromStdString(text));
  }
  void PumpEvents() override { lumaveil::qt::RunPendingEvents(); }

 private:
  QWidget window_;
  QLabel* fileName_;
  QLabel* value_;
};

// The main window's controls that the benchmark drives and reads, found by their names.
struct WindowControls {
  explicit WindowControls(QWidget& window)
      : pathBox(window.findChild<QLineEdit*>("txtDirPath")),
        hidden(window.findChild<QCheckBox*>("Check1_2")),
        scan(window.findChild<QPushButton*>("Command1_0")),
        fileName(window.findChild<lumaveil::app::PassLabel*>("lblFileName")),
        count(window.findChild<lumaveil::app::PassLabel*>("lblvalue1")) {}
  QLineEdit* pathBox;
  QCheckBox* hidden;
  QPushButton* scan;
  lumaveil::app::PassLabel* fileName;
  lumaveil::app::PassLabel* count;
};

// D: is the folder of the tree; C: is never ready, so nothing else is listed.
std::unique_ptr<fs::PosixFileSystem> FileSystemOver(const std::string& folder,
                                                    const std::string& sysRoot) {
  const std::string mountInfo = "1 0 8:1 / / rw - ext4 /dev/benchroot rw\n"
                                "2 1 8:2 / " + folder + " rw - ext4 /dev/benchdata rw\n";
  return std::make_unique<fs::PosixFileSystem>(
      mountInfo, sysRoot,
      [](const std::string& native) { return native != "/" && fs::CanReadFolder(native); });
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class NoPicker : public lumaveil::attrib::FolderPicker {
 public:
  std::string Pick(lumaveil::attrib::WindowHandle, const std::string&) override { return {}; }
};

// The deep tree, headless and through the window, `runs` times after one untimed round; every
// pass changes every entry. False when a pass did not count every file or the window was slow.
bool MeasureDeep(lumaveil::app::FrmUtama& window, fs::FileSystem& fileSystem,
                 const std::string& data, int levels, int runs) {
  constexpr int kNameBytes = 255;
  std::printf("making a chain of %d folders with %d-byte names below %s ...\n", levels,
              kNameBytes, data.c_str());
  std::fflush(stdout);
  const std::string root = data + "/deep";
  if (!MakeDeepTree(root, levels, kNameBytes)) {
    std::fprintf(stderr, "cannot make the deep tree\n");
    RemoveDeepTree(root);
    return false;
  }
  WindowControls controls(window);
  controls.pathBox->setText("D:\\deep");
  const QString counted = QString(": %1").arg(levels);
  std::vector<double> headless, windowed;
  bool ok = true;
  for (int run = -1; run < runs && ok; ++run) {
    HeadlessHost host;
    host.mask = run % 2 ? kHidden : 0u;
    std::int32_t count = 0;
    const double h =
        Milliseconds([&] { AttributePass(fileSystem, host).ScanFolder("D:\\deep", count); });
    controls.hidden->setChecked(run % 2 == 0);
    const double w = Milliseconds([&] { controls.scan->click(); });
    // The label holds the head of the last path, cut to a whole character.
    ok = count == levels && controls.count->text() == counted &&
         controls.fileName->text().size() > 0 &&
         static_cast<std::size_t>(controls.fileName->text().toUtf8().size()) <=
             lumaveil::ui::kPathLabelBytes;
    if (run < 0 || !ok) continue;
    headless.push_back(h);
    windowed.push_back(w);
    std::printf("deep run %d  headless %.1f ms  window %.1f ms\n", run + 1, h, w);
    std::fflush(stdout);
  }
  RemoveDeepTree(root);
  if (!ok) {
    std::fprintf(stderr, "a deep pass did not count every file\n");
    return false;
  }
  const double h = Median(headless);
  const double w = Median(windowed);
  std::printf("deep: median of %d runs  headless %.1f ms  window %.1f ms (x%.2f)\n", runs, h, w,
              w / h);
  std::printf("the window takes %s than twice the headless pass\n",
              w <= 2 * h ? "no more" : "MORE");
  return w <= 2 * h;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  int deepLevels = 20000;
  int deepRuns = 3;
  bool plainLabels = true;
  std::string parent = std::filesystem::temp_directory_path();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    if (option == "--folder") parent = argv[i + 1];
    if (option == "--plain-labels") plainLabels = std::atoi(argv[i + 1]) != 0;
    if (option == "--deep-levels") deepLevels = std::max(1, std::atoi(argv[i + 1]));
    if (option == "--deep-runs") deepRuns = std::max(1, std::atoi(argv[i + 1]));
  }
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    std::fprintf(stderr, "gui_pass_bench needs a display: start Xvfb :99 and set DISPLAY=:99\n");
    return 2;
  }
  QApplication application(argc, argv);
  lumaveil::app::InstallDesktopDrawing();

  std::string scratch = parent + "/lumaveil-gui-bench-XXXXXX";
  if (mkdtemp(scratch.data()) == nullptr) {
    std::fprintf(stderr, "cannot make a folder below %s\n", parent.c_str());
    return 1;
  }
  const std::string data = scratch + "/data";
  const std::string sys = scratch + "/sys";
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(sys);
  std::printf("making %d files in 1,110 folders below %s ...\n", kFiles, data.c_str());
  std::fflush(stdout);
  int status = 0;
  if (!MakeTree(data + "/tree", "")) {
    std::fprintf(stderr, "cannot make the tree\n");
    status = 1;
  } else {
    auto fileSystem = FileSystemOver(data, sys);
    NoPicker picker;
    lumaveil::app::FrmUtama window(*fileSystem, picker, [] {});
    window.ShowCentred();
    lumaveil::qt::RunPendingEvents();
    WindowControls controls(window);
    controls.pathBox->setText("D:\\tree");

    std::vector<double> floor, headless, windowed, plain;
    lumaveil::bench::FloorOptions floorOptions;
    floorOptions.xattrAt = fs::KernelHasXattrAt();
    bool hidden = false;
    // Every timed pass changes every entry: the mask alternates between Hidden and none.
    auto nextMask = [&] { hidden = !hidden; return hidden ? kHidden : 0u; };
    for (int run = -1; run < runs; ++run) {
      const double f = Milliseconds(
          [&] { lumaveil::bench::FloorWalk(data + "/tree", floorOptions, nextMask()); });
      HeadlessHost host;
      host.mask = nextMask();
      std::int32_t count = 0;
      const double h = Milliseconds([&] {
        AttributePass(*fileSystem, host).ScanFolder("D:\\tree", count);
      });

      controls.hidden->setChecked(nextMask() != 0);
      const double w = Milliseconds([&] { controls.scan->click(); });
      const bool windowCounted = controls.count->text() == QString(": %1").arg(kFiles);

      std::int32_t plainCount = kFiles;
      double p = 0;
      if (plainLabels) {
        PlainLabelHost plainHost;
        plainHost.mask = nextMask();
        plainCount = 0;
        p = Milliseconds([&] {
          AttributePass(*fileSystem, plainHost).ScanFolder("D:\\tree", plainCount);
        });
      }
      if (count != kFiles || plainCount != kFiles || !windowCounted) {
        std::fprintf(stderr, "a pass did not count every file\n");
        status = 1;
        break;
      }
      if (run < 0) continue;
      floor.push_back(f);
      headless.push_back(h);
      windowed.push_back(w);
      plain.push_back(p);
      std::printf("run %d  floor %.1f ms  headless %.1f ms  window %.1f ms", run + 1, f, h, w);
      if (plainLabels) std::printf("  plain labels %.1f ms", p);
      std::printf("\n");
      std::fflush(stdout);
    }
    if (status == 0) {
      const double f = Median(floor);
      const double h = Median(headless);
      const double w = Median(windowed);
      const double p = Median(plain);
      std::printf("median of %d runs  floor %.1f ms  headless %.1f ms (x%.2f)  window %.1f ms "
                  "(x%.2f of the floor, +%.1f%% on headless)",
                  runs, f, h, h / f, w, w / f, 100.0 * (w / h - 1));
      if (plainLabels) std::printf("  plain labels %.1f ms (+%.1f%%)", p, 100.0 * (p / h - 1));
      std::printf("\n");
    }
    // Measured even when the wide tree was too slow, so both figures are seen.
    if (status != 1 && !MeasureDeep(window, *fileSystem, data, deepLevels, deepRuns)) status = 3;
  }
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  return status;
}
