#include "results_file.h"

#include <string>

namespace gdi_diff {
namespace {
constexpr char kHeader[] = "lumaveil-gdi-reference 1\n";

void Put32(std::ostream& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  out.write(bytes, 4);
}

bool Get32(std::istream& in, std::uint32_t* value) {
  unsigned char bytes[4];
  if (!in.read(reinterpret_cast<char*>(bytes), 4)) return false;
  *value = bytes[0] | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
  return true;
}
}  // namespace

void WriteHeader(std::ostream& out) { out.write(kHeader, sizeof kHeader - 1); }

void WriteDrawn(std::ostream& out, const Drawn& drawn, std::uint32_t flags) {
  Put32(out, static_cast<std::uint32_t>(drawn.width));
  Put32(out, static_cast<std::uint32_t>(drawn.height));
  Put32(out, flags);
  const std::size_t count = static_cast<std::size_t>(drawn.width) * drawn.height;
  for (std::size_t i = 0; i < count; ++i) Put32(out, i < drawn.pixels.size() ? drawn.pixels[i] : 0);
}

bool ReadHeader(std::istream& in) {
  std::string header(sizeof kHeader - 1, '\0');
  return in.read(header.data(), static_cast<std::streamsize>(header.size())) && header == kHeader;
}

std::optional<ReadEntry> ReadDrawn(std::istream& in) {
  ReadEntry entry;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  if (!Get32(in, &width) || !Get32(in, &height) || !Get32(in, &entry.flags)) return std::nullopt;
  if (width > 4096 || height > 4096) return std::nullopt;
  entry.drawn.width = static_cast<std::int32_t>(width);
  entry.drawn.height = static_cast<std::int32_t>(height);
  entry.drawn.pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::uint32_t& pixel : entry.drawn.pixels) {
    if (!Get32(in, &pixel)) return std::nullopt;
  }
  return entry;
}

}  // namespace gdi_diff
