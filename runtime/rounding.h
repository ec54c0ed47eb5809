#pragma once

#include <cmath>

namespace rt {

// The nearest whole number, a half going to the even neighbour; independent
// of the floating-point environment's rounding mode. Exact for every double.
[[nodiscard]] inline double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;  // exact: both lie in one binade range
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

}  // namespace rt
