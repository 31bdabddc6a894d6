// The four attributes a pass sets, one for each box of the window, and the DOS bit each stands
// for. This is the one place that pairs a box with its bit.
#pragma once

#include <array>
#include <cstdint>

#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

// In the window's order: the value is the index of the box, Check1(0) to Check1(3).
enum class Attribute { Archive, ReadOnly, Hidden, System };

inline constexpr std::array<Attribute, 4> kAttributes = {
    Attribute::Archive, Attribute::ReadOnly, Attribute::Hidden, Attribute::System};

// The index of the attribute's box, 0 to 3.
constexpr int BoxIndex(Attribute attribute) { return static_cast<int>(attribute); }

constexpr std::uint32_t BitOf(Attribute attribute) {
  switch (attribute) {
    case Attribute::Archive: return fs::attr::kArchive;
    case Attribute::ReadOnly: return fs::attr::kReadOnly;
    case Attribute::Hidden: return fs::attr::kHidden;
    case Attribute::System: return fs::attr::kSystem;
  }
  return 0;
}

}  // namespace lumaveil::attrib
