#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

#include "model/collector_state.h"
#include "model/comparison.h"
#include "runtime/control_interfaces.h"
#include "runtime/currency.h"
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

// What the efficiency label shows when the operating point gives no output.
inline constexpr QStringView kNoEfficiencyText = u"0 %";

// A kept collector at the operating point, in the words the legend uses.
struct KeptResult {
    QString name;
    QString efficiency;      // as the efficiency label would show it: "60,1 %"
    QString specificOutput;  // as the specific-output label would: "481 W/m2"
};

// The window's chart procedures: the efficiency curve with its scales, the
// operating point and its results. Every run redraws everything from the
// collector state; a runtime error ends the run where it arises and leaves
// what was drawn and written before it.
class ChartProcedures {
public:
    ChartProcedures(model::CollectorState& state, const ChartControls& controls,
                    const rt::NumberFormat& format);

    // The chart procedure, run after every change of the state.
    void redraw();
    // The surface lost what it showed and must be drawn again.
    void repaint();

    // The collectors kept for comparison; every run draws their curves and
    // a legend line for each.
    [[nodiscard]] model::Comparison& comparison() { return comparison_; }
    [[nodiscard]] const model::Comparison& comparison() const { return comparison_; }
    // What the last run's legend shows, in keeping order: the same words for
    // copying, printing and reading aloud. Empty when nothing is kept or the
    // run ended before its legend.
    [[nodiscard]] const std::vector<KeptResult>& keptResults() const { return keptResults_; }

private:
    // Where the marker lines meet: x in twips, y an exact Currency height.
    struct Marker {
        double x;
        rt::Currency y;
    };

    // Which of the result rules decides what the results show.
    enum class ResultRule {
        OpticalEfficiency,  // not warmer than the surroundings
        BeyondZero,         // at or beyond the curve's zero
        OnCurve,
    };

    // The three result labels' texts.
    struct ResultTexts {
        QString efficiency;
        QString output;
        QString specificOutput;
    };

    void drawFrame();
    void drawHorizontalScale();
    void drawVerticalScale();
    void drawKeptCurves();
    void drawKeptCurve(const model::KeptCollector& kept, rt::Color color);
    void drawCurve();
    [[nodiscard]] rt::Currency computeOperatingPoint();
    [[nodiscard]] Marker showResults(rt::Currency operatingEta);
    void drawMarker(const Marker& marker);
    void showLegend();

    void printTickValue(double x, double y, double value);
    [[nodiscard]] rt::Currency operatingEfficiency(rt::Currency eta0, rt::Currency a1,
                                                   rt::Currency a2) const;
    [[nodiscard]] static ResultRule resultRule(rt::Currency operatingEta, rt::Currency operatingX);
    [[nodiscard]] ResultTexts resultTexts(ResultRule rule, rt::Currency eta0,
                                          rt::Currency operatingEta) const;
    [[nodiscard]] ResultTexts efficiencyTexts(rt::Currency eta) const;

    model::CollectorState& state_;
    ChartControls controls_;
    const rt::NumberFormat& format_;
    model::Comparison comparison_;
    std::vector<KeptResult> keptResults_;
};

}  // namespace chart
