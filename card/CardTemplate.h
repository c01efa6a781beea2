// A card template: the encoded background picture and where the avatar and the text go.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/Colors.h"

namespace card {

// Handled by value: copying a record copies its picture bytes.
struct CardTemplate {
    std::vector<std::uint8_t> image;  // a GIF file held in memory
    std::int32_t avatarLeft = 0;
    std::int32_t avatarTop = 0;
    std::int32_t avatarWidth = 0;
    std::int32_t avatarHeight = 0;
    toolkit::ColorRef textColor = 0;
    std::int32_t textLeft = 0;
    std::int32_t textTop = 0;
};

// The program-wide ordered list of templates: empty until the main window's first
// activation, then the four built-in ones. Chooser item k stands for entry k.
using TemplateList = std::vector<CardTemplate>;

}  // namespace card
