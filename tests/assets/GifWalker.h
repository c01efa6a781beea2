// Reads a GIF block by block, keeping what the tests look at: the screen, the global table,
// each extension and each image with its decoded colour indices.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace assets_test {

struct GifControl {
    int disposal = 0;
    int delay = 0;
    int transparentIndex = -1;  // -1 when the flag is off
};

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    bool localTable = false;
    std::optional<GifControl> control;
    std::vector<std::uint8_t> indices;  // width * height, rows top to bottom
};

struct GifLayout {
    std::string signature;
    int width = 0;
    int height = 0;
    int globalTableEntries = 0;  // 0 when there is no global table
    int backgroundIndex = 0;
    std::vector<std::uint8_t> globalTable;  // RGB triples
    std::vector<std::string> extensions;    // "GCE", "APP:NETSCAPE2.0", "COMMENT", ...
    bool loopsForever = false;
    std::vector<GifFrame> frames;
};

// Nothing when the data is not a complete, well-formed GIF (including its LZW streams).
std::optional<GifLayout> walkGif(std::span<const std::uint8_t> bytes);

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour of screen pixel (x, y) of a frame, through the global table.
Rgb frameColour(const GifLayout& gif, const GifFrame& frame, int x, int y);

}  // namespace assets_test
