#include "collector_procedures.h"

#include <utility>

#include "evaluation.h"
#include "presets.h"

namespace model {

CollectorProcedures::CollectorProcedures(CollectorState& state, const CollectorControls& controls,
                                         const rt::NumberFormat& format,
                                         std::function<void()> redrawChart)
    : state_(state), controls_(controls), format_(format), redrawChart_(std::move(redrawChart)) {}

void CollectorProcedures::Combo1_Click() {
    setCoefficientBoxesEnabled(false);
    const int row = controls_.Combo1.listIndex().value();
    if (row >= 0 && row < static_cast<int>(kCollectorTypes.size())) {
        const CollectorType& type = kCollectorTypes[static_cast<std::size_t>(row)];
        state_.eta0 = type.eta0;
        state_.a1 = type.a1;
        state_.a2 = type.a2;
        if (type.typedCoefficients) {
            setCoefficientBoxesEnabled(true);
        }
    }
    controls_.Text1.setText(format_.text(state_.eta0));
    controls_.Text2.setText(format_.text(state_.a1));
    controls_.Text3.setText(format_.text(state_.a2));
    Command1_Click();
}

void CollectorProcedures::Command1_Click() {
    state_.collectorTemp = controls_.HScroll1.value();
    state_.ambientTemp = controls_.HScroll2.value();
    state_.irradiance = controls_.HScroll3.value();
    controls_.Label1.setCaption(
        format_.text(characteristicEfficiency(state_.eta0, state_.a1, state_.a2)));
    state_.stagnationX =
        zeroEfficiencyX(EfficiencyCurve(state_.eta0, state_.a1, state_.a2, state_.irradiance));
    redrawChart_();
}

void CollectorProcedures::Text_LostFocus(EntryBox box) {
    rt::TextBox& textBox = boxOf(box);
    const EntryRule& rule = ruleFor(box);
    rt::Currency& stored = state_.*rule.field;
    const EntryVerdict verdict = checkEntry(textBox.text(), rule, format_);
    if (verdict != EntryVerdict::Accepted) {
        const QStringView prompt =
            verdict == EntryVerdict::NotANumber ? kNotANumberMessage : rule.rangeMessage;
        controls_.messageBox.show(prompt.toString(), rt::MessageBox::kWarningOk,
                                  kEntryTitle.toString());
        textBox.setText(format_.text(stored));
    }
    // After a warning this reads back the stored value just written.
    stored = format_.toCurrency(textBox.text());
    Command1_Click();
}

void CollectorProcedures::setCoefficientBoxesEnabled(bool enabled) {
    controls_.Text1.setEnabled(enabled);
    controls_.Text2.setEnabled(enabled);
    controls_.Text3.setEnabled(enabled);
}

rt::TextBox& CollectorProcedures::boxOf(EntryBox box) const {
    switch (box) {
        case EntryBox::Eta0:
            return controls_.Text1;
        case EntryBox::A1:
            return controls_.Text2;
        case EntryBox::A2:
            return controls_.Text3;
        case EntryBox::CollectorArea:
            return controls_.Text4;
    }
    return controls_.Text4;
}

}  // namespace model
