// A small seeded generator, so that every build scatters the same stars.
#pragma once

#include <cstdint>

namespace pictures_gen {

class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    // A number in [0, 1).
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        return float(state_ >> 8) / float(1u << 24);
    }
    float between(float lo, float hi) { return lo + (hi - lo) * next(); }

  private:
    std::uint32_t state_;
};

}  // namespace pictures_gen
