#include "collector_presenter.h"

#include "present/entry_messages.h"

#include <algorithm>

#include "chart/results.h"
#include "model/presets.h"

namespace ui {

using model::EntryBox;

CollectorPresenter::CollectorPresenter(model::CollectorState& state,
                                       const CollectorControls& controls,
                                       const rt::NumberFormat& format, EvaluationView& view)
    : state_(state), controls_(controls), format_(format), view_(view) {}

void CollectorPresenter::startUp() {
    setCoefficientBoxesEnabled(false);
    for (const model::CollectorType& type : model::kCollectorTypes) {
        controls_.collectorType.addItem(type.name.toString());
    }
    controls_.collectorType.setListIndex(rt::Int16{model::kStartRow});

    state_.eta0 = model::kStartCoefficients.eta0;
    state_.a1 = model::kStartCoefficients.a1;
    state_.a2 = model::kStartCoefficients.a2;
    state_.collectorArea = model::kStartCoefficients.collectorArea;
    // Show the coefficients the results are computed from, not the preset
    // that the selection above wrote into the disabled boxes.
    controls_.eta0Box.setText(format_.text(state_.eta0));
    controls_.a1Box.setText(format_.text(state_.a1));
    controls_.a2Box.setText(format_.text(state_.a2));
}

void CollectorPresenter::collectorTypeChosen() {
    setCoefficientBoxesEnabled(false);
    const int row = controls_.collectorType.listIndex().value();
    if (row >= 0 && row < static_cast<int>(model::kCollectorTypes.size())) {
        const model::CollectorType& type = model::kCollectorTypes[static_cast<std::size_t>(row)];
        if (loading_) {
            setCoefficientBoxesEnabled(type.typedCoefficients);
            return;
        }
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

void CollectorPresenter::evaluate() {
    state_.collectorTemp = controls_.collectorTempSlider.value();
    state_.ambientTemp = controls_.ambientTempSlider.value();
    state_.irradiance = controls_.irradianceSlider.value();
    evaluateStored();
}

void CollectorPresenter::evaluateStored() {
    const model::Results results = model::calculate(state_.collector(), state_.conditions());
    const chart::ResultTexts texts =
        chart::formatResults(results, format_, {.zeroEfficiencyX = false});
    controls_.characteristicEfficiencyLabel.setCaption(texts.characteristic.get());
    state_.zeroEfficiencyX = results.zeroEfficiencyX.get();
    view_.showEvaluation(results, texts);
}

void CollectorPresenter::entryLeft(EntryBox box) {
    rt::TextBox& textBox = boxOf(box);
    const model::EntryRule& rule = model::ruleFor(box);
    rt::Fixed4& stored = state_.*rule.field;
    const model::EntryVerdict verdict = model::checkEntry(textBox.text(), rule, format_);
    if (verdict != model::EntryVerdict::Accepted) {
        controls_.messageBox.show(present::refusal(verdict, box).toString(),
                                  rt::MessageBox::kWarningOk, present::kEntryTitle.toString());
        textBox.setText(format_.text(stored));
    }
    // After a warning this reads back the stored value just written.
    stored = format_.toFixed4(textBox.text());
    evaluate();
}

void CollectorPresenter::load(const model::Collector& collector,
                              const std::array<QString, 4>& shown) {
    const auto custom =
        std::find_if(model::kCollectorTypes.begin(), model::kCollectorTypes.end(),
                     [](const model::CollectorType& t) { return t.typedCoefficients; });
    loading_ = true;
    controls_.collectorType.setListIndex(
        rt::Int16::checked(custom - model::kCollectorTypes.begin()));
    loading_ = false;
    state_.eta0 = collector.eta0;
    state_.a1 = collector.a1;
    state_.a2 = collector.a2;
    state_.collectorArea = collector.area;
    for (const EntryBox box :
         {EntryBox::Eta0, EntryBox::A1, EntryBox::A2, EntryBox::CollectorArea}) {
        boxOf(box).setText(shown[static_cast<std::size_t>(box)]);
    }
    evaluate();
}

void CollectorPresenter::setCoefficientBoxesEnabled(bool enabled) {
    controls_.eta0Box.setEnabled(enabled);
    controls_.a1Box.setEnabled(enabled);
    controls_.a2Box.setEnabled(enabled);
}

rt::TextBox& CollectorPresenter::boxOf(EntryBox box) const {
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

}  // namespace ui
