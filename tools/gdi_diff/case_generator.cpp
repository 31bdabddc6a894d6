#include "case_generator.h"

#include <array>
#include <climits>
#include <sstream>

namespace gdi_diff {
namespace {

class Random {
 public:
  explicit Random(std::uint64_t start) : state_(start) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 to n - 1.
  std::int64_t Below(std::int64_t n) { return static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(n)); }
  std::int64_t Between(std::int64_t low, std::int64_t high) { return low + Below(high - low + 1); }
  bool Percent(int p) { return Below(100) < p; }
  template <typename T, std::size_t N>
  T Pick(const std::array<T, N>& values) { return values[static_cast<std::size_t>(Below(N))]; }

 private:
  std::uint64_t state_;
};

// Values at the edges of the 16-bit, 27-bit and 32-bit ranges.
constexpr std::array<std::int64_t, 18> kExtremes = {
    INT_MIN, INT_MIN + 1, -(1ll << 27) - 1, -(1ll << 27), -65536, -32769, -32768, -32767,
    -1000, 1000, 32767, 32768, 65535, 65536, 1ll << 27, (1ll << 27) + 1, INT_MAX - 1, INT_MAX};

class Writer {
 public:
  Writer(std::uint64_t start) : random_(start) {}

  Random& random() { return random_; }
  std::string Text() const { return out_.str(); }
  int count() const { return count_; }

  void Line(const std::string& line) { out_ << line << '\n'; }

  void Begin(const std::string& family, std::int64_t width, std::int64_t height) {
    out_ << "calls " << family << '-' << count_++ << ' ' << width << ' ' << height << ' '
         << random_.Below(1ll << 31) << '\n';
  }
  template <typename... Args>
  void Call(const char* name, Args... args) {
    out_ << "  " << name;
    // Every number is a 32-bit value; sums past the range wrap, as they would in the caller.
    ((out_ << ' ' << static_cast<std::int32_t>(static_cast<std::uint32_t>(args))), ...);
    out_ << '\n';
  }
  void End() { out_ << "end\n"; }

  void Bar(std::int64_t width, std::int64_t height, std::int64_t style, std::int64_t orientation,
           std::int64_t value, std::int64_t value2, bool metal, std::uint32_t color,
           std::uint32_t color2, std::int64_t brush, const char* image, bool text,
           std::int64_t repaints) {
    out_ << "bar bar-" << count_++ << ' ' << width << ' ' << height << ' ' << style << ' '
         << orientation << ' ' << value << ' ' << value2 << ' ' << (metal ? 1 : 0) << " 0x"
         << std::hex << color << " 0x" << color2 << std::dec << ' ' << brush << ' ' << image
         << ' ' << (text ? 1 : 0) << ' ' << repaints << '\n';
  }

  // A surface side: often 0 to 3 pixels, otherwise up to 33.
  std::int64_t Side() { return random_.Percent(20) ? random_.Below(4) : random_.Between(4, 33); }

  // A coordinate near a surface of `size`, or now and then one at the edge of a range.
  std::int64_t Coord(std::int64_t size) {
    if (random_.Percent(12)) return random_.Pick(kExtremes);
    return random_.Between(-4, size + 4);
  }

  // Ordinary colours, now and then with a high byte set (system-colour references and the
  // palette kinds): only the low 24 bits name the colour.
  std::uint32_t Color() {
    static constexpr std::array<std::uint32_t, 4> kHighBytes = {0x01000000, 0x02000000,
                                                                0x80000000, 0xFF000000};
    const std::uint32_t rgb = static_cast<std::uint32_t>(random_.Below(1 << 24));
    return random_.Percent(8) ? (rgb & 0xFFFF) | random_.Pick(kHighBytes) : rgb;
  }

  // A brush of each kind: solid, hatched (all six styles, rarely one outside them), pattern.
  void Brush(int slot) {
    const std::int64_t kind = random_.Below(10);
    if (kind < 4) {
      Call("SolidBrush", slot, Color());
    } else if (kind < 8) {
      const std::int64_t style = random_.Percent(4) ? random_.Pick(std::array<std::int64_t, 8>{-1, 6, 7, 8, 9, 10, 11, 12})
                                                    : random_.Below(6);
      Call("HatchBrush", slot, style, Color());
    } else {
      Call("PatternBrush", slot, random_.Between(1, 9), random_.Between(1, 9),
           random_.Below(1ll << 31));
    }
  }

  void Background() {
    if (random_.Percent(40)) Call("SetBkMode", random_.Percent(50) ? 1 : 2);
    if (random_.Percent(60)) Call("SetBkColor", Color());
  }

  // A rectangle around the surface: often ordinary, sometimes empty, inverted or extreme.
  std::array<std::int64_t, 4> Rect(std::int64_t width, std::int64_t height) {
    std::int64_t l = Coord(width), t = Coord(height), r = Coord(width), b = Coord(height);
    if (random_.Percent(70)) {
      if (l > r) std::swap(l, r);
      if (t > b) std::swap(t, b);
    }
    if (random_.Percent(8)) r = l;
    if (random_.Percent(8)) b = t;
    return {l, t, r, b};
  }

 private:
  Random random_;
  std::ostringstream out_;
  int count_ = 0;
};

void Fills(Writer& w, int count) {
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("fill", width, height);
    w.Background();
    w.Brush(0);
    const auto r = w.Rect(width, height);
    w.Call("FillRect", r[0], r[1], r[2], r[3], 0);
    w.End();
  }
}

void Frames(Writer& w, int count) {
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("frame", width, height);
    w.Background();
    w.Brush(0);
    const auto r = w.Rect(width, height);
    w.Call("FrameRect", r[0], r[1], r[2], r[3], 0);
    w.End();
  }
}

void PatBlts(Writer& w, int count) {
  Random& random = w.random();
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("patblt", width, height);
    w.Background();
    w.Brush(6);
    w.Call("SelectBrush", 6);
    const std::int64_t x = w.Coord(width), y = w.Coord(height);
    const auto extent = [&](std::int64_t size) {
      return random.Percent(10) ? random.Pick(kExtremes) : random.Between(-size - 3, size + 3);
    };
    w.Call("PatBlt", x, y, extent(width), extent(height));
    w.End();
  }
}

// One line in a random octant with a slope that often lands exactly between two pixels.
void OneLine(Writer& w, std::int64_t width, std::int64_t height) {
  Random& random = w.random();
  const std::int64_t x = w.Coord(width), y = w.Coord(height);
  w.Call("MoveToEx", x, y);
  if (random.Percent(10)) {
    w.Call("LineTo", w.Coord(width), w.Coord(height));
    return;
  }
  std::int64_t major = random.Between(0, 2 * std::max<std::int64_t>(width, height) + 2);
  std::int64_t minor = random.Percent(40) ? major / random.Between(1, 4) : random.Between(0, major);
  if (random.Percent(50)) minor = -minor;
  if (random.Percent(50)) major = -major;
  if (random.Percent(50)) {
    w.Call("LineTo", x + major, y + minor);
  } else {
    w.Call("LineTo", x + minor, y + major);
  }
}

void Lines(Writer& w, int count) {
  Random& random = w.random();
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("line", width, height);
    w.Call("Pen", 7, random.Percent(8) ? 5 : 0, random.Below(2), w.Color());
    w.Call("SelectPen", 7);
    const std::int64_t segments = random.Percent(70) ? 1 : random.Between(2, 5);
    for (std::int64_t s = 0; s < segments; ++s) {
      if (s == 0 || random.Percent(30)) {
        OneLine(w, width, height);
      } else {
        w.Call("LineTo", w.Coord(width), w.Coord(height));
      }
    }
    w.End();
  }
}

void Pixels(Writer& w, int count) {
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("pixel", width, height);
    for (int p = 0; p < 4; ++p) w.Call("SetPixelV", w.Coord(width), w.Coord(height), w.Color());
    w.End();
  }
}

// Every kind of edge (the four border bits in all combinations) with every set of sides, on a
// rectangle of ordinary size, then random rectangles from empty to wide.
void Edges(Writer& w, const std::string& family, int random_count) {
  Random& random = w.random();
  if (!family.empty()) {
    for (int edge = 0; edge < 16; ++edge) {
      for (int flags = 0; flags < 16; ++flags) {
        w.Begin(family, 10, 8);
        w.Call("DrawEdge", 1, 1, 9, 7, edge, flags);
        w.End();
      }
    }
  }
  for (int i = 0; i < random_count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("edge", width, height);
    const auto r = random.Percent(60)
                       ? std::array<std::int64_t, 4>{random.Between(-2, 2), random.Between(-2, 2),
                                                     random.Between(-1, width + 2),
                                                     random.Between(-1, height + 2)}
                       : w.Rect(width, height);
    w.Call("DrawEdge", r[0], r[1], r[2], r[3], random.Below(16), random.Below(16));
    w.End();
  }
}

void Blits(Writer& w, int count) {
  Random& random = w.random();
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("blit", width, height);
    const bool self = random.Percent(30);
    const std::int64_t sw = self ? width : w.Side(), sh = self ? height : w.Side();
    if (!self) w.Call("Source", sw, sh, random.Below(1ll << 31));
    const auto extent = [&](std::int64_t size) {
      return random.Percent(6) ? random.Pick(kExtremes) : random.Between(-2, size + 3);
    };
    w.Call("BitBlt", w.Coord(width), w.Coord(height), extent(width), extent(height),
           w.Coord(sw), w.Coord(sh), self ? 1 : 0);
    w.End();
  }
}

// Mixed calls on one surface, as the bar makes them one after another.
void Sequences(Writer& w, int count) {
  Random& random = w.random();
  for (int i = 0; i < count; ++i) {
    const std::int64_t width = w.Side(), height = w.Side();
    w.Begin("sequence", width, height);
    w.Brush(6);
    w.Call("SelectBrush", 6);
    w.Call("Pen", 7, 0, 1, w.Color());
    w.Call("SelectPen", 7);
    const std::int64_t calls = random.Between(3, 10);
    for (std::int64_t c = 0; c < calls; ++c) {
      const auto r = w.Rect(width, height);
      switch (random.Below(9)) {
        case 0: w.Brush(0); w.Call("FillRect", r[0], r[1], r[2], r[3], 0); break;
        case 1: w.Brush(1); w.Call("FrameRect", r[0], r[1], r[2], r[3], 1); break;
        case 2: w.Call("PatBlt", r[0], r[1], r[2] - r[0], r[3] - r[1]); break;
        case 3: OneLine(w, width, height); break;
        case 4: w.Call("SetPixelV", r[0], r[1], w.Color()); break;
        case 5: w.Call("DrawEdge", r[0], r[1], r[2], r[3], random.Below(16), random.Below(16)); break;
        case 6: w.Call("BitBlt", r[0], r[1], r[2] - r[0], r[3] - r[1], w.Coord(width), w.Coord(height), 1); break;
        default: w.Background(); break;
      }
    }
    w.End();
  }
}

// Whole bars: every style (and two outside the range) in every orientation at each size, each
// with a few random draws of the other settings.
void Bars(Writer& w, int draws_per_shape) {
  Random& random = w.random();
  static constexpr std::array<std::array<std::int64_t, 2>, 13> kSizes = {{
      {0, 0}, {1, 1}, {2, 5}, {3, 3}, {4, 4}, {5, 2}, {8, 8}, {17, 9}, {16, 20}, {40, 7},
      {7, 40}, {120, 13}, {257, 17}}};
  static constexpr std::array<std::int64_t, 12> kValues = {0, 1, 49, 50, 51, 99, 100, 101, 150,
                                                           -5, 33, 67};
  static constexpr std::array<std::uint32_t, 6> kColors = {0x006A240A, 0x000000FF, 0x00FFFFFF,
                                                           0x00000000, 0x8000000D, 0x80000010};
  static constexpr std::array<std::int64_t, 9> kBrushes = {0, 1, 2, 3, 4, 5, 6, -1, 4};
  static constexpr std::array<const char*, 3> kImages = {"none", "pat8", "odd53"};
  for (std::int64_t style = -1; style <= 10; ++style) {
    for (std::int64_t orientation = 0; orientation <= 2; ++orientation) {
      for (const auto& size : kSizes) {
        for (int d = 0; d < draws_per_shape; ++d) {
          w.Bar(size[0], size[1], style, orientation, random.Pick(kValues), random.Pick(kValues),
                random.Percent(50), random.Pick(kColors), random.Pick(kColors),
                random.Pick(kBrushes), random.Pick(kImages), random.Percent(50),
                random.Between(1, 3));
        }
      }
    }
  }
}

std::string SysColorLine(const std::vector<std::uint32_t>& colors) {
  std::ostringstream line;
  line << "syscolors";
  for (std::uint32_t c : colors) line << " 0x" << std::hex << c;
  return line.str();
}

}  // namespace

std::string GenerateCases(std::uint64_t number, const std::vector<std::uint32_t>& classic_colors) {
  Writer w(number);
  w.Line("# Cases of the differential drawing test, number " + std::to_string(number) + ".");
  w.Line(SysColorLine(classic_colors));
  Fills(w, 900);
  Frames(w, 500);
  PatBlts(w, 600);
  Lines(w, 1000);
  Pixels(w, 150);
  Edges(w, "edge-kind", 300);
  Blits(w, 600);
  Sequences(w, 500);
  Bars(w, 3);
  // The same calls again under a table of other colours: edges and bars must take them.
  std::vector<std::uint32_t> other;
  for (std::size_t i = 0; i < classic_colors.size(); ++i) {
    other.push_back(static_cast<std::uint32_t>(w.random().Below(1 << 24)));
  }
  w.Line(SysColorLine(other));
  Edges(w, "edge-kind-other-colours", 50);
  Bars(w, 1);
  w.Line(SysColorLine(classic_colors));
  return w.Text();
}

}  // namespace gdi_diff
