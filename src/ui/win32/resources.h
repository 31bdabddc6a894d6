// The program's resources: the icon, the pictures and the splash bar's stored settings.
// Read by the resource compiler as well, so only #define lines here.
#pragma once

#define IDI_PROGRAM 1
#define IDB_SPLASH 101
#define IDB_BANNER 102
#define IDB_ORIGIN 103
#define IDB_TREE_PICTURES 104
#define IDR_SPLASH_BAR 201
