// Start-up: the load procedure of the window.
#include "efficiency_window.h"

namespace ui {

void Efficiency::loadForm() {
    collector_->startUp();
    const Controls& c = controls_;
    for (const SliderRow& row : kSliders) {
        (c.*row.valueLabel)
            ->setCaption(format_.text((c.*row.slider)->value()) + row.startUnit.toString());
    }
    evaluate();
}

}  // namespace ui
