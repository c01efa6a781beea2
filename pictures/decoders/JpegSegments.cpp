#include "pictures/decoders/JpegSegments.h"

#include <cstring>

namespace pictures {

namespace {

constexpr std::uint8_t startOfScan = 0xDA;
constexpr std::uint8_t endOfImage = 0xD9;

// Markers that stand alone, without a length: SOI, EOI, TEM and the restart markers.
bool standsAlone(std::uint8_t marker) {
    return marker == 0xD8 || marker == endOfImage || marker == 0x01 ||
           (marker >= 0xD0 && marker <= 0xD7);
}

// From inside entropy-coded data to the 0xFF that starts the next marker (0xFF 0x00 is a
// coded 0xFF byte; restart markers belong to the scan), or none when the data end first.
bool skipScanData(std::span<const std::uint8_t> data, std::size_t& position) {
    while (position < data.size()) {
        const void* found = std::memchr(data.data() + position, 0xFF, data.size() - position);
        if (!found) {
            return false;
        }
        position = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - data.data());
        std::size_t next = position + 1;
        while (next < data.size() && data[next] == 0xFF) {
            ++next;
        }
        if (next >= data.size()) {
            return false;
        }
        if (data[next] != 0x00 && !(data[next] >= 0xD0 && data[next] <= 0xD7)) {
            return true;
        }
        position = next + 1;
    }
    return false;
}

}  // namespace

std::size_t lengthOfWholeSegments(std::span<const std::uint8_t> data) {
    std::size_t position = 2;  // after the start-of-image marker
    bool inScan = false;
    while (position < data.size()) {
        if (inScan) {
            if (!skipScanData(data, position)) {
                return data.size();  // cut inside scan data: nothing to drop
            }
            inScan = false;
        }
        if (data[position] != 0xFF) {
            return data.size();  // not a marker: the library judges that
        }
        std::size_t markerAt = position + 1;
        while (markerAt < data.size() && data[markerAt] == 0xFF) {
            ++markerAt;
        }
        if (markerAt >= data.size()) {
            return position;
        }
        const std::uint8_t marker = data[markerAt];
        if (marker == endOfImage) {
            return data.size();
        }
        if (standsAlone(marker)) {
            position = markerAt + 1;
            continue;
        }
        if (markerAt + 2 >= data.size()) {
            return position;
        }
        const std::size_t length = std::size_t{data[markerAt + 1]} << 8 | data[markerAt + 2];
        if (length < 2) {
            return data.size();
        }
        if (length > data.size() - markerAt - 1) {
            return position;
        }
        position = markerAt + 1 + length;
        inScan = marker == startOfScan;
    }
    return data.size();
}

}  // namespace pictures
