// gdi_reference CASES OUTPUT
// The reference drawer: draws every case of CASES with the platform's own GDI (through the
// adapter in real_gdi/) and writes the pictures to OUTPUT in case order (see results_file.h).
// System colour tables in CASES are made the system's with SetSysColors, so run it only where
// changing them is harmless: a Wine prefix of its own.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "case_drawer.h"
#include "real_gdi/real_gdi.h"
#include "real_gdi/win32_calls.h"
#include "results_file.h"

namespace gdi_diff {

void UseSystemColors(const std::vector<std::uint32_t>& colors) {
  static std::vector<std::uint32_t> current;
  if (colors.empty() || colors == current) return;
  if (!win32::SetSysColors(colors.data(), static_cast<int>(colors.size()))) {
    std::cerr << "gdi_reference: SetSysColors refused the table\n";
    std::exit(1);
  }
  current = colors;
}

}  // namespace gdi_diff

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gdi_reference CASES OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in) {
    std::cerr << "gdi_reference: cannot read " << argv[1] << '\n';
    return 2;
  }
  std::vector<gdi_diff::DiffCase> cases;
  try {
    cases = gdi_diff::ParseDiffCases(text.str());
  } catch (const gdi_diff::DiffCaseError& e) {
    std::cerr << "gdi_reference: " << argv[1] << ", " << e.what() << '\n';
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  gdi_diff::WriteHeader(out);
  for (const gdi_diff::DiffCase& c : cases) {
    gdi_diff::TakeNotes();
    const gdi_diff::Drawn drawn = gdi_diff::DrawCase(c);
    const std::uint32_t flags = gdi_diff::TakeNotes();
    if (drawn.pixels.size() != static_cast<std::size_t>(c.width) * c.height) {
      std::cerr << "gdi_reference: case " << c.id << " left no picture of its size\n";
    }
    gdi_diff::WriteDrawn(out, drawn, flags);
  }
  out.close();
  if (!out) {
    std::cerr << "gdi_reference: cannot write " << argv[2] << '\n';
    return 1;
  }
  std::cout << "gdi_reference: " << cases.size() << " cases drawn\n";
  return 0;
}
