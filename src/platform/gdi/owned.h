// Ownership of the layer's objects, the way a descriptor is owned: an Owned handle is freed when
// it goes out of scope, and a ScopedSelect puts back what its selection displaced, so that no
// path out of a drawing routine (an early return, a run-time error) leaks an object or leaves
// one selected. Declared in the order they were made, they also unwind in the order the calls
// need: the selection is undone before the object it selected is freed.
#pragma once

#include <utility>

#include "platform/gdi/gdi.h"

namespace lumaveil::gdi {

// What kind of object an Owned handle holds, and the call that frees it.
struct Brush {
  static void Free(HBRUSH handle) { DeleteObject(handle); }
};
struct Pen {
  static void Free(HPEN handle) { DeleteObject(handle); }
};
struct Font {
  static void Free(HFONT handle) { DeleteObject(handle); }
};
struct Bitmap {
  static void Free(HBITMAP handle) { DeleteObject(handle); }
};
// A screen or memory context (never a host window's own, which lives with its window).
struct Dc {
  static void Free(HDC handle) { DeleteDC(handle); }
};

template <typename Kind>
class Owned {
 public:
  Owned() = default;
  // Takes over `handle`; 0 (what a failed call gives) owns nothing.
  explicit Owned(std::int32_t handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }

  std::int32_t get() const { return handle_; }
  explicit operator bool() const { return handle_ != 0; }

  void Reset() {
    if (handle_ != 0) Kind::Free(handle_);
    handle_ = 0;
  }

 private:
  std::int32_t handle_ = 0;
};

// Selects an object into a context for one scope. A selection that failed (the context or the
// object was not valid) displaced nothing and has nothing to put back.
class ScopedSelect {
 public:
  ScopedSelect() = default;
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelect(ScopedSelect&& other) noexcept
      : dc_(other.dc_), previous_(std::exchange(other.previous_, 0)) {}
  ScopedSelect& operator=(ScopedSelect&& other) noexcept {
    if (this != &other) {
      Reset();
      dc_ = other.dc_;
      previous_ = std::exchange(other.previous_, 0);
    }
    return *this;
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { Reset(); }

  // What the selection displaced; 0 when it failed or has been undone.
  HGDIOBJ previous() const { return previous_; }

  // Puts the displaced object back now.
  void Reset() {
    if (previous_ != 0) SelectObject(dc_, previous_);
    previous_ = 0;
  }

 private:
  HDC dc_ = 0;
  HGDIOBJ previous_ = 0;
};

}  // namespace lumaveil::gdi
