#include "collector_procedures.h"

#include <utility>

#include "evaluation.h"
#include "presets.h"

namespace model {

CollectorProcedures::CollectorProcedures(CollectorState& state, const CollectorControls& controls,
                                         const rt::NumberFormat& format,
                                         std::function<void()> redrawChart)
    : state_(state), controls_(controls), format_(format), redrawChart_(std::move(redrawChart)) {}

void CollectorProcedures::startUp() {
    setCoefficientBoxesEnabled(false);
    for (const CollectorType& type : kCollectorTypes) {
        controls_.collectorType.addItem(type.name.toString());
    }
    controls_.collectorType.setListIndex(rt::Integer{kStartRow});

    state_.eta0 = kStartCoefficients.eta0;
    state_.a1 = kStartCoefficients.a1;
    state_.a2 = kStartCoefficients.a2;
    state_.collectorArea = kStartCoefficients.collectorArea;
    // Show the coefficients the results are computed from, not the preset
    // that the selection above wrote into the disabled boxes.
    controls_.eta0Box.setText(format_.text(state_.eta0));
    controls_.a1Box.setText(format_.text(state_.a1));
    controls_.a2Box.setText(format_.text(state_.a2));
}

void CollectorProcedures::collectorTypeChosen() {
    setCoefficientBoxesEnabled(false);
    const int row = controls_.collectorType.listIndex().value();
    if (row >= 0 && row < static_cast<int>(kCollectorTypes.size())) {
        const CollectorType& type = kCollectorTypes[static_cast<std::size_t>(row)];
        state_.eta0 = type.eta0;
        state_.a1 = type.a1;
        state_.a2 = type.a2;
        if (type.typedCoefficients) {
            setCoefficientBoxesEnabled(true);
        }
    }
    controls_.eta0Box.setText(format_.text(state_.eta0));
    controls_.a1Box.setText(format_.text(state_.a1));
    controls_.a2Box.setText(format_.text(state_.a2));
    evaluate();
}

void CollectorProcedures::evaluate() {
    state_.collectorTemp = controls_.collectorTempSlider.value();
    state_.ambientTemp = controls_.ambientTempSlider.value();
    state_.irradiance = controls_.irradianceSlider.value();
    controls_.characteristicEfficiencyLabel.setCaption(
        format_.text(characteristicEfficiency(state_.eta0, state_.a1, state_.a2)));
    state_.stagnationX =
        zeroEfficiencyX(EfficiencyCurve(state_.eta0, state_.a1, state_.a2, state_.irradiance));
    redrawChart_();
}

void CollectorProcedures::entryLeft(EntryBox box) {
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
    evaluate();
}

void CollectorProcedures::setCoefficientBoxesEnabled(bool enabled) {
    controls_.eta0Box.setEnabled(enabled);
    controls_.a1Box.setEnabled(enabled);
    controls_.a2Box.setEnabled(enabled);
}

rt::TextBox& CollectorProcedures::boxOf(EntryBox box) const {
    switch (box) {
        case EntryBox::Eta0:
            return controls_.eta0Box;
        case EntryBox::A1:
            return controls_.a1Box;
        case EntryBox::A2:
            return controls_.a2Box;
        case EntryBox::CollectorArea:
            return controls_.areaBox;
    }
    return controls_.areaBox;
}

}  // namespace model
