// The sliders: each keeps its variable and value label in step with its
// value. The temperatures move the operating point only, so they redraw the
// chart; the irradiance reshapes the curve, so it runs the whole evaluation.
#include "efficiency_window.h"

namespace ui {

void Efficiency::takeSliderValue(const ScrollBar& slider, rt::Integer& variable, Label& label,
                                 const QString& unit) {
    variable = slider.value();
    label.setCaption(format_.text(slider.value()) + unit);
}

void Efficiency::HScroll1_Change() {
    takeSliderValue(*controls_.HScroll1, state_.collectorTemp, *controls_.Label9,
                    QStringLiteral("°C"));
    Command2_Click();
}

void Efficiency::HScroll1_Scroll() {
    HScroll1_Change();
}

void Efficiency::HScroll2_Change() {
    takeSliderValue(*controls_.HScroll2, state_.ambientTemp, *controls_.Label10,
                    QStringLiteral("°C"));
    Command2_Click();
}

void Efficiency::HScroll2_Scroll() {
    HScroll2_Change();
}

void Efficiency::HScroll3_Change() {
    takeSliderValue(*controls_.HScroll3, state_.irradiance, *controls_.Label13,
                    QStringLiteral(" W/m2"));
    Command1_Click();
}

void Efficiency::HScroll3_Scroll() {
    HScroll3_Change();
}

}  // namespace ui
