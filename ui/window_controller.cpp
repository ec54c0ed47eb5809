#include "window_controller.h"

#include <algorithm>

#include "model/presets.h"
#include "present/entry_messages.h"

namespace ui {

using model::EntryBox;
using model::Inputs;

WindowController::WindowController(const CollectorControls& controls,
                                   const rt::NumberFormat& format, WindowPresenter& presenter)
    : controls_(controls), format_(format), presenter_(presenter) {}

void WindowController::startUp() {
    setCoefficientBoxesEnabled(false);
    for (const model::CollectorType& type : model::kCollectorTypes) {
        controls_.collectorType.addItem(type.name.toString());
    }
    controls_.collectorType.setListIndex(rt::Int16{model::kStartRow});

    const model::StartCoefficients& start = model::kStartCoefficients;
    inputs_ = inputs_.with(&Inputs::eta0, start.eta0)
                  .with(&Inputs::a1, start.a1)
                  .with(&Inputs::a2, start.a2)
                  .with(&Inputs::collectorArea, start.collectorArea);
    // Show the coefficients the results are computed from, not the preset
    // that the selection above wrote into the disabled boxes.
    showCoefficients();
}

std::optional<WindowView> WindowController::collectorTypeChosen() {
    setCoefficientBoxesEnabled(false);
    const int row = controls_.collectorType.listIndex().value();
    if (row >= 0 && row < static_cast<int>(model::kCollectorTypes.size())) {
        const model::CollectorType& type = model::kCollectorTypes[static_cast<std::size_t>(row)];
        if (loading_) {
            setCoefficientBoxesEnabled(type.typedCoefficients);
            return std::nullopt;
        }
        inputs_ = inputs_.with(&Inputs::eta0, type.eta0)
                      .with(&Inputs::a1, type.a1)
                      .with(&Inputs::a2, type.a2);
        if (type.typedCoefficients) {
            setCoefficientBoxesEnabled(true);
        }
    }
    showCoefficients();
    return evaluate();
}

WindowView WindowController::evaluate() {
    inputs_ = inputs_.with(&Inputs::collectorTemp, controls_.collectorTempSlider.value())
                  .with(&Inputs::ambientTemp, controls_.ambientTempSlider.value())
                  .with(&Inputs::irradiance, controls_.irradianceSlider.value());
    return presenter_.evaluation(inputs_);
}

WindowView WindowController::redrawChart() {
    return presenter_.chartRun(inputs_);
}

WindowView WindowController::entryLeft(EntryBox box) {
    rt::TextBox& textBox = boxOf(box);
    const model::EntryRule& rule = model::ruleFor(box);
    const model::EntryVerdict verdict = model::checkEntry(textBox.text(), rule, format_);
    if (verdict != model::EntryVerdict::Accepted) {
        controls_.messageBox.show(present::refusal(verdict, box).toString(),
                                  rt::MessageBox::kWarningOk, present::kEntryTitle.toString());
        textBox.setText(format_.text(inputs_.*rule.field));
    }
    // After a warning this reads back the stored value just written.
    inputs_ = inputs_.with(rule.field, format_.toFixed4(textBox.text()));
    return evaluate();
}

WindowView WindowController::sliderMoved(rt::Int16 Inputs::*variable, rt::Int16 value,
                                         bool reshapesCurve) {
    inputs_ = inputs_.with(variable, value);
    return reshapesCurve ? presenter_.evaluation(inputs_) : presenter_.chartRun(inputs_);
}

WindowView WindowController::load(const model::Collector& collector,
                                  const std::array<QString, 4>& shown) {
    const auto custom =
        std::find_if(model::kCollectorTypes.begin(), model::kCollectorTypes.end(),
                     [](const model::CollectorType& t) { return t.typedCoefficients; });
    loading_ = true;
    controls_.collectorType.setListIndex(
        rt::Int16::checked(custom - model::kCollectorTypes.begin()));
    loading_ = false;
    inputs_ = inputs_.with(&Inputs::eta0, collector.eta0)
                  .with(&Inputs::a1, collector.a1)
                  .with(&Inputs::a2, collector.a2)
                  .with(&Inputs::collectorArea, collector.area);
    for (const EntryBox box :
         {EntryBox::Eta0, EntryBox::A1, EntryBox::A2, EntryBox::CollectorArea}) {
        boxOf(box).setText(shown[static_cast<std::size_t>(box)]);
    }
    return evaluate();
}

model::KeepOutcome WindowController::keep(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1,
                                          rt::Fixed4 a2) {
    Inputs next = inputs_;
    const model::KeepOutcome outcome = next.comparison.keep(name, eta0, a1, a2);
    inputs_ = next;
    return outcome;
}

void WindowController::forgetKept() {
    inputs_ = inputs_.with(&Inputs::comparison, model::Comparison());
}

model::CollectorState WindowController::state() const {
    model::CollectorState state;
    static_cast<Inputs&>(state) = inputs_;
    state.zeroEfficiencyX = presenter_.zeroEfficiencyX();
    state.operatingX = presenter_.operatingX();
    return state;
}

void WindowController::showCoefficients() {
    controls_.eta0Box.setText(format_.text(inputs_.eta0));
    controls_.a1Box.setText(format_.text(inputs_.a1));
    controls_.a2Box.setText(format_.text(inputs_.a2));
}

void WindowController::setCoefficientBoxesEnabled(bool enabled) {
    controls_.eta0Box.setEnabled(enabled);
    controls_.a1Box.setEnabled(enabled);
    controls_.a2Box.setEnabled(enabled);
}

rt::TextBox& WindowController::boxOf(EntryBox box) const {
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
