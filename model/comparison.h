#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <span>
#include <vector>

#include "runtime/fixed4.h"

// The collectors the user keeps on the chart to compare with the current one.
// They live as long as the window; nothing is saved.
namespace model {

struct KeptCollector {
    QString name;  // a preset's row text, or the custom collector's made-up name
    rt::Fixed4 eta0;
    rt::Fixed4 a1;
    rt::Fixed4 a2;
};

enum class KeepOutcome {
    Kept,
    AlreadyKept,  // a kept collector has the same three coefficients
    Full,         // the chart already holds as many as it can colour
};

class Comparison {
public:
    static constexpr std::size_t kCapacity = 4;

    // Adds the collector after those kept before; does nothing, and says
    // why, when it is kept already or no room is left.
    KeepOutcome keep(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2);
    void forget() { kept_.clear(); }

    // Whether another collector could be kept at all (the menu's enabled state).
    [[nodiscard]] bool canKeep() const { return kept_.size() < kCapacity; }
    // In keeping order.
    [[nodiscard]] std::span<const KeptCollector> kept() const { return kept_; }

private:
    std::vector<KeptCollector> kept_;
};

// The custom collector's name from its three boxes' texts, as they stand:
// "Egyedi kollektor (η0 0,5; a1 4; a2 0,01)".
[[nodiscard]] QString customCollectorName(QStringView eta0Text, QStringView a1Text,
                                          QStringView a2Text);

// The name to keep a collector under: its own, or, when a kept collector with
// other coefficients has that name already, the name with the coefficients
// appended as the custom collector's name has them, so that no two legend
// lines read alike: "Szelektív síkkollektor (η0 0,8; a1 4; a2 0,01)".
[[nodiscard]] QString keptName(std::span<const KeptCollector> kept, const QString& name,
                               QStringView eta0Text, QStringView a1Text, QStringView a2Text);

}  // namespace model
