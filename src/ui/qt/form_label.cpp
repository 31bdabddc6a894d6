#include "ui/qt/form_label.h"

#include <QLabel>

#include "ui/qt/program_fonts.h"
#include "ui/qt/window_measures.h"

namespace lumaveil::app {

QLabel* AddFormLabel(QWidget* parent, const TwipScale& scale, const char* name,
                     const QString& text, int left, int top, int width, int height,
                     const QColor& color) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(TahomaFont());
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  scale.Place(label, left, top, width, height);
  const int needed = label->sizeHint().width();
  if (needed > label->width()) label->resize(needed, label->height());
  return label;
}

QLabel* AddFormPicture(QWidget* parent, const TwipScale& scale, const char* name,
                       const QPixmap& picture, int left, int top, int width, int height) {
  auto* image = new QLabel(parent);
  image->setObjectName(name);
  image->setPixmap(picture);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scale.Place(image, left, top, width, height);
  return image;
}

}  // namespace lumaveil::app
