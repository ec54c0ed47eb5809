// The sliders: each keeps its variable and value label in step with its
// value, then runs what its row of kSliders names.
#include "efficiency_window.h"

namespace ui {

void Efficiency::sliderMoved(const SliderRow& row) {
    const ScrollBar& slider = *(controls_.*row.slider);
    state_.*row.variable = slider.value();
    (controls_.*row.valueLabel)
        ->setCaption(format_.text(slider.value()) + row.unitAfterChange.toString());
    switch (row.then) {
        case AfterSlider::RedrawChart:
            redrawChart();
            break;
        case AfterSlider::Evaluate:
            evaluate();
            break;
    }
}

}  // namespace ui
