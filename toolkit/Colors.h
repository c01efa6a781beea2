// Colours as the window's design stores them: 32-bit 0x00BBGGRR values, red in the low byte.
#pragma once

#include <QColor>
#include <cstdint>

namespace toolkit {

using ColorRef = std::uint32_t;

// Stands for the system's button-face colour where a background is meant, and for transparent
// where a text background is meant.
inline constexpr ColorRef systemDefaultColor = 0xFF000000u;

inline constexpr ColorRef rgbColor(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The system's button-face colour, from the application's palette.
QColor buttonFaceColor();

// The colour a design value stands for as a background: the button face for systemDefaultColor.
QColor backgroundColor(ColorRef value);

inline QColor toQColor(ColorRef value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace toolkit
