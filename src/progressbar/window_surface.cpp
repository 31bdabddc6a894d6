#include "progressbar/window_surface.h"

#include <utility>

#include "platform/gdi/gdi.h"

namespace lumaveil::progressbar {

WindowSurface::WindowSurface(int width, int height)
    : window_(gdi::CreateHostWindow(width, height)), width_(width), height_(height) {}

WindowSurface::~WindowSurface() { gdi::DestroyHostWindow(window_); }

void WindowSurface::Resize(int width, int height) {
  gdi::SetHostWindowSize(window_, width, height);
  width_ = width;
  height_ = height;
}

void WindowSurface::OnPropertyChanged(std::function<void(std::string_view)> listener) {
  listener_ = std::move(listener);
}

std::int32_t WindowSurface::hDC() const { return gdi::GetHostWindowDC(window_); }

void WindowSurface::PropertyChanged(std::string_view key) {
  if (listener_) listener_(key);
}

}  // namespace lumaveil::progressbar
