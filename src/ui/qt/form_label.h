// The plain labels and pictures of the program's windows, placed in twips. Labels use Tahoma
// with their text at the top left and have no background of their own, so what lies under them
// shows through.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

namespace lumaveil::app {

class TwipScale;

// A label named `name` at its designed place. When the installed fallback font draws the text
// wider than the designed width, the label grows to the right so the text is not cut off.
QLabel* AddFormLabel(QWidget* parent, const TwipScale& scale, const char* name,
                     const QString& text, int left, int top, int width, int height,
                     const QColor& color = Qt::black);

// A picture named `name` at its designed place, shown at its own size from the top left.
QLabel* AddFormPicture(QWidget* parent, const TwipScale& scale, const char* name,
                       const QPixmap& picture, int left, int top, int width, int height);

}  // namespace lumaveil::app
