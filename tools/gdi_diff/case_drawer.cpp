#include "case_drawer.h"

#include <array>

#include "platform/gdi/gdi.h"
#include "platform/gdi/owned.h"
#include "render.h"

namespace gdi_diff {
namespace gdi = lumaveil::gdi;
namespace {

// A memory context holding a bitmap of noise: the source of BitBlt calls. The members are
// declared in the order that lets them go: the selection undone, the bitmap freed, the context
// freed.
class SourceSurface {
 public:
  void Make(std::int32_t width, std::int32_t height, std::uint32_t noise_key) {
    selected_.Reset();
    bitmap_.Reset();
    dc_.Reset();
    std::vector<std::uint32_t> pixels;
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) pixels.push_back(Noise(noise_key, x, y));
    }
    dc_ = gdi::Owned<gdi::Dc>(gdi::CreateCompatibleDC(0));
    bitmap_ = gdi::Owned<gdi::Bitmap>(gdi::CreateBitmapFromPixels(width, height, pixels.data()));
    if (dc_ && bitmap_) selected_ = gdi::ScopedSelect(dc_.get(), bitmap_.get());
  }
  gdi::HDC dc() const { return dc_.get(); }

 private:
  gdi::Owned<gdi::Dc> dc_;
  gdi::Owned<gdi::Bitmap> bitmap_;
  gdi::ScopedSelect selected_;
};

gdi::HBITMAP NoiseBitmap(std::int64_t width, std::int64_t height, std::uint32_t noise_key) {
  std::vector<std::uint32_t> pixels;
  for (std::int64_t y = 0; y < height; ++y) {
    for (std::int64_t x = 0; x < width; ++x) pixels.push_back(Noise(noise_key, x, y));
  }
  return gdi::CreateBitmapFromPixels(static_cast<int>(width), static_cast<int>(height),
                                     pixels.data());
}

class CallRunner {
 public:
  CallRunner(gdi::HDC dc) : dc_(dc) {}
  CallRunner(const CallRunner&) = delete;
  CallRunner& operator=(const CallRunner&) = delete;
  ~CallRunner() {
    gdi::SelectObject(dc_, original_brush_);
    gdi::SelectObject(dc_, original_pen_);
    for (gdi::HGDIOBJ object : slots_) {
      if (object != 0) gdi::DeleteObject(object);
    }
  }

  void Run(const Call& call) {
    const auto a = [&](std::size_t i) { return static_cast<std::int32_t>(call.args[i]); };
    const auto color = [&](std::size_t i) { return static_cast<gdi::COLORREF>(call.args[i]); };
    const std::string& n = call.name;
    if (n == "SolidBrush") {
      Put(a(0), gdi::CreateSolidBrush(color(1)));
    } else if (n == "HatchBrush") {
      Put(a(0), gdi::CreateHatchBrush(a(1), color(2)));
    } else if (n == "PatternBrush") {
      // The brush keeps its own copy of the bitmap.
      const gdi::Owned<gdi::Bitmap> bitmap(
          NoiseBitmap(a(1), a(2), static_cast<std::uint32_t>(a(3))));
      Put(a(0), gdi::CreatePatternBrush(bitmap.get()));
    } else if (n == "Pen") {
      Put(a(0), gdi::CreatePen(a(1), a(2), color(3)));
    } else if (n == "SelectBrush" || n == "SelectPen") {
      const gdi::HGDIOBJ old = gdi::SelectObject(dc_, slots_[a(0)]);
      gdi::HGDIOBJ& original = n == "SelectBrush" ? original_brush_ : original_pen_;
      if (original == 0) original = old;
    } else if (n == "SetBkMode") {
      gdi::SetBkMode(dc_, a(0));
    } else if (n == "SetBkColor") {
      gdi::SetBkColor(dc_, color(0));
    } else if (n == "FillRect" || n == "FrameRect") {
      const gdi::RECT rect{a(0), a(1), a(2), a(3)};
      if (n == "FillRect") {
        gdi::FillRect(dc_, &rect, slots_[a(4)]);
      } else {
        gdi::FrameRect(dc_, &rect, slots_[a(4)]);
      }
    } else if (n == "PatBlt") {
      gdi::PatBlt(dc_, a(0), a(1), a(2), a(3), gdi::PATCOPY);
    } else if (n == "MoveToEx") {
      gdi::MoveToEx(dc_, a(0), a(1), nullptr);
    } else if (n == "LineTo") {
      gdi::LineTo(dc_, a(0), a(1));
    } else if (n == "SetPixelV") {
      gdi::SetPixelV(dc_, a(0), a(1), color(2));
    } else if (n == "DrawEdge") {
      gdi::RECT rect{a(0), a(1), a(2), a(3)};
      gdi::DrawEdge(dc_, &rect, static_cast<unsigned>(a(4)), static_cast<unsigned>(a(5)));
    } else if (n == "Source") {
      source_.Make(a(0), a(1), static_cast<std::uint32_t>(a(2)));
    } else if (n == "BitBlt") {
      gdi::BitBlt(dc_, a(0), a(1), a(2), a(3), a(6) == 1 ? dc_ : source_.dc(), a(4), a(5),
                  gdi::SRCCOPY);
    }
  }

 private:
  void Put(std::int32_t slot, gdi::HGDIOBJ object) {
    if (slots_[slot] != 0) {
      // Not selected anywhere: a selected slot is never replaced by the generator.
      gdi::DeleteObject(slots_[slot]);
    }
    slots_[slot] = object;
  }

  gdi::HDC dc_;
  std::array<gdi::HGDIOBJ, kSlotCount> slots_{};
  gdi::HGDIOBJ original_brush_ = 0;
  gdi::HGDIOBJ original_pen_ = 0;
  SourceSurface source_;
};

Drawn DrawCalls(const DiffCase& c) {
  Drawn drawn{c.width, c.height, {}};
  const gdi::HWND window = gdi::CreateHostWindow(c.width, c.height);
  const gdi::HDC dc = gdi::GetHostWindowDC(window);
  const gdi::PixelBuffer surface = gdi::SurfacePixels(dc);
  if (surface.width == c.width && surface.height == c.height) {
    for (std::int32_t y = 0; y < c.height; ++y) {
      for (std::int32_t x = 0; x < c.width; ++x) {
        surface.pixels[static_cast<std::size_t>(y) * c.width + x] = Noise(c.noise_key, x, y);
      }
    }
  }
  {
    CallRunner runner(dc);
    for (const Call& call : c.calls) runner.Run(call);
  }
  const gdi::PixelBuffer result = gdi::SurfacePixels(dc);
  if (result.width == c.width && result.height == c.height) {
    drawn.pixels.assign(result.pixels, result.pixels + static_cast<std::size_t>(c.width) * c.height);
  }
  gdi::DestroyHostWindow(window);
  return drawn;
}

Drawn DrawBar(const DiffCase& c) {
  std::vector<std::string> warnings;
  const prgbar_render::Picture picture = prgbar_render::RenderCaseOnFreshControl(c.bar, warnings);
  Drawn drawn{picture.width, picture.height, {}};
  for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
    drawn.pixels.push_back(std::uint32_t{picture.rgb[i]} << 16 |
                           std::uint32_t{picture.rgb[i + 1]} << 8 | picture.rgb[i + 2]);
  }
  return drawn;
}

}  // namespace

Drawn DrawCase(const DiffCase& c) {
  UseSystemColors(c.sys_colors);
  Drawn drawn = c.kind == DiffCase::Kind::kBar ? DrawBar(c) : DrawCalls(c);
  for (std::uint32_t& pixel : drawn.pixels) pixel &= 0xFFFFFF;
  return drawn;
}

}  // namespace gdi_diff
