// Host windows: the surfaces the desktop shows, each with its own device context.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"

namespace lumaveil::gdi {
using internal::Dc;
using internal::Entry;
using internal::ObjectTable;
using internal::Window;

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF;
}

HWND CreateHostWindow(int width, int height) {
  auto surface = internal::MakeSurface(width, height, kWhite);
  if (surface == nullptr) return 0;
  auto& table = ObjectTable::Instance();
  Entry entry{Window{std::move(surface), 0}};
  entry.counted = false;
  const HWND window = table.Add(std::move(entry));
  const HDC dc = internal::AddDc(Dc::Type::kWindow, window);
  table.Get<Window>(window)->dc = dc;
  return window;
}

bool SetHostWindowSize(HWND handle, int width, int height) {
  Window* window = ObjectTable::Instance().Get<Window>(handle);
  if (window == nullptr) return false;
  auto resized = internal::MakeSurface(width, height, kWhite);
  if (resized == nullptr) return false;
  const internal::Surface& old = *window->surface;
  const int keep_width = std::min(width, old.width);
  const int keep_height = std::min(height, old.height);
  for (int y = 0; y < keep_height; ++y) {
    const auto from = old.pixels.begin() + static_cast<std::ptrdiff_t>(y) * old.width;
    std::copy(from, from + keep_width,
              resized->pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  window->surface = std::move(resized);
  return true;
}

bool DestroyHostWindow(HWND handle) {
  auto& table = ObjectTable::Instance();
  const Window* window = table.Get<Window>(handle);
  if (window == nullptr) return false;
  internal::RemoveDc(window->dc);
  table.Remove(handle);
  return true;
}

HDC GetHostWindowDC(HWND handle) {
  const Window* window = ObjectTable::Instance().Get<Window>(handle);
  return window ? window->dc : 0;
}

bool GetClientRect(HWND handle, RECT* rect) {
  const Window* window = ObjectTable::Instance().Get<Window>(handle);
  if (window == nullptr || rect == nullptr) return false;
  *rect = RECT{0, 0, window->surface->width, window->surface->height};
  return true;
}

}  // namespace lumaveil::gdi
