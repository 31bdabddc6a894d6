#include "ui/win32/pictures.h"

#include <string_view>

#include "common/run_time_error.h"
#include "progressbar/stored_settings.h"
#include "ui/win32/resources.h"

namespace lumaveil::win32 {

Bitmap LoadPicture(int id) {
  return Bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void DrawPicture(HDC dc, HBITMAP picture, const RECT& place) {
  BITMAP info{};
  if (picture == nullptr || !GetObjectW(picture, sizeof info, &info)) return;
  MemoryDc source(CreateCompatibleDC(dc));
  Selection selected(source.get(), picture);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (width == info.bmWidth && height == info.bmHeight) {
    BitBlt(dc, place.left, place.top, width, height, source.get(), 0, 0, SRCCOPY);
    return;
  }
  const int previous = SetStretchBltMode(dc, HALFTONE);
  POINT origin;
  SetBrushOrgEx(dc, 0, 0, &origin);  // HALFTONE wants the brush origin set after the mode
  StretchBlt(dc, place.left, place.top, width, height, source.get(), 0, 0, info.bmWidth,
             info.bmHeight, SRCCOPY);
  SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
  SetStretchBltMode(dc, previous);
}

progressbar::PropertyBag StoredSplashBar() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_SPLASH_BAR), MAKEINTRESOURCEW(10));
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) {
    throw RunTimeError(error::kPathNotFound, "File not found: splash_p2.prgbar");
  }
  const std::string_view text(static_cast<const char*>(data), SizeofResource(module, found));
  return progressbar::ParseStoredInstance(text).bag;
}

}  // namespace lumaveil::win32
