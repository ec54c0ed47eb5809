#pragma once

#include "calculation.h"
#include "runtime/fixed4.h"
#include "runtime/int16.h"

namespace model {

// What the window stores between its events: the inputs the results are
// calculated from and the two results kept as stores. The fields are zero
// until start-up stores its values and live as long as the window; nothing
// is saved.
struct CollectorState {
    // The collector and the conditions the calculation takes.
    [[nodiscard]] Collector collector() const { return {{}, eta0, a1, a2, collectorArea}; }
    [[nodiscard]] Conditions conditions() const { return {collectorTemp, ambientTemp, irradiance}; }

    rt::Int16 collectorTemp;  // °C, the collector-temperature slider's value
    rt::Int16 ambientTemp;    // °C, the ambient-temperature slider's value
    rt::Int16 irradiance;     // W/m², the irradiance slider's value

    rt::Fixed4 zeroEfficiencyX;  // m²·K/W where the search found zero efficiency
    rt::Fixed4 operatingX;       // m²·K/W of the operating point
    rt::Fixed4 eta0;             // optical efficiency
    rt::Fixed4 a1;               // W/(m²·K), first-order heat loss
    rt::Fixed4 a2;               // W/(m²·K²), second-order heat loss
    rt::Fixed4 collectorArea;    // m²
};

}  // namespace model
