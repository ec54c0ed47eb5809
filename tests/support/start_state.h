#pragma once

#include "model/collector_state.h"
#include "model/presets.h"

// The collector state as start-up leaves it, for tests that begin there.
namespace testsupport {

// The sliders' start values, in the order collector, ambient, irradiance.
inline constexpr int kStartCollectorTemp = 60;
inline constexpr int kStartAmbientTemp = 20;
inline constexpr int kStartIrradiance = 800;

// The start coefficients and sliders, with zeroEfficiencyX as the evaluation
// finds it for them (0.148).
[[nodiscard]] inline model::CollectorState startState() {
    model::CollectorState state;
    state.eta0 = model::kStartCoefficients.eta0;
    state.a1 = model::kStartCoefficients.a1;
    state.a2 = model::kStartCoefficients.a2;
    state.collectorArea = model::kStartCoefficients.collectorArea;
    state.collectorTemp = rt::Int16{kStartCollectorTemp};
    state.ambientTemp = rt::Int16{kStartAmbientTemp};
    state.irradiance = rt::Int16{kStartIrradiance};
    state.zeroEfficiencyX = rt::Fixed4::literal("0.148");
    return state;
}

}  // namespace testsupport
