#pragma once

#include <QStringView>
#include <array>

#include "collector_state.h"
#include "runtime/number_text.h"

namespace model {

// The four parameter boxes, in the window's order.
enum class EntryBox { Eta0, A1, A2, CollectorArea };

// The open range a box admits; its wording is the presentation's.
struct EntryRule {
    rt::Fixed4 Inputs::*field;
    double lower;  // exclusive
    double upper;  // exclusive
};

inline constexpr std::array<EntryRule, 4> kEntryRules{{
    {&Inputs::eta0, 0.0, 1.0},
    {&Inputs::a1, 0.8, 15.0},
    {&Inputs::a2, 0.0, 100.0},
    {&Inputs::collectorArea, 0.0, 100.0},
}};

[[nodiscard]] constexpr const EntryRule& ruleFor(EntryBox box) {
    return kEntryRules[static_cast<std::size_t>(box)];
}

enum class EntryVerdict { Accepted, NotANumber, OutOfRange };

// Whether a typed text may be stored. The range test reads the text as a
// double; the value stored is the text read as Fixed4, which may round onto
// a bound (0,99999 is accepted and stored as 1).
[[nodiscard]] EntryVerdict checkEntry(QStringView text, const EntryRule& rule,
                                      const rt::NumberFormat& format);

}  // namespace model
