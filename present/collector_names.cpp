#include "collector_names.h"

#include <algorithm>

#include "model/presets.h"

namespace present {
namespace {

QString withCoefficients(QStringView name, QStringView eta0Text, QStringView a1Text,
                         QStringView a2Text) {
    return QStringLiteral("%1 (η0 %2; a1 %3; a2 %4)").arg(name, eta0Text, a1Text, a2Text);
}

}  // namespace

QString customCollectorName(QStringView eta0Text, QStringView a1Text, QStringView a2Text) {
    constexpr const model::CollectorType& custom = model::kCollectorTypes.back();
    static_assert(custom.typedCoefficients);
    return withCoefficients(custom.name, eta0Text, a1Text, a2Text);
}

QString keptName(std::span<const model::KeptCollector> kept, const QString& name,
                 QStringView eta0Text, QStringView a1Text, QStringView a2Text) {
    const bool taken = std::ranges::any_of(
        kept, [&](const model::KeptCollector& other) { return other.name == name; });
    return taken ? withCoefficients(name, eta0Text, a1Text, a2Text) : name;
}

}  // namespace present
