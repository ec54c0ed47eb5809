#include "window_presenter.h"

#include <utility>

#include "accessibility.h"

namespace ui {
namespace {

// A chart run alone changes no text but the operating point's.
constexpr present::TextsWanted kChartRunTexts{.characteristic = false, .zeroEfficiencyX = false};

// The results the labels show, whose descriptions an evaluation writes
// before its chart.
constexpr std::array kLabelResults{present::Result::Characteristic, present::Result::OperatingX,
                                   present::Result::Efficiency, present::Result::SpecificOutput,
                                   present::Result::Output};

}  // namespace

WindowPresenter::WindowPresenter(const rt::NumberFormat& format, TextMeasure measure)
    : format_(format), surface_(format) {
    surface_.setTextMeasure(std::move(measure));
}

WindowView WindowPresenter::evaluation(const model::Inputs& inputs) {
    const model::Results results = model::calculate(inputs.collector(), inputs.conditions());
    const present::ResultTexts texts =
        present::formatResults(results, format_, {.zeroEfficiencyX = false});
    WindowView view;
    view.evaluated = true;
    try {
        view.characteristic = texts.characteristic.get();
        zeroEfficiencyX_ = results.zeroEfficiencyX.get();
        for (const present::Result result : kLabelResults) {
            (void)present::valueOf(texts, result).get();
        }
    } catch (const rt::RuntimeError& error) {
        view.error = error.kind();
        return view;
    }
    drawChart(view, inputs, results, texts);
    return view;
}

WindowView WindowPresenter::chartRun(const model::Inputs& inputs) {
    const model::Results results = model::calculate(inputs.collector(), inputs.conditions());
    WindowView view;
    drawChart(view, inputs, results, present::formatResults(results, format_, kChartRunTexts));
    return view;
}

void WindowPresenter::drawChart(WindowView& view, const model::Inputs& inputs,
                                const model::Results& results, const present::ResultTexts& texts) {
    const auto keptCollectors = inputs.comparison.kept();
    std::vector<model::Results> kept;
    if (!results.zeroEfficiencyX.error()) {
        kept = chart::keptResults(keptCollectors, inputs.collectorArea, inputs.conditions(),
                                  results.zeroEfficiencyX.get());
    }
    view.run = chart::drawChart(surface_, {results, texts, keptCollectors, kept}, format_);
    view.chart = surface_.take();
    if (view.run.operatingX) {
        operatingX_ = *view.run.operatingX;
    }
    kept_ = view.run.kept;
    if (view.run.error) {
        view.error = view.run.error;
        return;
    }
    view.described = texts;
    view.chartDescription = chartDescription(format_.text(inputs.eta0),
                                             format_.text(zeroEfficiencyX_), texts.operatingX.get(),
                                             texts.efficiency.get(), format_.decimalSeparator()) +
                            keptCurvesDescription(kept_);
}

}  // namespace ui
