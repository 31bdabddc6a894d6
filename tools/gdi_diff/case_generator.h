// The numbered generator of the differential test's cases: every call the progress bar makes,
// alone and in sequences, at ordinary and extreme coordinates, and whole bars over their
// settings. The same number gives the same file on every machine: the generator has its own
// random numbers and uses no library distribution.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gdi_diff {

// A case file (see diff_case.h). `classic_colors` is the table the cases start with (31
// COLORREFs); a block of cases later runs under a second, generated table.
std::string GenerateCases(std::uint64_t number, const std::vector<std::uint32_t>& classic_colors);

}  // namespace gdi_diff
