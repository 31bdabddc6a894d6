// The fonts the windows are laid out for. Tahoma and Arial are rarely installed off Windows, so
// each falls back to the installed family that comes closest in shape and width.
#pragma once

#include <QFont>

namespace lumaveil::app {

// Tahoma 8.25 pt: labels, boxes, the tree and the About window.
QFont TahomaFont();
// Arial 18 pt bold: the title over the banner.
QFont ArialTitleFont();

}  // namespace lumaveil::app
