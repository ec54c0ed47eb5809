#pragma once

#include "calculation.h"
#include "runtime/currency.h"
#include "runtime/integer.h"

namespace model {

// What the window stores between its events: the inputs the results are
// calculated from and the two results kept as stores. The fields are zero
// until start-up stores its values and live as long as the window; nothing
// is saved.
struct CollectorState {
    // The collector and the conditions the calculation takes.
    [[nodiscard]] Collector collector() const { return {{}, eta0, a1, a2, collectorArea}; }
    [[nodiscard]] Conditions conditions() const { return {collectorTemp, ambientTemp, irradiance}; }

    rt::Integer collectorTemp;  // °C, the collector-temperature slider's value
    rt::Integer ambientTemp;    // °C, the ambient-temperature slider's value
    rt::Integer irradiance;     // W/m², the irradiance slider's value

    rt::Currency stagnationX;    // m²·K/W where the search found zero efficiency
    rt::Currency operatingX;     // m²·K/W of the operating point
    rt::Currency eta0;           // optical efficiency
    rt::Currency a1;             // W/(m²·K), first-order heat loss
    rt::Currency a2;             // W/(m²·K²), second-order heat loss
    rt::Currency collectorArea;  // m²
};

}  // namespace model
