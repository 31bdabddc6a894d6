#include "ui/win32/gdi_objects.h"

#include <cmath>

namespace lumaveil::win32 {

Font CreatePointFont(const wchar_t* face, double points, int weight, UINT dpi, bool italic,
                     bool underline, bool strikeout) {
  // A negative height asks for the em height, as a point size means it.
  const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
  return Font(CreateFontW(height, 0, 0, 0, weight, italic, underline, strikeout, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, face));
}

Font TahomaFont(UINT dpi) { return CreatePointFont(L"Tahoma", 8.25, FW_NORMAL, dpi); }

Font ArialTitleFont(UINT dpi) { return CreatePointFont(L"Arial", 18, FW_BOLD, dpi); }

}  // namespace lumaveil::win32
