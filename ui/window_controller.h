#pragma once

#include <QString>
#include <array>
#include <optional>

#include "model/calculation.h"
#include "model/collector_state.h"
#include "model/comparison.h"
#include "model/entry_check.h"
#include "runtime/control_interfaces.h"
#include "runtime/number_text.h"
#include "window_presenter.h"

namespace ui {

// The controls the collector's events read and write. The window says
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
    rt::MessageBox& messageBox;
};

// The window's events, each on one path: the controls read into a new
// inputs value, which the presenter turns into the view the event returns
// for the window to show. The controller holds the inputs and writes to the
// controls only what echoes them: the boxes' texts and enabled state, and a
// refused entry's warning. It works over the control interfaces, so that the
// same code drives the real widgets and the tests' doubles.
class WindowController {
public:
    WindowController(const CollectorControls& controls, const rt::NumberFormat& format,
                     WindowPresenter& presenter);

    // The start of the window's load: the coefficient boxes disabled, the
    // list filled, the start row selected (which runs its Click procedure),
    // then the start coefficients and area stored and shown in the boxes.
    // The caller writes the slider captions and runs the evaluation.
    void startUp();
    // A row of the collector-type list was chosen, by the user or by code:
    // the evaluation, or nothing while a load selects the custom row.
    [[nodiscard]] std::optional<WindowView> collectorTypeChosen();
    // The evaluation: the sliders' values stored, then evaluated.
    [[nodiscard]] WindowView evaluate();
    // The chart at the stored values, without a new evaluation.
    [[nodiscard]] WindowView redrawChart();
    // A parameter box lost the focus: check its text, store it, evaluate.
    [[nodiscard]] WindowView entryLeft(model::EntryBox box);
    // A slider took `value`; its row says whether the curve changes with it.
    [[nodiscard]] WindowView sliderMoved(rt::Int16 model::Inputs::*variable, rt::Int16 value,
                                         bool reshapesCurve);
    // A collector taken whole, already within the boxes' ranges: the custom
    // row selected, the values stored and shown as `shown` (η0, a1, a2, area
    // as typed), and one evaluation, which leaves what typing them would.
    [[nodiscard]] WindowView load(const model::Collector& collector,
                                  const std::array<QString, 4>& shown);
    // Keeps a collector on the chart for comparison; the chart is the
    // caller's to run.
    model::KeepOutcome keep(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2);
    // Forgets every kept collector; the chart is the caller's to run.
    void forgetKept();

    [[nodiscard]] const model::Inputs& inputs() const { return inputs_; }
    // The inputs with the two results the window keeps as stores.
    [[nodiscard]] model::CollectorState state() const;

private:
    void showCoefficients();
    void setCoefficientBoxesEnabled(bool enabled);
    [[nodiscard]] rt::TextBox& boxOf(model::EntryBox box) const;

    CollectorControls controls_;
    const rt::NumberFormat& format_;
    WindowPresenter& presenter_;
    model::Inputs inputs_;
    bool loading_ = false;  // a load selects the custom row without its Click's evaluation
};

}  // namespace ui
