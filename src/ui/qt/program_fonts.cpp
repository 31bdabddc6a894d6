#include "ui/qt/program_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace lumaveil::app {

namespace {

// The first family of `preferred` that is installed; the toolkit's sans-serif otherwise.
QFont FirstInstalled(const QStringList& preferred, double point_size) {
  const QStringList installed = QFontDatabase::families();
  QFont font;
  font.setStyleHint(QFont::SansSerif);
  for (const QString& family : preferred) {
    if (installed.contains(family, Qt::CaseInsensitive)) {
      font.setFamily(family);
      break;
    }
  }
  font.setPointSizeF(point_size);
  return font;
}

}  // namespace

QFont TahomaFont() {
  // Tahoma is a narrowed Verdana; DejaVu Sans descends from the same Vera design, and its
  // condensed cut matches Tahoma's width.
  return FirstInstalled({"Tahoma", "DejaVu Sans Condensed", "Verdana", "DejaVu Sans",
                         "Liberation Sans"},
                        8.25);
}

QFont ArialTitleFont() {
  QFont font = FirstInstalled({"Arial", "Liberation Sans", "Arimo", "Nimbus Sans",
                               "DejaVu Sans"},
                              18);
  font.setBold(true);
  return font;
}

}  // namespace lumaveil::app
