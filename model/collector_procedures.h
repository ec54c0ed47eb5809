#pragma once

#include <functional>

#include "collector_state.h"
#include "entry_check.h"
#include "runtime/controls.h"
#include "runtime/number_text.h"

namespace model {

// The controls the collector procedures read and write.
struct CollectorControls {
    rt::ComboBox& Combo1;
    rt::TextBox& Text1;
    rt::TextBox& Text2;
    rt::TextBox& Text3;
    rt::TextBox& Text4;
    rt::ScrollBar& HScroll1;
    rt::ScrollBar& HScroll2;
    rt::ScrollBar& HScroll3;
    rt::Label& Label1;
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

    // A row of Combo1 was chosen, by the user or by code.
    void Combo1_Click();
    // The evaluation: slider values, characteristic efficiency, the search.
    void Command1_Click();
    // Text1_LostFocus ... Text4_LostFocus: check, store, evaluate.
    void Text_LostFocus(EntryBox box);

private:
    void setCoefficientBoxesEnabled(bool enabled);
    [[nodiscard]] rt::TextBox& boxOf(EntryBox box) const;

    CollectorState& state_;
    CollectorControls controls_;
    const rt::NumberFormat& format_;
    std::function<void()> redrawChart_;
};

}  // namespace model
