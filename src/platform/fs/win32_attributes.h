// The attribute arithmetic of the Win32 side, apart from the calls that read and write it.
#pragma once

#include <cstdint>

namespace lumaveil::fs {

// What a set call writes over an entry that has `current`: the settable bits come from `mask`,
// every other bit stays. When that leaves no bit, NORMAL is written, because the system reads
// an empty attribute word as "leave the attributes as they are".
std::uint32_t AttributesToWrite(std::uint32_t current, std::uint32_t mask);

// What a read reports: NORMAL for an entry that has no bit at all.
std::uint32_t AttributesAsRead(std::uint32_t raw);

// Whether an entry stands for another one (a junction, a symbolic link, any name-surrogate
// reparse point): such an entry is never followed. Other reparse points (cloud placeholders,
// deduplicated or compressed files) hold the entry's own data and are treated as what they are.
bool IsLinkEntry(std::uint32_t attributes, std::uint32_t reparseTag);

}  // namespace lumaveil::fs
