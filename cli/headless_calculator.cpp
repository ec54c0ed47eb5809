#include "headless_calculator.h"

#include "model/operating_conditions.h"
#include "model/presets.h"

namespace cli {

HeadlessCalculator::HeadlessCalculator(const rt::NumberFormat& format)
    : format_(format),
      // The area box starts with the text the window's box is designed with.
      areaBox_(format.text(model::kStartCoefficients.collectorArea)),
      collectorTempSlider_(model::kCollectorTempRange.start),
      ambientTempSlider_(model::kAmbientTempRange.start),
      irradianceSlider_(model::kIrradianceRange.start),
      chart_(state_,
             {.surface = surface_,
              .operatingXLabel = operatingXLabel_,
              .efficiencyLabel = efficiencyLabel_,
              .outputLabel = outputLabel_,
              .specificOutputLabel = specificOutputLabel_},
             format),
      collector_(state_,
                 {.collectorType = collectorType_,
                  .eta0Box = eta0Box_,
                  .a1Box = a1Box_,
                  .a2Box = a2Box_,
                  .areaBox = areaBox_,
                  .collectorTempSlider = collectorTempSlider_,
                  .ambientTempSlider = ambientTempSlider_,
                  .irradianceSlider = irradianceSlider_,
                  .characteristicEfficiencyLabel = characteristicLabel_,
                  .messageBox = messages_},
                 format, [this] { chart_.redraw(); }) {
    collectorType_.onClick = [this] { collector_.collectorTypeChosen(); };
    // The window's load: the shared start, then the first evaluation. The
    // sliders' captions have no counterpart here.
    collector_.startUp();
    collector_.evaluate();
}

void HeadlessCalculator::chooseType(int row) {
    collectorType_.setListIndex(rt::Integer::checked(row));
}

std::optional<QString> HeadlessCalculator::enter(model::EntryBox box, const QString& text) {
    const qsizetype warningsBefore = messages_.prompts().size();
    boxOf(box).setText(text);
    collector_.entryLeft(box);
    if (messages_.prompts().size() == warningsBefore) {
        return std::nullopt;
    }
    return messages_.prompts().back();
}

void HeadlessCalculator::setConditions(int collectorTemp, int ambientTemp, int irradiance) {
    collectorTempSlider_.setValue(collectorTemp);
    ambientTempSlider_.setValue(ambientTemp);
    irradianceSlider_.setValue(irradiance);
    collector_.evaluate();
}

chart::ShownResults HeadlessCalculator::shown() const {
    return {
        .collectorType = collectorType_.text(),
        .eta0 = eta0Box_.text(),
        .a1 = a1Box_.text(),
        .a2 = a2Box_.text(),
        .collectorArea = areaBox_.text(),
        .collectorTemp = collectorTempSlider_.value().value(),
        .ambientTemp = ambientTempSlider_.value().value(),
        .irradiance = irradianceSlider_.value().value(),
        .characteristic = characteristicLabel_.caption(),
        .operatingX = operatingXLabel_.caption(),
        .efficiency = efficiencyLabel_.caption(),
        .specificOutput = specificOutputLabel_.caption(),
        .output = outputLabel_.caption(),
        .zeroEfficiencyX = chart::zeroEfficiencyXText(state_, format_),
        .kept = {},  // the command line keeps no curves
    };
}

rt::HeadlessTextBox& HeadlessCalculator::boxOf(model::EntryBox box) {
    switch (box) {
        case model::EntryBox::Eta0:
            return eta0Box_;
        case model::EntryBox::A1:
            return a1Box_;
        case model::EntryBox::A2:
            return a2Box_;
        case model::EntryBox::CollectorArea:
            break;
    }
    return areaBox_;
}

}  // namespace cli
