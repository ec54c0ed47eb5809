#pragma once

#include <algorithm>
#include <iterator>
#include <vector>

#include "chart/chart_procedures.h"
#include "chart/recording_surface.h"
#include "tests/support/fake_controls.h"
#include "tests/support/hungarian.h"
#include "tests/support/start_state.h"

namespace charttest {

inline constexpr rt::Color kBlack = rt::rgb(0, 0, 0);
inline constexpr rt::Color kRed = rt::rgb(250, 0, 0);
inline constexpr rt::Color kGreen = rt::rgb(0, 200, 0);

// The chart procedures over a recording surface and fake labels, in the
// state start-up leaves (zeroEfficiencyX as the evaluation finds it).
struct Chart {
    model::CollectorState state = testsupport::startState();
    const rt::NumberFormat& format = testsupport::hungarian();
    chart::RecordingSurface surface{format};
    fake::Label operatingXLabel, efficiencyLabel, outputLabel, specificOutputLabel;
    chart::ChartProcedures procedures{
        state,
        {surface, operatingXLabel, efficiencyLabel, outputLabel, specificOutputLabel},
        format};

    // The chart run at the state, on the zero-efficiency x the state holds.
    [[nodiscard]] model::Results results() const {
        model::Results results = model::calculate(state.collector(), state.conditions());
        results.zeroEfficiencyX = state.zeroEfficiencyX;
        return results;
    }
    void redraw() { procedures.redraw(results(), state.conditions()); }
    void repaint() { procedures.repaint(results(), state.conditions()); }

    [[nodiscard]] std::vector<chart::RecordedLine> linesIn(rt::Color color) const {
        std::vector<chart::RecordedLine> out;
        std::copy_if(surface.lines().begin(), surface.lines().end(), std::back_inserter(out),
                     [color](const chart::RecordedLine& l) { return l.color == color; });
        return out;
    }
};

}  // namespace charttest
