// Start-up: the load procedure of the window.
#include "efficiency_window.h"
#include "model/presets.h"

namespace ui {

void Efficiency::Form_Load() {
    Controls& c = controls_;
    c.Text1->setEnabled(false);
    c.Text2->setEnabled(false);
    c.Text3->setEnabled(false);
    for (const model::CollectorType& type : model::kCollectorTypes) {
        c.Combo1->addItem(type.name.toString());
    }
    c.Combo1->setListIndex(rt::Integer{model::kStartRow});

    state_.eta0 = model::kStartCoefficients.eta0;
    state_.a1 = model::kStartCoefficients.a1;
    state_.a2 = model::kStartCoefficients.a2;
    state_.collectorArea = model::kStartCoefficients.collectorArea;
    // Show the coefficients the results are computed from, not the preset
    // that the selection above wrote into the disabled boxes.
    c.Text1->setText(format_.text(state_.eta0));
    c.Text2->setText(format_.text(state_.a1));
    c.Text3->setText(format_.text(state_.a2));

    c.Label9->setCaption(format_.text(c.HScroll1->value()) + QStringLiteral(" °C"));
    c.Label10->setCaption(format_.text(c.HScroll2->value()) + QStringLiteral(" °C"));
    c.Label13->setCaption(format_.text(c.HScroll3->value()) + QStringLiteral(" W/m2"));
    Command1_Click();
}

}  // namespace ui
