#pragma once

#include <QString>
#include <optional>

#include "chart/chart_procedures.h"
#include "chart/results.h"
#include "model/collector_procedures.h"
#include "model/collector_state.h"
#include "runtime/headless_controls.h"
#include "runtime/number_text.h"

namespace cli {

// The window's procedures over controls that only hold text: the collector
// list, the four boxes, the three sliders and the result labels, started up
// as the window starts. Each step is what a user's action runs in the window.
class HeadlessCalculator {
public:
    explicit HeadlessCalculator(const rt::NumberFormat& format);
    HeadlessCalculator(const HeadlessCalculator&) = delete;
    HeadlessCalculator& operator=(const HeadlessCalculator&) = delete;

    // Picking row `row` of the collector list.
    void chooseType(int row);
    // Typing `text` into a box and leaving it. The warning's text when the
    // entry was refused.
    [[nodiscard]] std::optional<QString> enter(model::EntryBox box, const QString& text);
    // The three sliders moved to these values, then the evaluation.
    void setConditions(int collectorTemp, int ambientTemp, int irradiance);

    [[nodiscard]] chart::ShownResults shown() const;
    [[nodiscard]] const model::CollectorState& state() const { return state_; }

private:
    [[nodiscard]] rt::HeadlessTextBox& boxOf(model::EntryBox box);

    const rt::NumberFormat& format_;
    model::CollectorState state_;
    rt::HeadlessComboBox collectorType_;
    rt::HeadlessTextBox eta0Box_, a1Box_, a2Box_, areaBox_;
    rt::HeadlessScrollBar collectorTempSlider_, ambientTempSlider_, irradianceSlider_;
    rt::HeadlessLabel characteristicLabel_, operatingXLabel_, efficiencyLabel_, outputLabel_,
        specificOutputLabel_;
    rt::NullSurface surface_;
    rt::RememberingMessageBox messages_;
    chart::ChartProcedures chart_;
    model::CollectorProcedures collector_;
};

}  // namespace cli
