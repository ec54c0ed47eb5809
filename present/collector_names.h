#pragma once

#include <QString>
#include <QStringView>
#include <span>

#include "model/comparison.h"

// The names the window gives collectors it did not take from a list row.
namespace present {

// The custom collector's name from its three boxes' texts, as they stand:
// "Egyedi kollektor (η0 0,5; a1 4; a2 0,01)".
[[nodiscard]] QString customCollectorName(QStringView eta0Text, QStringView a1Text,
                                          QStringView a2Text);

// The name to keep a collector under: its own, or, when a kept collector with
// other coefficients has that name already, the name with the coefficients
// appended as the custom collector's name has them, so that no two legend
// lines read alike: "Szelektív síkkollektor (η0 0,8; a1 4; a2 0,01)".
[[nodiscard]] QString keptName(std::span<const model::KeptCollector> kept, const QString& name,
                               QStringView eta0Text, QStringView a1Text, QStringView a2Text);

}  // namespace present
