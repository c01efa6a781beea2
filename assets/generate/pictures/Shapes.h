// Signed distances (negative inside) of the shapes the pictures are drawn from.
#pragma once

#include <vector>

#include "Raster.h"

namespace pictures_gen {

inline float circleDistance(Vec2 p, Vec2 centre, float radius) {
    return length(p - centre) - radius;
}

// Close to the true distance near the outline, which is all that anti-aliasing needs.
float ellipseDistance(Vec2 p, Vec2 centre, float radiusX, float radiusY);

float segmentDistance(Vec2 p, Vec2 a, Vec2 b);

float polylineDistance(Vec2 p, const std::vector<Vec2>& points);

float roundedBoxDistance(Vec2 p, Vec2 centre, Vec2 halfSize, float radius);

// The curve from `a` to `b` bent towards `c1` and `c2`, as `steps` straight pieces.
std::vector<Vec2> cubicCurve(Vec2 a, Vec2 c1, Vec2 c2, Vec2 b, int steps);

// The pixel box around a centre, grown by `margin` on every side.
inline Box boxAround(Vec2 centre, float halfWidth, float halfHeight, float margin = 2) {
    return {int(centre.x - halfWidth - margin), int(centre.y - halfHeight - margin),
            int(centre.x + halfWidth + margin), int(centre.y + halfHeight + margin)};
}

Box boxAround(const std::vector<Vec2>& points, float margin);

}  // namespace pictures_gen
