#include "comparison.h"

#include <algorithm>

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

}  // namespace model
