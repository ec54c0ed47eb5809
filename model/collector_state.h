#pragma once

#include "calculation.h"
#include "comparison.h"
#include "runtime/fixed4.h"
#include "runtime/int16.h"

namespace model {

// Everything the window's results are calculated from, as one value: the
// four boxes' stored values, the three sliders' values and the collectors
// kept for comparison. An event makes a new value from the last one; the
// fields are zero until start-up stores its values, and nothing is saved.
struct Inputs {
    [[nodiscard]] Collector collector() const { return {{}, eta0, a1, a2, collectorArea}; }
    [[nodiscard]] Conditions conditions() const { return {collectorTemp, ambientTemp, irradiance}; }

    // This value with one field changed.
    template <typename T>
    [[nodiscard]] Inputs with(T Inputs::*field, T value) const {
        Inputs next = *this;
        next.*field = value;
        return next;
    }

    rt::Int16 collectorTemp;  // °C, the collector-temperature slider's value
    rt::Int16 ambientTemp;    // °C, the ambient-temperature slider's value
    rt::Int16 irradiance;     // W/m², the irradiance slider's value

    rt::Fixed4 eta0;           // optical efficiency
    rt::Fixed4 a1;             // W/(m²·K), first-order heat loss
    rt::Fixed4 a2;             // W/(m²·K²), second-order heat loss
    rt::Fixed4 collectorArea;  // m²

    Comparison comparison;
};

// What the window holds, as its tests and the scenario runner read it: the
// inputs and the two results kept as stores, the zero-efficiency x of the
// last evaluation and the operating x of the last chart run.
struct CollectorState : Inputs {
    rt::Fixed4 zeroEfficiencyX;  // m²·K/W where the search found zero efficiency
    rt::Fixed4 operatingX;       // m²·K/W of the operating point
};

}  // namespace model
