// A floating-point RGB picture to draw on, with anti-aliased shapes given as distance functions.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace pictures_gen {

struct Rgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

// 0xRRGGBB as written in a style sheet.
constexpr Rgb hex(std::uint32_t rgb) {
    return {float((rgb >> 16) & 0xFF), float((rgb >> 8) & 0xFF), float(rgb & 0xFF)};
}

inline Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Rgb scaled(Rgb c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

struct Vec2 {
    float x = 0;
    float y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float k) {
    return {a.x * k, a.y * k};
}
inline float dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline float length(Vec2 a) {
    return std::sqrt(dot(a, a));
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

inline float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// An inclusive pixel rectangle.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Raster {
  public:
    Raster(int width, int height, Rgb fill)
        : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb& at(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

    // Paints over the pixel with `alpha` of `colour`; pixels off the picture are ignored.
    void blend(int x, int y, Rgb colour, float alpha) {
        if (contains(x, y) && alpha > 0) {
            Rgb& p = at(x, y);
            p = mix(p, colour, clamp01(alpha));
        }
    }

    // Adds light: a screen blend, which brightens without ever passing white.
    void glow(int x, int y, Rgb light, float amount) {
        if (!contains(x, y) || amount <= 0) {
            return;
        }
        Rgb& p = at(x, y);
        const auto screen = [amount](float base, float add) {
            const float a = std::clamp(add * amount, 0.0f, 255.0f);
            return 255 - (255 - base) * (255 - a) / 255;
        };
        p = {screen(p.r, light.r), screen(p.g, light.g), screen(p.b, light.b)};
    }

    // Sets every pixel of the rectangle to exactly `colour`, with no smoothing.
    void fillRect(Box box, Rgb colour) {
        for (int y = std::max(box.top, 0); y <= std::min(box.bottom, height_ - 1); ++y) {
            for (int x = std::max(box.left, 0); x <= std::min(box.right, width_ - 1); ++x) {
                at(x, y) = colour;
            }
        }
    }

    // Fills a shape given by its signed distance (negative inside, in pixels) from each pixel
    // centre; the half-pixel band around the edge is blended, which anti-aliases the outline.
    template <class Distance>
    void fillShape(Box box, Distance distance, Rgb colour, float alpha = 1) {
        for (int y = std::max(box.top, 0); y <= std::min(box.bottom, height_ - 1); ++y) {
            for (int x = std::max(box.left, 0); x <= std::min(box.right, width_ - 1); ++x) {
                const float d = distance(Vec2{x + 0.5f, y + 0.5f});
                blend(x, y, colour, clamp01(0.5f - d) * alpha);
            }
        }
    }

    Box bounds() const { return {0, 0, width_ - 1, height_ - 1}; }

  private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace pictures_gen
