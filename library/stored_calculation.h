#pragma once

#include <QList>
#include <variant>

#include "collector_record.h"
#include "model/annual_yield.h"
#include "model/calculation.h"
#include "model/datasheet.h"

// The one way from a stored collector to a calculation, for every front end:
// values, never text, and the coefficients always with the area they refer to.
namespace library {

// Why a stored collector cannot be calculated: a rule it breaks, naming the
// field, or a value the window's entry range refuses, though the datasheet
// takes it.
struct NotCalculable {
    FieldProblem problem;
    bool outsideWindow = false;
};

// Everything stored that the datasheet reads: η0, or η0,b with Kd, a1, a2,
// the reference and both areas, and the name; and to show beside it, the
// beam modifier and the quasi-dynamic terms.
[[nodiscard]] std::variant<model::DatasheetInput, NotCalculable> datasheetInput(
    const Collector& collector);

// The window's collector: the hemispherical η0, a1, a2 and the reference
// area, each within its box's range, read as the box would read it.
[[nodiscard]] std::variant<model::Collector, NotCalculable> windowCollector(
    const Collector& collector);

// The collector a year's yield is calculated with: η0,b and Kd where the
// datasheet gives them, otherwise the hemispherical η0 (taken as η0,b with
// Kd = 1, and marked so), a1, a2, the quasi-dynamic terms given (0 where
// not), the beam modifier and the reference area. The library's rules, not
// the window's ranges, decide what it takes.
[[nodiscard]] std::variant<model::ThermalCollector, NotCalculable> thermalCollector(
    const Collector& collector);
// "eta0: <reason>", as every front end words a NotCalculable.
[[nodiscard]] QString describe(const NotCalculable& refusal);

}  // namespace library
