#include "WindowIcon.h"

#include <array>

namespace pictures_gen {
namespace {

// The standard VGA colours in index order, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> vgaPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
enum Vga {
    black = 0,
    darkGreen = 2,
    olive = 3,
    navy = 4,
    purple = 5,
    teal = 6,
    lightGrey = 7,
    green = 10,
    yellow = 11,
    magenta = 13,
    cyan = 14,
};

constexpr int squareSize = 11;  // each corner square; the cross lies between them
constexpr int edgeGap = 2;      // the cross stops this far short of the edges

// The arrow in the top arm of the cross, pointing right; the other three are this one
// turned by quarter turns about the centre, which makes the pinwheel.
constexpr int arrowLeft = 12;
constexpr int arrowTop = 3;
constexpr std::array<const char*, 7> arrow = {
    "....#...",  //
    "....##..",  //
    "#######.",  //
    "########",  //
    "#######.",  //
    "....##..",  //
    "....#...",  //
};

bool inArrow(int x, int y) {
    const int row = y - arrowTop, column = x - arrowLeft;
    return row >= 0 && row < int(arrow.size()) && column >= 0 && column < 8 &&
           arrow[std::size_t(row)][column] == '#';
}

bool onPinwheel(int x, int y) {
    for (int turn = 0; turn < 4; ++turn) {
        if (inArrow(x, y)) {
            return true;
        }
        // Undo a quarter turn clockwise: the pixel that turned onto (x, y).
        const int previousX = y;
        y = iconSize - 1 - x;
        x = previousX;
    }
    return false;
}

// Light at the square's top-left corner, dark at its bottom-right, with a band of
// alternating diagonal lines between.
int shadedSquare(int x, int y, int light, int dark) {
    const int along = x % (iconSize - squareSize) + y % (iconSize - squareSize);
    if (along < 7) {
        return light;
    }
    if (along > 13) {
        return dark;
    }
    return (x + y) % 2 == 0 ? light : dark;
}

}  // namespace

int iconPixel(int x, int y) {
    const bool left = x < squareSize, right = x >= iconSize - squareSize;
    const bool top = y < squareSize, bottom = y >= iconSize - squareSize;
    if (top && left) {
        return shadedSquare(x, y, green, darkGreen);
    }
    if (top && right) {
        return shadedSquare(x, y, yellow, olive);
    }
    if (bottom && left) {
        return shadedSquare(x, y, cyan, teal);
    }
    if (bottom && right) {
        return shadedSquare(x, y, magenta, purple);
    }
    const bool nearEdge =
        x < edgeGap || y < edgeGap || x >= iconSize - edgeGap || y >= iconSize - edgeGap;
    if (nearEdge) {
        return iconTransparent;
    }
    return onPinwheel(x, y) ? lightGrey : navy;
}

Bytes windowIconFile() {
    constexpr int colourRowBytes = iconSize / 2;
    constexpr int maskRowBytes = iconSize / 8;
    constexpr int pixelBytes = (colourRowBytes + maskRowBytes) * iconSize;
    constexpr int dibBytes = 40 + 16 * 4 + pixelBytes;
    Bytes out;
    // ICONDIR: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // ICONDIRENTRY.
    put8(out, iconSize);
    put8(out, iconSize);
    put8(out, 16);  // colours
    put8(out, 0);
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, dibBytes);
    put32(out, 6 + 16);
    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows together.
    put32(out, 40);
    put32(out, iconSize);
    put32(out, iconSize * 2);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);  // no compression
    put32(out, pixelBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (const std::uint32_t rgb : vgaPalette) {
        put8(out, rgb & 0xFF);
        put8(out, (rgb >> 8) & 0xFF);
        put8(out, (rgb >> 16) & 0xFF);
        put8(out, 0);
    }
    // Rows go bottom-up. Transparent pixels are black in the colour rows, so that the
    // desktop's AND-then-XOR drawing leaves the screen unchanged there.
    for (int y = iconSize - 1; y >= 0; --y) {
        for (int x = 0; x < iconSize; x += 2) {
            const auto colour = [y](int at) {
                const int p = iconPixel(at, y);
                return unsigned(p == iconTransparent ? black : p);
            };
            put8(out, (colour(x) << 4) | colour(x + 1));
        }
    }
    for (int y = iconSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < maskRowBytes; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (iconPixel(byte * 8 + bit, y) == iconTransparent) {
                    bits |= 0x80u >> bit;
                }
            }
            put8(out, bits);
        }
    }
    return out;
}

}  // namespace pictures_gen
