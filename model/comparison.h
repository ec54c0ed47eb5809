#pragma once

#include <QString>
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

}  // namespace model
