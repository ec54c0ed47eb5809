// Start-up: the load procedure of the window.
#include "efficiency_window.h"
#include "model/presets.h"

namespace ui {

void Efficiency::loadForm() {
    const Controls& c = controls_;
    c.eta0Box->setEnabled(false);
    c.a1Box->setEnabled(false);
    c.a2Box->setEnabled(false);
    for (const model::CollectorType& type : model::kCollectorTypes) {
        c.collectorType->addItem(type.name.toString());
    }
    c.collectorType->setListIndex(rt::Integer{model::kStartRow});

    state_.eta0 = model::kStartCoefficients.eta0;
    state_.a1 = model::kStartCoefficients.a1;
    state_.a2 = model::kStartCoefficients.a2;
    state_.collectorArea = model::kStartCoefficients.collectorArea;
    // Show the coefficients the results are computed from, not the preset
    // that the selection above wrote into the disabled boxes.
    c.eta0Box->setText(format_.text(state_.eta0));
    c.a1Box->setText(format_.text(state_.a1));
    c.a2Box->setText(format_.text(state_.a2));

    for (const SliderRow& row : kSliders) {
        (c.*row.valueLabel)
            ->setCaption(format_.text((c.*row.slider)->value()) + row.startUnit.toString());
    }
    evaluate();
}

}  // namespace ui
