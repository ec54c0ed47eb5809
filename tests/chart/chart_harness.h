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

// The chart procedure over a recording surface, shown as the window shows
// a run: the operating x kept, the labels written, the legend's words kept
// and the run's runtime error raised last. It starts in the state start-up
// leaves (zeroEfficiencyX as the evaluation finds it).
struct Chart {
    model::CollectorState state = testsupport::startState();
    const rt::NumberFormat& format = testsupport::hungarian();
    chart::RecordingSurface surface{format};
    fake::Label operatingXLabel, efficiencyLabel, outputLabel, specificOutputLabel;
    std::vector<present::KeptResult> keptResults;

    // The results at the state, on the zero-efficiency x the state holds.
    [[nodiscard]] model::Results results() const {
        model::Results results = model::calculate(state.collector(), state.conditions());
        results.zeroEfficiencyX = state.zeroEfficiencyX;
        return results;
    }
    void redraw() { redrawOn(surface); }
    void redrawOn(rt::Surface& on) {
        const model::Results current = results();
        const present::ResultTexts texts = present::formatResults(current, format);
        const auto keptCollectors = state.comparison.kept();
        const std::vector<model::Results> kept = chart::keptResults(
            keptCollectors, state.collectorArea, state.conditions(), state.zeroEfficiencyX);
        const chart::ChartRun run =
            chart::drawChart(on, {current, texts, keptCollectors, kept}, format);
        if (run.operatingX) {
            state.operatingX = *run.operatingX;
        }
        const std::pair<const std::optional<QString>&, fake::Label&> labels[] = {
            {run.point.operatingX, operatingXLabel},
            {run.point.efficiency, efficiencyLabel},
            {run.point.output, outputLabel},
            {run.point.specificOutput, specificOutputLabel}};
        for (const auto& [text, label] : labels) {
            if (text) {
                label.setCaption(*text);
            }
        }
        keptResults = run.kept;
        if (run.error) {
            throw rt::RuntimeError(*run.error);
        }
    }

    [[nodiscard]] std::vector<chart::RecordedLine> linesIn(rt::Color color) const {
        std::vector<chart::RecordedLine> out;
        std::copy_if(surface.lines().begin(), surface.lines().end(), std::back_inserter(out),
                     [color](const chart::RecordedLine& l) { return l.color == color; });
        return out;
    }
};

}  // namespace charttest
