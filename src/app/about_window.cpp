#include "app/about_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

#include "app/program_fonts.h"
#include "app/program_pictures.h"
#include "app/window_measures.h"

namespace lumaveil::app {

namespace {

const QColor kValueBlue(0, 0, 255);

QLabel* AddLabel(QWidget* parent, const TwipScale& scale, const QString& text, int left, int top,
                 int width, int height, bool blue = false) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (blue) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kValueBlue);
    label->setPalette(palette);
  }
  scale.Place(label, left, top, width, height);
  return label;
}

QLabel* AddPicture(QWidget* parent, const TwipScale& scale, const QPixmap& picture, int left,
                   int top, int width, int height) {
  auto* image = new QLabel(parent);
  image->setPixmap(picture);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scale.Place(image, left, top, width, height);
  return image;
}

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
  AddPicture(frame, scale, ProgramIconPicture(), 360, 480, 480, 480)->setObjectName("Image1");
  AddLabel(frame, scale, "Core Engine", 1320, 240, 1215, 255)->setObjectName("Label1");
  AddLabel(frame, scale, "V . 1 . 0", 3120, 240, 1695, 255, true)->setObjectName("Label6");
  AddLabel(frame, scale, "Company ", 1320, 600, 1215, 375)->setObjectName("Label4");
  AddLabel(frame, scale, "Tandrel Technologie ", 3120, 600, 1575, 255, true)
      ->setObjectName("Label9");
  AddLabel(frame, scale, "Programmer Name", 1320, 960, 1335, 255)->setObjectName("Label5");
  AddLabel(frame, scale, "Lumaveil developers", 3120, 960, 1455, 255, true)
      ->setObjectName("Label10");

  list1_ = new QListWidget(this);
  list1_->setObjectName("List1");
  list1_->addItems({
      "Aplikasi ini bertujuan untuk Mencari File-file Hidden virus",
      "Program ini tersedia 4 checklist yang memiliki Fungsi masing-masing ",
      "untuk mengatur File-file yang ada di dalam folder menjadi Hidden , Read only ,",
      "Archive , System",
  });
  scale.Place(list1_, 120, 1560, 5655, 840);

  AddLabel(this, scale, "Made in Indonesia", 480, 2520, 2295, 255)->setObjectName("Label12");
  AddPicture(this, scale, OriginPicture(), 120, 2520, 270, 180)->setObjectName("Image3");
}

}  // namespace lumaveil::app
