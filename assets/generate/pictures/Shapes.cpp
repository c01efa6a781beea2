#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pictures_gen {

float ellipseDistance(Vec2 p, Vec2 centre, float radiusX, float radiusY) {
    const Vec2 q = p - centre;
    const float k0 = length({q.x / radiusX, q.y / radiusY});
    const float k1 = length({q.x / (radiusX * radiusX), q.y / (radiusY * radiusY)});
    if (k1 == 0) {
        return -std::min(radiusX, radiusY);
    }
    return k0 * (k0 - 1) / k1;
}

float segmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a;
    const float len2 = dot(ab, ab);
    const float t = len2 == 0 ? 0 : std::clamp(dot(p - a, ab) / len2, 0.0f, 1.0f);
    return length(p - (a + ab * t));
}

float polylineDistance(Vec2 p, const std::vector<Vec2>& points) {
    float best = std::numeric_limits<float>::max();
    for (std::size_t i = 1; i < points.size(); ++i) {
        best = std::min(best, segmentDistance(p, points[i - 1], points[i]));
    }
    return best;
}

float roundedBoxDistance(Vec2 p, Vec2 centre, Vec2 halfSize, float radius) {
    const Vec2 q{std::abs(p.x - centre.x) - halfSize.x + radius,
                 std::abs(p.y - centre.y) - halfSize.y + radius};
    const Vec2 outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return length(outside) + std::min(std::max(q.x, q.y), 0.0f) - radius;
}

std::vector<Vec2> cubicCurve(Vec2 a, Vec2 c1, Vec2 c2, Vec2 b, int steps) {
    std::vector<Vec2> points;
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / steps;
        const float u = 1 - t;
        points.push_back(a * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) +
                         b * (t * t * t));
    }
    return points;
}

Box boxAround(const std::vector<Vec2>& points, float margin) {
    float left = points.front().x, right = left, top = points.front().y, bottom = top;
    for (const Vec2& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {int(std::floor(left - margin)), int(std::floor(top - margin)),
            int(std::ceil(right + margin)), int(std::ceil(bottom + margin))};
}

}  // namespace pictures_gen
