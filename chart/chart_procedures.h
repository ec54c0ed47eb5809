#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "model/calculation.h"
#include "model/comparison.h"
#include "present/result_texts.h"
#include "runtime/control_interfaces.h"
#include "runtime/fixed4.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace chart {

// The kept collectors' curves and legend lines, in keeping order.
inline constexpr std::array<rt::Color, model::Comparison::kCapacity> kKeptCurveColors{
    rt::rgb(0, 0, 255), rt::rgb(192, 0, 192), rt::rgb(0, 128, 128), rt::rgb(192, 96, 0)};

// What the chart shows at the operating point besides the drawing, as far as
// the run came: each is empty when a runtime error ended the run before it.
struct PointTexts {
    std::optional<QString> operatingX;
    std::optional<QString> efficiency;
    std::optional<QString> output;          // of the whole collector area, W
    std::optional<QString> specificOutput;  // per square metre, W/m2
};

// What one chart run gives besides the lines and texts it drew.
struct ChartRun {
    std::optional<rt::Fixed4> operatingX;  // reached: the window keeps it as a store
    PointTexts point;
    // The legend's words, in keeping order, for copying, printing and reading
    // aloud; empty when nothing is kept or the run ended before its legend.
    std::vector<present::KeptResult> kept;
    // The runtime error that ended the run, where the procedure would have stopped.
    std::optional<rt::ErrorKind> error;
};

// The collectors kept for comparison, calculated at the current conditions
// and area as far as the chart draws their curves: on the x scale that
// `zeroEfficiencyX` sets.
[[nodiscard]] std::vector<model::Results> keptResults(std::span<const model::KeptCollector> kept,
                                                      rt::Fixed4 area,
                                                      const model::Conditions& conditions,
                                                      rt::Fixed4 zeroEfficiencyX);

// What the chart is drawn from: the current collector's results and their
// texts, and the kept collectors with their results (keptResults()).
struct ChartInput {
    const model::Results& results;
    const present::ResultTexts& texts;
    std::span<const model::KeptCollector> keptCollectors;
    std::span<const model::Results> kept;
};

// The chart procedure: the efficiency curve with its scales, the kept curves
// and their legend, the operating point's marker. It draws everything again
// on `surface` and writes nothing else. A runtime error, raised where the
// chart comes to a result the calculation did not reach or arising in the
// drawing, ends the run there, leaving what was drawn before it.
[[nodiscard]] ChartRun drawChart(rt::Surface& surface, const ChartInput& input,
                                 const rt::NumberFormat& format);

}  // namespace chart
