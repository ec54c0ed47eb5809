#pragma once

#include <QStringView>
#include <array>

#include "control_table.h"
#include "model/collector_state.h"
#include "model/entry_check.h"
#include "runtime/int16.h"

// The window's inputs as data: the procedures, the scenario runner and the
// tests go through these lists rather than naming each slider or box.
namespace ui {

// What runs after a slider took its value.
enum class AfterSlider {
    RedrawChart,  // a temperature moves the operating point only
    Evaluate,     // the irradiance reshapes the curve
};

struct SliderRow {
    ScrollBar* Controls::*slider;
    rt::Int16 model::Inputs::*variable;
    Label* Controls::*valueLabel;
    // After the value in the label: start-up writes the first, every change
    // of the slider the second (the temperatures then lose their blank).
    QStringView startUnit;
    QStringView unitAfterChange;
    AfterSlider then;
};

// In the order of the runner's slider numbers 1 to 3.
inline constexpr std::array kSliders{
    SliderRow{&Controls::collectorTempSlider, &model::Inputs::collectorTemp,
              &Controls::collectorTempLabel, u" °C", u"°C", AfterSlider::RedrawChart},
    SliderRow{&Controls::ambientTempSlider, &model::Inputs::ambientTemp,
              &Controls::ambientTempLabel, u" °C", u"°C", AfterSlider::RedrawChart},
    SliderRow{&Controls::irradianceSlider, &model::Inputs::irradiance, &Controls::irradianceLabel,
              u" W/m2", u" W/m2", AfterSlider::Evaluate},
};

struct EntryBoxRow {
    TextBox* Controls::*box;
    model::EntryBox entry;  // its rule in model::kEntryRules
};

// In the order of the runner's box numbers 1 to 4 and of model::kEntryRules.
inline constexpr std::array kEntryBoxes{
    EntryBoxRow{&Controls::eta0Box, model::EntryBox::Eta0},
    EntryBoxRow{&Controls::a1Box, model::EntryBox::A1},
    EntryBoxRow{&Controls::a2Box, model::EntryBox::A2},
    EntryBoxRow{&Controls::areaBox, model::EntryBox::CollectorArea},
};

static_assert([] {
    for (std::size_t k = 0; k < kEntryBoxes.size(); ++k) {
        if (static_cast<std::size_t>(kEntryBoxes[k].entry) != k) {
            return false;
        }
    }
    return kEntryBoxes.size() == model::kEntryRules.size();
}());

}  // namespace ui
