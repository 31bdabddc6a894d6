#include "ui/qt/about_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

#include "ui/qt/form_label.h"
#include "ui/qt/program_fonts.h"
#include "ui/qt/program_pictures.h"
#include "ui/qt/window_measures.h"

namespace lumaveil::app {

namespace {

const QColor kValueBlue(0, 0, 255);

}  // namespace

About::About(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("About");
  setWindowTitle("About");
  setWindowIcon(ProgramIcon());
  setFont(TahomaFont());
  const TwipScale scale = TwipScale::For(this);
  setFixedSize(scale.Size(5865, 2880));

  auto* frame = new QGroupBox("About : ", this);
  frame->setObjectName("Frame1");
  scale.Place(frame, 120, 120, 5655, 1335);
  AddFormPicture(frame, scale, "Image1", ProgramIconPicture(), 360, 480, 480, 480);
  AddFormLabel(frame, scale, "Label1", "Core Engine", 1320, 240, 1215, 255);
  AddFormLabel(frame, scale, "Label6", "V . 1 . 0", 3120, 240, 1695, 255, kValueBlue);
  AddFormLabel(frame, scale, "Label4", "Company ", 1320, 600, 1215, 375);
  AddFormLabel(frame, scale, "Label9", "Tandrel Technologie ", 3120, 600, 1575, 255,
               kValueBlue);
  AddFormLabel(frame, scale, "Label5", "Programmer Name", 1320, 960, 1335, 255);
  AddFormLabel(frame, scale, "Label10", "Lumaveil developers", 3120, 960, 1455, 255,
               kValueBlue);

  list1_ = new QListWidget(this);
  list1_->setObjectName("List1");
  list1_->addItems({
      "Aplikasi ini bertujuan untuk Mencari File-file Hidden virus",
      "Program ini tersedia 4 checklist yang memiliki Fungsi masing-masing ",
      "untuk mengatur File-file yang ada di dalam folder menjadi Hidden , Read only ,",
      "Archive , System",
  });
  // Long lines are cut at the box's edge, as a plain list box does, rather than scrolled.
  list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scale.Place(list1_, 120, 1560, 5655, 840);

  AddFormLabel(this, scale, "Label12", "Made in Indonesia", 480, 2520, 2295, 255);
  AddFormPicture(this, scale, "Image3", OriginPicture(), 120, 2520, 270, 180);
}

}  // namespace lumaveil::app
