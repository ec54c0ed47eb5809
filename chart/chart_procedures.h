#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

#include "model/calculation.h"
#include "model/collector_state.h"
#include "model/comparison.h"
#include "results.h"
#include "runtime/control_interfaces.h"
#include "runtime/fixed4.h"
#include "runtime/number_text.h"

namespace chart {

// The controls the chart procedure draws on and writes to. The window says
// which of its controls each one is.
struct ChartControls {
    rt::Surface& surface;
    rt::Label& operatingXLabel;
    rt::Label& efficiencyLabel;      // at the operating point, %
    rt::Label& outputLabel;          // of the whole collector area, W
    rt::Label& specificOutputLabel;  // per square metre, W/m2
};

// The kept collectors' curves and legend lines, in keeping order.
inline constexpr std::array<rt::Color, model::Comparison::kCapacity> kKeptCurveColors{
    rt::rgb(0, 0, 255), rt::rgb(192, 0, 192), rt::rgb(0, 128, 128), rt::rgb(192, 96, 0)};

// The window's chart procedures: the efficiency curve with its scales, the
// operating point and its results. Every run redraws everything from the
// results of the calculation; a runtime error, raised where the chart comes
// to a result the calculation did not reach or arising in the drawing, ends
// the run there and leaves what was drawn and written before it.
class ChartProcedures {
public:
    ChartProcedures(model::CollectorState& state, const ChartControls& controls,
                    const rt::NumberFormat& format);

    // The chart procedure, run after every change of the state: `results`
    // are the current collector's at `conditions`.
    void redraw(const model::Results& results, const model::Conditions& conditions);
    // The same, with `texts` the results as formatResults gives them.
    void redraw(const model::Results& results, const model::Conditions& conditions,
                const ResultTexts& texts);
    // The surface lost what it showed and must be drawn again.
    void repaint(const model::Results& results, const model::Conditions& conditions);
    void repaint(const model::Results& results, const model::Conditions& conditions,
                 const ResultTexts& texts);

    // The collectors kept for comparison; every run draws their curves and
    // a legend line for each.
    [[nodiscard]] model::Comparison& comparison() { return comparison_; }
    [[nodiscard]] const model::Comparison& comparison() const { return comparison_; }
    // What the last run's legend shows, in keeping order: the same words for
    // copying, printing and reading aloud. Empty when nothing is kept or the
    // run ended before its legend.
    [[nodiscard]] const std::vector<KeptResult>& keptResults() const { return keptResults_; }

private:
    // Where the marker lines meet: x in twips, y an exact Fixed4 height.
    struct Marker {
        double x;
        rt::Fixed4 y;
    };

    void drawFrame();
    void drawHorizontalScale(rt::Fixed4 zeroEfficiencyX);
    void drawVerticalScale();
    void drawKeptCurves(const std::vector<model::Results>& kept, rt::Fixed4 zeroEfficiencyX);
    void drawKeptCurve(const model::Curve& curve, rt::Color color, rt::Fixed4 zeroEfficiencyX);
    void drawCurve(const model::Curve& curve, rt::Fixed4 zeroEfficiencyX);
    [[nodiscard]] Marker showResults(const model::Results& results, const ResultTexts& texts,
                                     rt::Fixed4 zeroEfficiencyX);
    void drawMarker(const Marker& marker);
    void showLegend(const std::vector<model::Results>& kept);

    void printTickValue(double x, double y, double value);

    model::CollectorState& state_;
    ChartControls controls_;
    const rt::NumberFormat& format_;
    model::Comparison comparison_;
    std::vector<KeptResult> keptResults_;
    // Every curve has its k-th point at the same x, k · kCurveStep: the kept
    // curves map each x to twips once per run, and the current curve takes
    // the x they reached from here.
    std::vector<rt::Int16> keptTwipsX_;
};

}  // namespace chart
