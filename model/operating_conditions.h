#pragma once

namespace model {

// The operating conditions the three sliders set, in whole units: the range
// a value may take and the value the window starts with. The command line
// holds its values to the same ranges.
struct ConditionRange {
    int min;
    int max;
    int start;

    [[nodiscard]] constexpr bool contains(int value) const { return value >= min && value <= max; }
};

inline constexpr ConditionRange kCollectorTempRange{0, 250, 60};  // °C
inline constexpr ConditionRange kAmbientTempRange{-30, 50, 20};   // °C
inline constexpr ConditionRange kIrradianceRange{1, 1300, 800};   // W/m²

}  // namespace model
