// Fontconfig keeps a small cache for the life of the process and never frees it; Qt's font
// database reaches it in every window test. The leak checker is told so, and nothing else.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
