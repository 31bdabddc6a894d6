#include "ui/qt/frm_utama.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "ui/common/counter_layout.h"
#include "ui/common/path_label_text.h"
#include "ui/qt/form_label.h"
#include "ui/qt/pass_label.h"
#include "ui/qt/program_fonts.h"
#include "ui/qt/program_pictures.h"
#include "ui/qt/window_measures.h"
#include "ui/qt/folder_tree_widget.h"
#include "ui/qt/qt_event_pump.h"

namespace lumaveil::app {

namespace {

constexpr int kClientWidth = 5910;
constexpr int kClientHeight = 6000;
constexpr int kPathBoxTop = 3240;
constexpr int kGapAbovePathBox = 60;

}  // namespace

FrmUtama::FrmUtama(fs::FileSystem& fileSystem, attrib::FolderPicker& picker,
                   EndProgram endProgram, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      fileSystem_(fileSystem),
      picker_(picker),
      endProgram_(std::move(endProgram)) {
  setObjectName("FrmUtama");
  setWindowTitle("Lumaveil V.1.0");
  setWindowIcon(ProgramIcon());
  commands_ = std::make_unique<attrib::ScanCommands>(fileSystem_, *this);
  BuildControls();
  BuildMenus();
  const TwipScale scale = TwipScale::For(this);
  resize(scale.Pixels(kClientWidth),
         scale.Pixels(kClientHeight) + menuBar()->sizeHint().height());
  Form_Load();
}

FrmUtama::~FrmUtama() = default;

void FrmUtama::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName("client");
  setCentralWidget(client);
  const TwipScale scale = TwipScale::For(this);
  const QFont tahoma = TahomaFont();

  // Created from the bottom of the drawing order up, so that later controls lie on top.
  lblDir_ = AddFormLabel(client, scale, "lblDir", QString(), 120, 4920, 4575, 255);

  lblFileName_ = new PassLabel(QString(), client);
  lblFileName_->setObjectName("lblFileName");
  lblFileName_->setFont(tahoma);
  lblFileName_->SetTextColor(palette().color(QPalette::WindowText));
  scale.Place(lblFileName_, 0, 5280, 5895, 615);

  AddFormLabel(client, scale, "Label1", "Set Attribute For File / Folder", 120, 4080, 2100,
               195);

  lblvalue1_ = new PassLabel(": 0", client);
  lblvalue1_->setObjectName("lblvalue1");
  lblvalue1_->setFont(tahoma);
  scale.Place(lblvalue1_, ui::kCountBox.left, ui::kCountBox.top, ui::kCountBox.width,
              ui::kCountBox.height);

  const ui::TwipBox& caption = ui::kCountCaptionBox;
  lblinfo3_ = AddFormLabel(client, scale, "lblinfo3", "Fle(s)", caption.left, caption.top,
                           caption.width, caption.height);

  AddFormPicture(client, scale, "Image1", BannerPicture(), 0, 0, 5925, 1845);

  auto* title = new QLabel("Lumaveil", client);
  title->setObjectName("Label2");
  title->setFont(ArialTitleFont());
  title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scale.Place(title, 120, 1200, 4575, 495);

  tvFolders_ = new qt::FolderTreeWidget(
      fileSystem_, [this](const QString& path) { txtDirPath_->setText(path); },
      qt::FolderTreeWidget::Clicks::CheckFolder, client);
  tvFolders_->setObjectName("tvFolders");
  tvFolders_->setFont(tahoma);
  // The tree ends just above the path box, so no folder hides behind the box.
  scale.Place(tvFolders_, 0, 1920, 5880, kPathBoxTop - kGapAbovePathBox - 1920);

  txtDirPath_ = new QLineEdit(client);
  txtDirPath_->setObjectName("txtDirPath");
  txtDirPath_->setFont(tahoma);
  scale.Place(txtDirPath_, 120, kPathBoxTop, 5625, 285);

  struct Box {
    const char* caption;
    int left;
    int top;
  };
  const std::array<Box, 4> boxes{{{"Archive", 120, 4365},
                                  {"Read-Only", 120, 4605},
                                  {"Hidden", 1470, 4365},
                                  {"System", 1470, 4605}}};
  for (int i = 3; i >= 0; --i) {
    auto* box = new QCheckBox(boxes[i].caption, client);
    box->setObjectName(QString("Check1_%1").arg(i));
    box->setFont(tahoma);
    scale.Place(box, boxes[i].left, boxes[i].top, 1275, 195);
    check1_[i] = box;
  }

  struct Button {
    const char* caption;
    int left;
    int width;
  };
  const std::array<Button, 2> buttons{{{"Scan", 3240, 1215}, {"Stop", 4440, 1335}}};
  for (int i = 0; i < 2; ++i) {
    auto* button = new QPushButton(buttons[i].caption, client);
    button->setObjectName(QString("Command1_%1").arg(i));
    // Neither button answers Enter or Escape on its own.
    button->setAutoDefault(false);
    button->setDefault(false);
    scale.Place(button, buttons[i].left, 4320, buttons[i].width, 375);
    connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    command1_[i] = button;
  }

  // Labels and pictures take no focus; the rest follows the window's tab order.
  QWidget* chain[] = {tvFolders_,  txtDirPath_,  check1_[0],  check1_[1],
                      check1_[2],  check1_[3],   command1_[0], command1_[1]};
  for (std::size_t i = 0; i + 1 < std::size(chain); ++i) setTabOrder(chain[i], chain[i + 1]);
  tvFolders_->setFocus(Qt::OtherFocusReason);
}

void FrmUtama::BuildMenus() {
  mnuFile_ = menuBar()->addMenu("File");
  mnuFile_->setObjectName("MnuFile");
  QAction* quickScan = mnuFile_->addAction("Quick Scan");
  quickScan->setObjectName("MnQScan");
  connect(quickScan, &QAction::triggered, this, &FrmUtama::MnQScan_Click);

  mnHelp_ = menuBar()->addMenu("Help");
  mnHelp_->setObjectName("MnHelp");
  QAction* about = mnHelp_->addAction("About");
  about->setObjectName("MnAbout");
  connect(about, &QAction::triggered, this, &FrmUtama::MnAbout_Click);

  mnExit_ = menuBar()->addMenu("Exit");
  mnExit_->setObjectName("MnExit");
  QAction* exit = mnExit_->addAction("Exit");
  exit->setObjectName("MnExite");
  connect(exit, &QAction::triggered, this, &FrmUtama::MnExite_Click);
}

void FrmUtama::Form_Load() { tvFolders_->Form_Load(); }

void FrmUtama::ShowCentred() {
  CentreOnScreen(this, screen() != nullptr ? screen() : QGuiApplication::primaryScreen());
  show();
  tvFolders_->setFocus(Qt::OtherFocusReason);
}

void FrmUtama::MnQScan_Click() {
  const std::string chosen =
      attrib::BrowseForFolder(picker_, static_cast<attrib::WindowHandle>(winId()),
                              attrib::kQuickScanPrompt);
  commands_->TargetPath = chosen;
  if (chosen.empty()) return;
  txtDirPath_->setText(QString::fromStdString(chosen));
  mnuFile_->menuAction()->setEnabled(false);
}

void FrmUtama::Command1_Click(int index) {
  if (index != 0) {
    commands_->Command1_Click(index);
    return;
  }
  // The labels may be holding back the pass's last texts until their frame ends; they paint
  // them by themselves. A close asked for during the pass happens after it.
  closing_.RunScan([&] { commands_->Command1_Click(index); }, [this] { close(); });
}

void FrmUtama::MnAbout_Click() {
  if (about_ == nullptr) {
    about_ = new About();
    about_->setAttribute(Qt::WA_DeleteOnClose);
    CentreOnScreen(about_, QGuiApplication::primaryScreen());
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void FrmUtama::MnExite_Click() { endProgram_(); }

bool FrmUtama::IsTicked(attrib::Attribute attribute) {
  return check1_.at(attrib::BoxIndex(attribute))->checkState() != Qt::Unchecked;
}

void FrmUtama::ShowCurrentFile(std::string_view folder, std::string_view name) {
  lblFileName_->setText(QString::fromStdString(ui::PathLabelText(folder, name)));
}

void FrmUtama::ShowFileCount(const std::string& text) {
  lblvalue1_->setText(QString::fromStdString(text));
}

void FrmUtama::PumpEvents() {
  if (pumpGate_.Due(ui::EventPumpGate::Clock::now())) qt::RunPendingEvents();
}

std::string FrmUtama::EnteredPath() { return txtDirPath_->text().toStdString(); }

void FrmUtama::ShowWarning(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Ok, this);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void FrmUtama::SetScanEnabled(bool enabled) { command1_.at(0)->setEnabled(enabled); }

void FrmUtama::SetBoxEnabled(attrib::Attribute attribute, bool enabled) {
  check1_.at(attrib::BoxIndex(attribute))->setEnabled(enabled);
}

void FrmUtama::closeEvent(QCloseEvent* event) {
  if (closing_.CloseRequested([this] { SetStopRequested(true); })) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace lumaveil::app
