#include "Palette.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pictures_gen {
namespace {

struct ColourBox {
    std::vector<Colour8> colours;
    double spread = 0;  // sum of squared distances from the mean
    Colour8 mean;
};

void measure(ColourBox& box) {
    double sum[3] = {0, 0, 0};
    for (const Colour8& c : box.colours) {
        sum[0] += c.r;
        sum[1] += c.g;
        sum[2] += c.b;
    }
    const double n = double(box.colours.size());
    const double mean[3] = {sum[0] / n, sum[1] / n, sum[2] / n};
    box.spread = 0;
    for (const Colour8& c : box.colours) {
        const double d[3] = {c.r - mean[0], c.g - mean[1], c.b - mean[2]};
        box.spread += d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    }
    box.mean = {std::uint8_t(std::lround(mean[0])), std::uint8_t(std::lround(mean[1])),
                std::uint8_t(std::lround(mean[2]))};
}

int channel(const Colour8& c, int axis) {
    return axis == 0 ? c.r : axis == 1 ? c.g : c.b;
}

// Splits along the widest channel at the median, so busy regions of colour get more entries.
std::pair<ColourBox, ColourBox> split(ColourBox box) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (const Colour8& c : box.colours) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], channel(c, a));
            hi[a] = std::max(hi[a], channel(c, a));
        }
    }
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
        if (hi[a] - lo[a] > hi[axis] - lo[axis]) {
            axis = a;
        }
    }
    std::stable_sort(
        box.colours.begin(), box.colours.end(),
        [axis](const Colour8& x, const Colour8& y) { return channel(x, axis) < channel(y, axis); });
    auto middle = box.colours.begin() + std::ptrdiff_t(box.colours.size() / 2);
    // Keep equal values on one side so that both halves differ.
    const int pivot = channel(*middle, axis);
    auto cut = std::find_if(box.colours.begin(), box.colours.end(),
                            [&](const Colour8& c) { return channel(c, axis) >= pivot; });
    if (cut == box.colours.begin()) {
        cut = std::find_if(box.colours.begin(), box.colours.end(),
                           [&](const Colour8& c) { return channel(c, axis) > pivot; });
    }
    ColourBox first, second;
    first.colours.assign(box.colours.begin(), cut);
    second.colours.assign(cut, box.colours.end());
    measure(first);
    measure(second);
    return {std::move(first), std::move(second)};
}

int distance2(const Colour8& a, int r, int g, int b) {
    const int dr = a.r - r, dg = a.g - g, db = a.b - b;
    // Green counts most and blue least, as the eye weighs them.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

bool isExact(const PaletteRequest& request, const Colour8& c) {
    return std::find(request.exact.begin(), request.exact.end(), c) != request.exact.end();
}

}  // namespace

Colour8 toColour8(Rgb c) {
    const auto to8 = [](float v) { return std::uint8_t(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return {to8(c.r), to8(c.g), to8(c.b)};
}

Palette buildPalette(const std::vector<const Raster*>& rasters, const PaletteRequest& request) {
    Palette palette{};
    std::vector<int> free;
    for (int i = 0; i < 256; ++i) {
        const bool reserved = std::find(request.reserved.begin(), request.reserved.end(), i) !=
                              request.reserved.end();
        if (!reserved) {
            free.push_back(i);
        }
    }
    std::size_t next = 0;
    for (const Colour8& c : request.exact) {
        palette[free[next++]] = c;
    }

    ColourBox all;
    for (const Raster* raster : rasters) {
        for (int y = 0; y < raster->height(); ++y) {
            for (int x = 0; x < raster->width(); ++x) {
                const Colour8 c = toColour8(raster->at(x, y));
                if (!isExact(request, c)) {
                    all.colours.push_back(c);
                }
            }
        }
    }
    if (all.colours.empty()) {
        return palette;
    }
    measure(all);
    std::vector<ColourBox> boxes{std::move(all)};
    while (boxes.size() < free.size() - next) {
        auto widest = std::max_element(
            boxes.begin(), boxes.end(),
            [](const ColourBox& a, const ColourBox& b) { return a.spread < b.spread; });
        if (widest->spread == 0) {
            break;
        }
        auto [first, second] = split(std::move(*widest));
        *widest = std::move(first);
        boxes.push_back(std::move(second));
    }
    for (const ColourBox& box : boxes) {
        palette[free[next++]] = box.mean;
    }
    return palette;
}

std::vector<std::uint8_t> indexPixels(const Raster& raster, Box box, const Palette& palette,
                                      const PaletteRequest& request) {
    static constexpr int bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    // About half the gap between neighbouring table entries of a smooth gradient.
    constexpr float ditherStrength = 5.0f;
    std::vector<int> usable;
    for (int i = 0; i < 256; ++i) {
        if (std::find(request.reserved.begin(), request.reserved.end(), i) ==
            request.reserved.end()) {
            usable.push_back(i);
        }
    }
    std::vector<std::uint8_t> indices;
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            const Rgb source = raster.at(x, y);
            const Colour8 c = toColour8(source);
            const float offset =
                isExact(request, c) ? 0.0f : (bayer[y & 3][x & 3] - 7.5f) / 16.0f * ditherStrength;
            const Colour8 target =
                toColour8({source.r + offset, source.g + offset, source.b + offset});
            int best = usable.front();
            int bestDistance = distance2(palette[best], target.r, target.g, target.b);
            for (int i : usable) {
                const int d = distance2(palette[i], target.r, target.g, target.b);
                if (d < bestDistance) {
                    best = i;
                    bestDistance = d;
                }
            }
            indices.push_back(std::uint8_t(best));
        }
    }
    return indices;
}

}  // namespace pictures_gen
