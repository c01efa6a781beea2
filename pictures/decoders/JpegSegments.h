// Where the last whole marker segment of JPEG data ends.
//
// Data cut short inside entropy-coded scan data decode as far as they go, but data cut
// inside a marker segment (a table or scan header between the scans of a progressive
// picture) make the library read the cut as a broken table. Dropping the partial segment
// lets the scans before it stand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pictures {

// The length of `data` up to the start of a marker segment that the data cut short, or
// data.size() when no segment is cut.
std::size_t lengthOfWholeSegments(std::span<const std::uint8_t> data);

}  // namespace pictures
