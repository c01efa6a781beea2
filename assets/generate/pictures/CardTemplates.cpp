#include "CardTemplates.h"

#include <cmath>
#include <vector>

#include "GifWriter.h"
#include "Random.h"
#include "Shapes.h"

namespace pictures_gen {
namespace {

constexpr Rgb borderColour = hex(0xCCCCCC);
constexpr Rgb white = hex(0xFFFFFF);
constexpr Rgb shadowColour = hex(0xE4E4E4);
constexpr Rgb dashColour = hex(0x3C3C3C);

// The header band runs across the top, inside the border.
constexpr Box band{1, 1, cardWidth - 2, 20};
// The white square under the avatar box (12, 32, 90 x 90), with its dashed outline on its edge.
constexpr Box avatarFrame{10, 30, 103, 123};
constexpr int shadowWidth = 4;

struct Theme {
    Rgb band;
    Rgb bodyTop;
    Rgb bodyBottom;
};

constexpr Theme themes[] = {
    {hex(0x2D6090), hex(0x3A70A4), hex(0x163A62)},
    {hex(0x3B7781), hex(0x44828C), hex(0x1B4D55)},
    {hex(0x823B7D), hex(0x8A4586), hex(0x4E1F4C)},
    {hex(0x455285), hex(0x18224E), hex(0x070A20)},
};

// The nearest point of a curve: how far along it (0 to 1), how far from it, and on which side.
struct CurvePoint {
    float along = 0;
    float distance = 0;
    float side = 0;  // negative above the curve, positive below it
};

CurvePoint nearestOnCurve(Vec2 p, const std::vector<Vec2>& points) {
    CurvePoint best{0, 1e9f, 0};
    const float pieces = float(points.size() - 1);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Vec2 a = points[i - 1], ab = points[i] - a;
        const float t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0f, 1.0f);
        const Vec2 offset = p - (a + ab * t);
        const float d = length(offset);
        if (d < best.distance) {
            const float cross = ab.x * offset.y - ab.y * offset.x;
            best = {(float(i - 1) + t) / pieces, d, cross < 0 ? -d : d};
        }
    }
    return best;
}

void fillBodyGradient(Raster& card, const Theme& theme) {
    for (int y = band.bottom + 1; y < cardHeight - 1; ++y) {
        for (int x = 1; x < cardWidth - 1; ++x) {
            const float down = float(y - band.bottom) / float(cardHeight - band.bottom);
            const float across = float(x) / cardWidth;
            card.at(x, y) =
                mix(theme.bodyTop, theme.bodyBottom, clamp01(down * 0.85f + across * 0.25f));
        }
    }
}

// A swoosh: a crescent of light along a curve, thickest in its middle, brightest along its
// upper edge and fading out towards both ends.
struct Swoosh {
    Vec2 from, control1, control2, to;
    float thickness;
    float strength;
};

void drawSwoosh(Raster& card, const Swoosh& s) {
    const std::vector<Vec2> curve = cubicCurve(s.from, s.control1, s.control2, s.to, 64);
    const Box box = boxAround(curve, s.thickness + 2);
    for (int y = std::max(box.top, band.bottom + 1); y <= std::min(box.bottom, cardHeight - 2);
         ++y) {
        for (int x = std::max(box.left, 1); x <= std::min(box.right, cardWidth - 2); ++x) {
            const CurvePoint c = nearestOnCurve({x + 0.5f, y + 0.5f}, curve);
            const float half = s.thickness * std::pow(std::sin(3.14159265f * c.along), 0.7f) + 0.6f;
            // 0 on the upper edge, 1 on the lower one.
            const float across = (c.side + half) / (2 * half);
            if (across < -0.2f || across > 1.2f) {
                continue;
            }
            const float edge =
                smoothstep(-0.5f, 0.5f, c.side + half) * smoothstep(-0.5f, 0.5f, half - c.side);
            const float light = std::pow(1 - clamp01(across), 1.6f) * 0.75f + 0.25f;
            const float fade = std::pow(std::sin(3.14159265f * c.along), 0.5f);
            card.glow(x, y, white, edge * light * fade * s.strength);
        }
    }
}

// A thin line of light with a soft glow around it.
void drawStreak(Raster& card, const std::vector<Vec2>& curve, Rgb colour, float width,
                float strength) {
    const Box box = boxAround(curve, width * 4 + 2);
    for (int y = std::max(box.top, band.bottom + 1); y <= std::min(box.bottom, cardHeight - 2);
         ++y) {
        for (int x = std::max(box.left, 1); x <= std::min(box.right, cardWidth - 2); ++x) {
            const CurvePoint c = nearestOnCurve({x + 0.5f, y + 0.5f}, curve);
            const float fade = std::pow(std::sin(3.14159265f * c.along), 0.6f);
            const float core = clamp01(1.0f - c.distance / (0.6f * width + 0.5f));
            const float halo = std::exp(-(c.distance * c.distance) / (2 * width * width * 4));
            card.glow(x, y, colour, (core * 0.9f + halo * 0.35f) * fade * strength);
        }
    }
}

// A soft brightening of the body's upper right, as if lit from there.
void drawSheen(Raster& card) {
    for (int y = band.bottom + 1; y < cardHeight - 1; ++y) {
        for (int x = 1; x < cardWidth - 1; ++x) {
            const Vec2 d = Vec2{x + 0.5f, y + 0.5f} - Vec2{250, 10};
            card.glow(x, y, white, 0.10f * std::exp(-(d.x * d.x + d.y * d.y * 2) / 9000));
        }
    }
}

// A thin line of light under the band sets it off from the body.
void drawBandEdge(Raster& card, const Theme& theme) {
    for (int x = 1; x < cardWidth - 1; ++x) {
        card.at(x, band.bottom + 1) = mix(theme.band, white, 0.35f);
        card.blend(x, band.bottom + 2, hex(0x000000), 0.18f);
    }
}

void drawSwooshes(Raster& card) {
    drawSheen(card);
    const Swoosh swooshes[] = {
        {{-30, 150}, {60, 120}, {170, 50}, {330, 40}, 17, 0.24f},
        {{40, 150}, {130, 128}, {210, 92}, {330, 86}, 12, 0.20f},
        {{120, 62}, {170, 40}, {230, 26}, {330, 24}, 8, 0.14f},
    };
    for (const Swoosh& s : swooshes) {
        drawSwoosh(card, s);
    }
    drawStreak(card, cubicCurve({-30, 146}, {60, 115}, {170, 46}, {330, 36}, 64), white, 0.6f,
               0.6f);
    drawStreak(card, cubicCurve({60, 146}, {140, 126}, {210, 98}, {330, 96}, 64), white, 0.5f,
               0.30f);
}

void drawFlare(Raster& card, Vec2 centre) {
    for (int y = band.bottom + 1; y < cardHeight - 1; ++y) {
        for (int x = 1; x < cardWidth - 1; ++x) {
            const Vec2 d = Vec2{x + 0.5f, y + 0.5f} - centre;
            const float r2 = dot(d, d);
            const float haze = 0.55f * std::exp(-r2 / (2 * 22.0f * 22.0f));
            const float core = std::exp(-r2 / (2 * 3.5f * 3.5f));
            const float spikeX = std::exp(-d.y * d.y / 0.9f) * std::exp(-std::abs(d.x) / 28.0f);
            const float spikeY = std::exp(-d.x * d.x / 0.9f) * std::exp(-std::abs(d.y) / 14.0f);
            const float ring = 0.10f * std::exp(-std::pow(std::sqrt(r2) - 13.0f, 2.0f) / 2.0f);
            card.glow(x, y, hex(0xA8B8FF), haze + ring);
            card.glow(x, y, white, core + 0.8f * (spikeX + spikeY));
        }
    }
}

void drawStars(Raster& card, Random& random) {
    for (int i = 0; i < 150; ++i) {
        const int x = int(random.between(2, cardWidth - 2));
        const int y = int(random.between(float(band.bottom + 2), cardHeight - 2));
        const float brightness = std::pow(random.next(), 2.0f) * 0.8f + 0.2f;
        const Rgb tint = mix(white, random.next() < 0.5f ? hex(0xC8D4FF) : hex(0xFFE0F0), 0.6f);
        card.glow(x, y, tint, brightness);
        if (brightness > 0.75f) {
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                card.glow(x + dx, y + dy, tint, brightness * 0.35f);
            }
        }
    }
}

void drawNightSky(Raster& card) {
    // Violet haze low on the left, where the streaks rise from.
    for (int y = band.bottom + 1; y < cardHeight - 1; ++y) {
        for (int x = 1; x < cardWidth - 1; ++x) {
            const Vec2 d = Vec2{x + 0.5f, y + 0.5f} - Vec2{150, 150};
            const float haze = 0.22f * std::exp(-(d.x * d.x / 9000 + d.y * d.y / 1400));
            card.glow(x, y, hex(0x7A3FB0), haze);
        }
    }
    Random random(20240601);
    drawStars(card, random);
    drawStreak(card, cubicCurve({30, 150}, {120, 130}, {200, 80}, {330, 30}, 64), hex(0xFF5FB0),
               1.0f, 0.85f);
    drawStreak(card, cubicCurve({90, 150}, {170, 128}, {230, 100}, {330, 66}, 64), hex(0x9B6BFF),
               0.9f, 0.8f);
    drawStreak(card, cubicCurve({-20, 130}, {80, 118}, {170, 60}, {330, 44}, 64), hex(0xE070E0),
               0.5f, 0.45f);
    drawFlare(card, {274, 40});
}

void drawFrame(Raster& card) {
    card.fillRect({avatarFrame.left + shadowWidth, avatarFrame.bottom + 1,
                   avatarFrame.right + shadowWidth, avatarFrame.bottom + shadowWidth},
                  shadowColour);
    card.fillRect({avatarFrame.right + 1, avatarFrame.top + shadowWidth,
                   avatarFrame.right + shadowWidth, avatarFrame.bottom + shadowWidth},
                  shadowColour);
    card.fillRect(avatarFrame, white);
    // Dashes of 3 with gaps of 2, started afresh at each corner so that all four corners are
    // drawn.
    const auto dashed = [&card](int x0, int y0, int dx, int dy, int count) {
        for (int i = 0; i < count; ++i) {
            if (i % 5 < 3 || i == count - 1) {
                card.at(x0 + dx * i, y0 + dy * i) = dashColour;
            }
        }
    };
    const int w = avatarFrame.right - avatarFrame.left + 1;
    const int h = avatarFrame.bottom - avatarFrame.top + 1;
    dashed(avatarFrame.left, avatarFrame.top, 1, 0, w);
    dashed(avatarFrame.left, avatarFrame.bottom, 1, 0, w);
    dashed(avatarFrame.left, avatarFrame.top, 0, 1, h);
    dashed(avatarFrame.right, avatarFrame.top, 0, 1, h);
}

}  // namespace

Raster drawCardTemplate(int number) {
    const Theme& theme = themes[number - 1];
    Raster card(cardWidth, cardHeight, borderColour);
    card.fillRect(band, theme.band);
    fillBodyGradient(card, theme);
    if (number == 4) {
        drawNightSky(card);
    } else {
        drawSwooshes(card);
    }
    drawBandEdge(card, theme);
    drawFrame(card);
    return card;
}

Bytes cardTemplateGif(int number) {
    const Raster card = drawCardTemplate(number);
    const PaletteRequest request{{toColour8(borderColour), toColour8(themes[number - 1].band),
                                  toColour8(white), toColour8(shadowColour), toColour8(dashColour)},
                                 {}};
    GifFile gif;
    gif.width = cardWidth;
    gif.height = cardHeight;
    gif.palette = buildPalette({&card}, request);
    gif.images.push_back(
        {card.bounds(), indexPixels(card, card.bounds(), gif.palette, request), {}});
    return encodeGif(gif);
}

}  // namespace pictures_gen
