#pragma once

#include <QString>
#include <array>

#include "chart/results.h"
#include "model/calculation.h"
#include "model/collector_state.h"
#include "model/entry_check.h"
#include "runtime/control_interfaces.h"
#include "runtime/number_text.h"

namespace ui {

// The controls the collector procedures read and write. The window says
// which of its controls each one is.
struct CollectorControls {
    rt::ComboBox& collectorType;
    rt::TextBox& eta0Box;
    rt::TextBox& a1Box;
    rt::TextBox& a2Box;
    rt::TextBox& areaBox;
    rt::ScrollBar& collectorTempSlider;
    rt::ScrollBar& ambientTempSlider;
    rt::ScrollBar& irradianceSlider;
    rt::Label& characteristicEfficiencyLabel;
    rt::MessageBox& messageBox;
};

// Where an evaluation ends: its results told and the chart drawn from them.
// An error raised there ends the event with the presenter's stores done.
class EvaluationView {
public:
    // `texts` are the results as formatResults gives them.
    virtual void showEvaluation(const model::Results& results, const chart::ResultTexts& texts) = 0;

protected:
    ~EvaluationView() = default;
};

// The window's presenter for the collector: choosing a type, checking a
// typed value and evaluating. It reads the controls into the state, runs the
// calculation and writes its texts, over the control interfaces, so that the
// same code drives the real widgets and the tests' doubles.
class CollectorPresenter {
public:
    // `view` shows the results as the evaluation's last step.
    CollectorPresenter(model::CollectorState& state, const CollectorControls& controls,
                       const rt::NumberFormat& format, EvaluationView& view);

    // The start of the window's load: the coefficient boxes disabled, the
    // list filled, the start row selected (which runs its Click procedure),
    // then the start coefficients and area stored and shown in the boxes.
    // The caller writes the slider captions and runs the evaluation.
    void startUp();
    // A row of the collector-type list was chosen, by the user or by code.
    void collectorTypeChosen();
    // The evaluation: the sliders' values stored, then evaluateStored().
    void evaluate();
    // The evaluation at the stored slider values: the characteristic
    // efficiency written, the zero-efficiency x stored, the chart run.
    void evaluateStored();
    // A parameter box lost the focus: check its text, store it, evaluate.
    void entryLeft(model::EntryBox box);
    // A collector taken whole, already within the boxes' ranges: the custom
    // row selected, the values stored and shown as `shown` (η0, a1, a2, area
    // as typed), and one evaluation, which leaves what typing them would.
    void load(const model::Collector& collector, const std::array<QString, 4>& shown);

private:
    void setCoefficientBoxesEnabled(bool enabled);
    [[nodiscard]] rt::TextBox& boxOf(model::EntryBox box) const;

    model::CollectorState& state_;
    CollectorControls controls_;
    const rt::NumberFormat& format_;
    EvaluationView& view_;
    bool loading_ = false;  // a load selects the custom row without its Click's evaluation
};

}  // namespace ui
