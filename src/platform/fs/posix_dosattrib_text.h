// The user.DOSATTRIB extended attribute, the one place Samba, Wine and dosemu2 all look for DOS
// attributes on file systems that have none of their own.
//
// Two forms are stored there. The text form is "0x" and the bits in hex, with or without a NUL.
// Samba's binary form starts with a NUL-terminated text (the same hex, or empty since Samba 4),
// then, each field little-endian and aligned to its size: a u16 version (1 to 5), the u16 level
// again, and that version's record, which holds the attributes and other data such as the
// creation time SMB clients see. Samba reads the record and Wine reads only the text, so a record
// rewritten with its text filled in is read by both.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumaveil::fs {

inline constexpr char kDosAttribName[] = "user.DOSATTRIB";

// The bits stored in a value: the record's where Samba's binary form holds valid ones, else the
// hex text; nullopt for anything else.
std::optional<std::uint32_t> ParseDosAttrib(std::string_view value);
// The text form: "0x%x" of the bits, lower case, then one NUL, as every reader accepts.
std::string FormatDosAttrib(std::uint32_t bits);
// The value that stores `bits` in place of `stored`: Samba's binary form keeps its version and
// every other field of its record, with the new bits in both the record and the text; anything
// else (no value, the text form, a value nobody can read) becomes the text form.
std::string DosAttribToWrite(const std::optional<std::string>& stored, std::uint32_t bits);

}  // namespace lumaveil::fs
