#pragma once

#include <functional>

#include "collector_state.h"
#include "entry_check.h"
#include "runtime/control_interfaces.h"
#include "runtime/number_text.h"

namespace model {

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

// The window's procedures for the collector: choosing a type, checking a
// typed value and evaluating. They run over the control interfaces, so the
// same code drives the real widgets and the tests' doubles.
class CollectorProcedures {
public:
    // `redrawChart` is the chart procedure, run as the evaluation's last step.
    CollectorProcedures(CollectorState& state, const CollectorControls& controls,
                        const rt::NumberFormat& format, std::function<void()> redrawChart);

    // The start of the window's load: the coefficient boxes disabled, the
    // list filled, the start row selected (which runs its Click procedure),
    // then the start coefficients and area stored and shown in the boxes.
    // The caller writes the slider captions and runs the evaluation.
    void startUp();
    // A row of the collector-type list was chosen, by the user or by code.
    void collectorTypeChosen();
    // The evaluation: slider values, characteristic efficiency, the search.
    void evaluate();
    // A parameter box lost the focus: check its text, store it, evaluate.
    void entryLeft(EntryBox box);

private:
    void setCoefficientBoxesEnabled(bool enabled);
    [[nodiscard]] rt::TextBox& boxOf(EntryBox box) const;

    CollectorState& state_;
    CollectorControls controls_;
    const rt::NumberFormat& format_;
    std::function<void()> redrawChart_;
};

}  // namespace model
