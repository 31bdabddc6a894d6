// prgbar_render CASEFILE OUTDIR [--syscolors FILE]
// Draws each case of CASEFILE on a fresh progress bar and writes OUTDIR/<id>.ppm (binary P6).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "pixel_font_renderer.h"
#include "render.h"
#include "render_case.h"

namespace {

constexpr const char* kUsage = "usage: prgbar_render CASEFILE OUTDIR [--syscolors FILE]\n";

class TableColours : public lumaveil::gdi::SystemColorSource {
 public:
  explicit TableColours(const std::vector<prgbar_render::SystemColourEntry>& entries) {
    for (const auto& e : entries) colours_[e.index] = static_cast<lumaveil::gdi::COLORREF>(e.colour);
  }
  std::optional<lumaveil::gdi::COLORREF> Color(int index) const override {
    const auto it = colours_.find(index);
    if (it == colours_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<int, lumaveil::gdi::COLORREF> colours_;
};

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WritePpm(const std::filesystem::path& path, const prgbar_render::Picture& picture) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(picture.rgb.data()),
            static_cast<std::streamsize>(picture.rgb.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<std::string> syscolors;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--syscolors") {
      if (i + 1 == args.size()) {
        std::cerr << "prgbar_render: --syscolors needs a file\n" << kUsage;
        return 2;
      }
      syscolors = args[++i];
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) {
    std::cerr << kUsage;
    return 2;
  }

  if (syscolors) {
    const std::optional<std::string> text = ReadFile(*syscolors);
    if (!text) {
      std::cerr << "prgbar_render: cannot read " << *syscolors << '\n';
      return 2;
    }
    try {
      lumaveil::gdi::SetSystemColorSource(
          std::make_shared<TableColours>(prgbar_render::ParseSystemColourFile(*text)));
    } catch (const prgbar_render::CaseFileError& e) {
      std::cerr << "prgbar_render: " << *syscolors << ", " << e.what() << '\n';
      return 2;
    }
  }
  const std::optional<std::string> case_text = ReadFile(positional[0]);
  if (!case_text) {
    std::cerr << "prgbar_render: cannot read " << positional[0] << '\n';
    return 2;
  }
  std::vector<prgbar_render::RenderCase> cases;
  try {
    cases = prgbar_render::ParseCaseFile(*case_text);
  } catch (const prgbar_render::CaseFileError& e) {
    std::cerr << "prgbar_render: " << positional[0] << ", " << e.what() << '\n';
    return 2;
  }
  const std::filesystem::path out_dir = positional[1];
  std::error_code ec;
  std::filesystem::create_directories(out_dir, ec);
  if (!std::filesystem::is_directory(out_dir)) {
    std::cerr << "prgbar_render: cannot make the folder " << out_dir.string() << '\n';
    return 2;
  }

  lumaveil::gdi::SetTextRenderer(std::make_shared<prgbar_render::PixelFontRenderer>());
  for (const prgbar_render::RenderCase& c : cases) {
    std::vector<std::string> warnings;
    const prgbar_render::Picture picture = prgbar_render::RenderCaseOnFreshControl(c, warnings);
    for (const std::string& w : warnings) std::cerr << "prgbar_render: " << w << '\n';
    const std::filesystem::path file = out_dir / (c.id + ".ppm");
    if (!WritePpm(file, picture)) {
      std::cerr << "prgbar_render: cannot write " << file.string() << '\n';
      return 1;
    }
  }
  return 0;
}
