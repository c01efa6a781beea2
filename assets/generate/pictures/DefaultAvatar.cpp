#include "DefaultAvatar.h"

#include <cmath>
#include <vector>

#include "GifWriter.h"
#include "Shapes.h"

namespace pictures_gen {
namespace {

constexpr Rgb background = hex(0xFFFFFF);
constexpr Rgb outline = hex(0x4A2E1E);
constexpr Rgb skin = hex(0xFFD9B5);
constexpr Rgb hair = hex(0x6B3A1C);
constexpr Rgb shirt = hex(0xF2922C);
constexpr Rgb eye = hex(0x2B1D16);
constexpr Rgb cheek = hex(0xFF8A8A);
constexpr Rgb mouth = hex(0xC8413A);
constexpr Rgb tongue = hex(0xFF9A9A);
constexpr float outlineWidth = 2.6f;
constexpr int transparentIndex = 255;

// Fills a shape in `colour` with a dark outline round it.
template <class Distance>
void outlined(Raster& r, Distance distance, Rgb colour) {
    r.fillShape(
        r.bounds(), [&](Vec2 p) { return distance(p) - outlineWidth; }, outline);
    r.fillShape(r.bounds(), distance, colour);
}

void drawBody(Raster& r) {
    const auto shoulders = [](Vec2 p) { return roundedBoxDistance(p, {68, 140}, {46, 28}, 24); };
    const auto neck = [](Vec2 p) { return roundedBoxDistance(p, {68, 104}, {9, 10}, 3); };
    outlined(r, neck, skin);
    outlined(r, shoulders, shirt);
    // The collar: a V drawn below the neck.
    const std::vector<Vec2> collar{{56, 113}, {68, 124}, {80, 113}};
    r.fillShape(
        r.bounds(), [&](Vec2 p) { return polylineDistance(p, collar) - 1.6f; }, outline);
}

void drawHand(Raster& r, bool raised) {
    const Vec2 shoulder{103, 122};
    const Vec2 hand = raised ? Vec2{121, 84} : Vec2{114, 90};
    const auto arm = [&](Vec2 p) { return segmentDistance(p, shoulder, hand) - 6.5f; };
    outlined(r, arm, shirt);
    const auto palm = [&](Vec2 p) { return ellipseDistance(p, hand, 9, 10); };
    outlined(r, palm, skin);
    // Two finger creases.
    const Vec2 tilt = raised ? Vec2{3, 0} : Vec2{0, 0};
    for (float dx : {-3.0f, 2.0f}) {
        const Vec2 a = hand + Vec2{dx, -9} + tilt, b = hand + Vec2{dx, -3};
        r.fillShape(
            r.bounds(), [&](Vec2 p) { return segmentDistance(p, a, b) - 0.7f; }, outline);
    }
}

void drawHead(Raster& r) {
    const Vec2 centre{68, 60};
    for (float side : {-1.0f, 1.0f}) {
        const Vec2 ear{centre.x + side * 35, 64};
        outlined(
            r, [&](Vec2 p) { return circleDistance(p, ear, 8); }, skin);
    }
    outlined(
        r, [&](Vec2 p) { return ellipseDistance(p, centre, 36, 37); }, skin);
    // Hair: the top of the head down to a wavy fringe.
    const auto hairShape = [&](Vec2 p) {
        const float cap = ellipseDistance(p, centre + Vec2{0, -3}, 38.5f, 38);
        const float fringe = p.y - (40 + 5 * std::sin((p.x - 20) * 0.33f) +
                                    std::max(0.0f, std::abs(p.x - 68) - 22) * 0.9f);
        return std::max(cap, fringe);
    };
    outlined(r, hairShape, hair);
    // A little shine on the hair.
    const std::vector<Vec2> shine = cubicCurve({48, 31}, {55, 26}, {64, 25}, {70, 26}, 12);
    r.fillShape(
        r.bounds(), [&](Vec2 p) { return polylineDistance(p, shine) - 1.6f; }, hex(0xA86A3E));
}

void drawFace(Raster& r, bool eyesClosed) {
    for (float side : {-1.0f, 1.0f}) {
        const Vec2 eyeCentre{68 + side * 14, 64};
        if (eyesClosed) {
            const std::vector<Vec2> lid =
                cubicCurve(eyeCentre + Vec2{-6, 0}, eyeCentre + Vec2{-3, 4}, eyeCentre + Vec2{3, 4},
                           eyeCentre + Vec2{6, 0}, 12);
            r.fillShape(
                r.bounds(), [&](Vec2 p) { return polylineDistance(p, lid) - 1.5f; }, eye);
        } else {
            r.fillShape(
                r.bounds(), [&](Vec2 p) { return ellipseDistance(p, eyeCentre, 5.5f, 7.5f); }, eye);
            r.fillShape(
                r.bounds(),
                [&](Vec2 p) {
                    return circleDistance(p, eyeCentre + Vec2{1.8f, -3}, 2.1f);
                },
                background);
        }
        const Vec2 cheekCentre{68 + side * 24, 79};
        r.fillShape(
            r.bounds(), [&](Vec2 p) { return ellipseDistance(p, cheekCentre, 7, 4.5f); }, cheek,
            0.55f);
        const std::vector<Vec2> brow = cubicCurve({68 + side * 8, 52}, {68 + side * 11, 49},
                                                  {68 + side * 16, 49}, {68 + side * 20, 51}, 10);
        r.fillShape(
            r.bounds(), [&](Vec2 p) { return polylineDistance(p, brow) - 1.3f; }, hair);
    }
    // An open smile: the lower half of an ellipse, with a tongue.
    const Vec2 smile{68, 80};
    const auto mouthShape = [&](Vec2 p) {
        return std::max(ellipseDistance(p, smile, 13, 12), smile.y - p.y);
    };
    r.fillShape(
        r.bounds(), [&](Vec2 p) { return mouthShape(p) - 1.8f; }, outline);
    r.fillShape(r.bounds(), mouthShape, mouth);
    r.fillShape(
        r.bounds(),
        [&](Vec2 p) {
            return std::max(ellipseDistance(p, smile + Vec2{0, 11}, 8, 5), mouthShape(p) + 0.5f);
        },
        tongue);
}

}  // namespace

Raster drawAvatar(AvatarPose pose) {
    Raster r(avatarSize, avatarSize, background);
    drawBody(r);
    drawHand(r, pose.handRaised);
    drawHead(r);
    drawFace(r, pose.eyesClosed);
    return r;
}

Bytes defaultAvatarGif() {
    const Raster open = drawAvatar({false, false});
    const Raster blink = drawAvatar({true, false});
    const Raster wave = drawAvatar({false, true});
    const PaletteRequest request{{toColour8(background), toColour8(outline)}, {transparentIndex}};
    GifFile gif;
    gif.width = avatarSize;
    gif.height = avatarSize;
    gif.loopForever = true;
    gif.palette = buildPalette({&open, &blink, &wave}, request);

    // Each later image is only the rectangle that changed since the one before it, and its
    // unchanged pixels are transparent, so the picture underneath shows through.
    std::vector<std::uint8_t> shown = indexPixels(open, open.bounds(), gif.palette, request);
    const GifControl control{1, 10, transparentIndex};
    gif.images.push_back({open.bounds(), shown, control});
    for (const Raster* next : {&blink, &open, &wave, &open}) {
        const std::vector<std::uint8_t> target =
            indexPixels(*next, next->bounds(), gif.palette, request);
        Box changed{avatarSize, avatarSize, -1, -1};
        for (int y = 0; y < avatarSize; ++y) {
            for (int x = 0; x < avatarSize; ++x) {
                const std::size_t i = std::size_t(y) * avatarSize + x;
                if (target[i] != shown[i]) {
                    changed = {std::min(changed.left, x), std::min(changed.top, y),
                               std::max(changed.right, x), std::max(changed.bottom, y)};
                }
            }
        }
        GifImage patch{changed, {}, control};
        for (int y = changed.top; y <= changed.bottom; ++y) {
            for (int x = changed.left; x <= changed.right; ++x) {
                const std::size_t i = std::size_t(y) * avatarSize + x;
                patch.indices.push_back(target[i] == shown[i] ? transparentIndex : target[i]);
            }
        }
        gif.images.push_back(std::move(patch));
        shown = target;
    }
    return encodeGif(gif);
}

}  // namespace pictures_gen
