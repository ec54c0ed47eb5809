#include "comparison.h"

#include <algorithm>

#include "presets.h"

namespace model {

KeepOutcome Comparison::keep(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2) {
    const bool known = std::ranges::any_of(kept_, [&](const KeptCollector& kept) {
        return kept.eta0 == eta0 && kept.a1 == a1 && kept.a2 == a2;
    });
    if (known) {
        return KeepOutcome::AlreadyKept;
    }
    if (!canKeep()) {
        return KeepOutcome::Full;
    }
    kept_.push_back({name, eta0, a1, a2});
    return KeepOutcome::Kept;
}

namespace {

QString withCoefficients(QStringView name, QStringView eta0Text, QStringView a1Text,
                         QStringView a2Text) {
    return QStringLiteral("%1 (η0 %2; a1 %3; a2 %4)").arg(name, eta0Text, a1Text, a2Text);
}

}  // namespace

QString customCollectorName(QStringView eta0Text, QStringView a1Text, QStringView a2Text) {
    constexpr const CollectorType& custom = kCollectorTypes.back();
    static_assert(custom.typedCoefficients);
    return withCoefficients(custom.name, eta0Text, a1Text, a2Text);
}

QString keptName(std::span<const KeptCollector> kept, const QString& name, QStringView eta0Text,
                 QStringView a1Text, QStringView a2Text) {
    const bool taken =
        std::ranges::any_of(kept, [&](const KeptCollector& other) { return other.name == name; });
    return taken ? withCoefficients(name, eta0Text, a1Text, a2Text) : name;
}

}  // namespace model
