#include "model/solar_position.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The worked example of Reda and Andreas (2004), table A5.1.
TEST(SunPosition, MatchesThePapersExample) {
    const model::Site golden{39.742476, -105.1786, 1830.14, 820, 11};
    const double jd = model::julianDay(2003, 10, 17, 12.5 + 30.0 / 3600 + 7);
    const model::SunPosition sun = model::sunPosition(jd, 67, golden);
    EXPECT_NEAR(sun.zenith, 50.111622, 1e-6);
    EXPECT_NEAR(sun.azimuth, 194.340241 - 180, 1e-6);
}

TEST(SunPosition, TheInterpolatedPathFollowsTheFullAlgorithmAllYear) {
    const model::Site site{-33.9, 151.2, 40, 1008, 20};
    model::SunPath path(69);
    double worst = 0;
    for (int hour = 0; hour < 8784; ++hour) {
        const double jd = model::julianDay(2024, 1, 1, hour + 0.1761);
        const model::SunPosition fast = path.at(jd, site);
        const model::SunPosition full = model::sunPosition(jd, 69, site);
        if (full.zenith < 90) {
            worst = std::max({worst, std::abs(fast.zenith - full.zenith),
                              std::abs(fast.azimuth - full.azimuth)});
        }
    }
    EXPECT_LT(worst, 0.002);
}

}  // namespace
