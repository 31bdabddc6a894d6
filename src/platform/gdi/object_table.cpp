// Handles are handed out in increasing order from 0x10000, so that small numbers (which Windows
// reads as system-colour brushes) never name an object, and a freed handle is not reused until
// the counter wraps: a stale handle held by a caller finds nothing instead of a stranger.
#include "platform/gdi/object_table.h"

#include <limits>
#include <new>

namespace lumaveil::gdi::internal {
namespace {
constexpr HGDIOBJ kFirstHandle = 0x10000;
// Larger bitmaps are refused like an allocation the platform cannot make; a progress bar needs
// far less, and the limit keeps a wild size from exhausting memory.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;
}  // namespace

std::shared_ptr<Surface> MakeSurface(int width, int height, std::uint32_t pixel) {
  if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels) return nullptr;
  try {
    auto surface = std::make_shared<Surface>();
    surface->width = width;
    surface->height = height;
    surface->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                           pixel);
    return surface;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

ObjectTable& ObjectTable::Instance() {
  static ObjectTable table;
  return table;
}

ObjectTable::ObjectTable() : next_handle_(kFirstHandle) {
  auto stock = [this](auto value) {
    Entry entry{std::move(value)};
    entry.stock = true;
    entry.counted = false;
    return Add(std::move(entry));
  };
  stock_brush_ = stock(Brush{Brush::Type::kSolid, RGB(255, 255, 255), 0, nullptr});
  stock_pen_ = stock(Pen{PS_SOLID, RGB(0, 0, 0)});
  stock_font_ = stock(Font{FontDescription{"System", 10.0, 700, false, false, false}});
  stock_bitmap_ = stock(Bitmap{MakeSurface(1, 1, 0), 0});
}

HGDIOBJ ObjectTable::Add(Entry entry) {
  while (entries_.contains(next_handle_)) {
    next_handle_ = next_handle_ == std::numeric_limits<HGDIOBJ>::max() ? kFirstHandle
                                                                       : next_handle_ + 1;
  }
  const HGDIOBJ handle = next_handle_;
  entries_.emplace(handle, std::move(entry));
  next_handle_ = handle == std::numeric_limits<HGDIOBJ>::max() ? kFirstHandle : handle + 1;
  return handle;
}

void ObjectTable::Remove(HGDIOBJ handle) { entries_.erase(handle); }

Entry* ObjectTable::Find(HGDIOBJ handle) {
  auto it = entries_.find(handle);
  return it == entries_.end() ? nullptr : &it->second;
}

int ObjectTable::LiveCount() const {
  int count = 0;
  for (const auto& [handle, entry] : entries_) {
    if (entry.counted) ++count;
  }
  return count;
}

void ObjectTable::Retain(HGDIOBJ handle) {
  if (Entry* entry = Find(handle)) ++entry->selections;
}

void ObjectTable::Release(HGDIOBJ handle) {
  Entry* entry = Find(handle);
  if (entry == nullptr) return;
  if (entry->selections > 0) --entry->selections;
  if (entry->selections == 0 && entry->delete_when_free) Remove(handle);
}

Surface* ObjectTable::SurfaceOf(const Dc& dc) {
  switch (dc.type) {
    case Dc::Type::kMemory:
      if (auto* bitmap = Get<Bitmap>(dc.bitmap)) return bitmap->surface.get();
      return nullptr;
    case Dc::Type::kWindow:
      if (auto* window = Get<Window>(dc.window)) return window->surface.get();
      return nullptr;
    case Dc::Type::kScreen:
      return nullptr;
  }
  return nullptr;
}

Target Resolve(HDC handle) {
  auto& table = ObjectTable::Instance();
  Target target;
  target.dc = table.Get<Dc>(handle);
  if (target.dc != nullptr) target.surface = table.SurfaceOf(*target.dc);
  return target;
}

}  // namespace lumaveil::gdi::internal
