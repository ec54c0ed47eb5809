#pragma once

#include "model/collector_state.h"
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

private:
    // Where the marker lines meet: x in twips, y an exact Currency height.
    struct Marker {
        double x;
        rt::Currency y;
    };

    void drawFrame();
    void drawHorizontalScale();
    void drawVerticalScale();
    void drawCurve();
    [[nodiscard]] rt::Currency computeOperatingPoint();
    [[nodiscard]] Marker showResults(rt::Currency operatingEta);
    void drawMarker(const Marker& marker);

    void printTickValue(double x, double y, double value);
    [[nodiscard]] Marker showEfficiency(double markerX, rt::Currency eta);

    model::CollectorState& state_;
    ChartControls controls_;
    const rt::NumberFormat& format_;
};

}  // namespace chart
