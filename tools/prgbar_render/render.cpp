#include "render.h"

#include <functional>

#include "common/run_time_error.h"
#include "platform/gdi/gdi.h"
#include "progressbar/prgbar.h"
#include "progressbar/window_surface.h"
#include "test_images.h"

namespace prgbar_render {

using lumaveil::progressbar::PrgBar;

namespace {

void Apply(const char* what, const std::function<void()>& setter, const RenderCase& c,
           std::vector<std::string>& warnings) {
  try {
    setter();
  } catch (const lumaveil::RunTimeError& e) {
    warnings.push_back(c.id + ": setting " + what + " failed with error " +
                       std::to_string(e.Number()) + " (" + e.Description() +
                       "); it keeps its previous value");
  }
}

}  // namespace

Picture RenderCaseOnFreshControl(const RenderCase& c, std::vector<std::string>& warnings) {
  lumaveil::progressbar::WindowSurface surface(c.width, c.height);
  PrgBar bar(surface);
  bar.SetMax(100);
  bar.SetMin(0);
  bar.SetStyle(c.style);
  bar.SetOrientation(c.orientation);
  bar.SetBrushStyle(c.brush);
  bar.SetColor(c.color);
  bar.SetColor2(c.color2);
  bar.SetImage(MakeTestImage(c.image));
  bar.SetMetalValue(c.metal);
  Apply("value", [&] { bar.SetValue(c.value); }, c, warnings);
  Apply("Value2", [&] { bar.SetValue2(c.value2); }, c, warnings);

  std::int32_t repaints = c.repaints;
  if (c.show_text && repaints > 0) {
    bar.SetShowText(true);
    --repaints;
  }
  for (std::int32_t i = 0; i < repaints; ++i) bar.DrawingControlProgressBar();

  Picture picture;
  picture.width = c.width;
  picture.height = c.height;
  const lumaveil::gdi::PixelBuffer pixels = lumaveil::gdi::SurfacePixels(surface.hDC());
  if (pixels.width != c.width || pixels.height != c.height) {
    warnings.push_back(c.id + ": the window's surface is missing; the picture is black");
    picture.rgb.assign(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height) * 3, 0);
    return picture;
  }
  picture.rgb.reserve(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height) * 3);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const std::uint32_t p = pixels.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) +
                                            static_cast<std::size_t>(x)];
      picture.rgb.push_back(static_cast<std::uint8_t>(p >> 16));
      picture.rgb.push_back(static_cast<std::uint8_t>(p >> 8));
      picture.rgb.push_back(static_cast<std::uint8_t>(p));
    }
  }
  return picture;
}

}  // namespace prgbar_render
