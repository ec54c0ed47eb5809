// The sliders: each keeps its variable and value label in step with its
// value. The temperatures move the operating point only, so they redraw the
// chart; the irradiance reshapes the curve, so it runs the whole evaluation.
#include "efficiency_window.h"

namespace ui {

void Efficiency::HScroll1_Change() {
    state_.collectorTemp = controls_.HScroll1->value();
    controls_.Label9->setCaption(format_.text(controls_.HScroll1->value()) + QStringLiteral("°C"));
    Command2_Click();
}

void Efficiency::HScroll1_Scroll() {
    HScroll1_Change();
}

void Efficiency::HScroll2_Change() {
    state_.ambientTemp = controls_.HScroll2->value();
    controls_.Label10->setCaption(format_.text(controls_.HScroll2->value()) + QStringLiteral("°C"));
    Command2_Click();
}

void Efficiency::HScroll2_Scroll() {
    HScroll2_Change();
}

void Efficiency::HScroll3_Change() {
    state_.irradiance = controls_.HScroll3->value();
    controls_.Label13->setCaption(format_.text(controls_.HScroll3->value()) +
                                  QStringLiteral(" W/m2"));
    Command1_Click();
}

void Efficiency::HScroll3_Scroll() {
    HScroll3_Change();
}

}  // namespace ui
