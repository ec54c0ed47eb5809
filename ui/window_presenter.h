#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "chart/chart_procedures.h"
#include "chart/recording_surface.h"
#include "model/collector_state.h"
#include "present/result_texts.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace ui {

// What one event shows, as data: the window only copies it into its
// widgets. A runtime error ends the event where the step-by-step procedure
// would have stopped: the parts before it are set, the later ones are empty,
// and `error` holds it.
struct WindowView {
    // The characteristic efficiency's label text: only an evaluation writes it.
    std::optional<QString> characteristic;
    // The chart run's drawing, absent when the event ended before the chart.
    std::optional<chart::DisplayList> chart;
    // The run's operating-point texts and legend.
    chart::ChartRun run;
    // Set once the event came to its end: the results' texts that the result
    // labels' descriptions and the screen-reader hints say, and what the chart
    // box says. `evaluated`: the characteristic efficiency's is among them.
    std::optional<present::ResultTexts> described;
    bool evaluated = false;
    QString chartDescription;
    std::optional<rt::ErrorKind> error;
};

// The window's presenter: from the inputs, through the one calculation, to
// the view. It touches no widget. It keeps the two results the window
// keeps as stores, and the last legend's words.
class WindowPresenter {
public:
    // How wide the chart box paints a text, in twips.
    using TextMeasure = std::function<double(const QString&)>;

    WindowPresenter(const rt::NumberFormat& format, TextMeasure measure);

    // The evaluation: the characteristic efficiency, the zero-efficiency x
    // kept as a store, then the chart.
    [[nodiscard]] WindowView evaluation(const model::Inputs& inputs);
    // The chart alone: the operating point moved, or the kept curves changed.
    [[nodiscard]] WindowView chartRun(const model::Inputs& inputs);

    // Where the last evaluation found zero efficiency.
    [[nodiscard]] rt::Fixed4 zeroEfficiencyX() const { return zeroEfficiencyX_; }
    // The operating x of the last chart run that reached it.
    [[nodiscard]] rt::Fixed4 operatingX() const { return operatingX_; }
    // The last chart run's legend, in keeping order.
    [[nodiscard]] const std::vector<present::KeptResult>& keptResults() const { return kept_; }

private:
    void drawChart(WindowView& view, const model::Inputs& inputs, const model::Results& results,
                   const present::ResultTexts& texts);

    const rt::NumberFormat& format_;
    chart::RecordingSurface surface_;
    rt::Fixed4 zeroEfficiencyX_;
    rt::Fixed4 operatingX_;
    std::vector<present::KeptResult> kept_;
};

}  // namespace ui
