// Start-up: the load procedure of the window.
#include "efficiency_window.h"

namespace ui {

void Efficiency::Form_Load() {
    collector_->startUp();
    Controls& c = controls_;
    c.Label9->setCaption(format_.text(c.HScroll1->value()) + QStringLiteral(" °C"));
    c.Label10->setCaption(format_.text(c.HScroll2->value()) + QStringLiteral(" °C"));
    c.Label13->setCaption(format_.text(c.HScroll3->value()) + QStringLiteral(" W/m2"));
    Command1_Click();
}

}  // namespace ui
