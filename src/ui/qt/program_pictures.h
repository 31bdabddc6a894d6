// The program's artwork, shipped in its resources.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace lumaveil::app {

// Makes the program's resources (artwork, stored control settings) reachable under
// ":/lumaveil/"; safe to call any number of times.
void RegisterProgramResources();

// The 32 x 32 program icon every window carries.
QIcon ProgramIcon();
QPixmap ProgramIconPicture();
// The splash screen's picture, 330 x 103.
QPixmap SplashPicture();
// The banner across the top of the main window, 395 x 123.
QPixmap BannerPicture();
// The small picture beside the About window's place-of-origin line, 18 x 12.
QPixmap OriginPicture();

}  // namespace lumaveil::app
