#pragma once

#include <QStringView>
#include <array>

#include "model/entry_check.h"

namespace present {

// The window's warnings for a refused entry, word for word as the form
// shows them; the command line and the library say the same.
inline constexpr QStringView kEntryTitle = u"HIBÁS ADAT";
inline constexpr QStringView kNotANumberMessage = u"Adjon meg számot!";

// Why a value is outside its box's range, in the boxes' order.
inline constexpr std::array<QStringView, 4> kRangeMessages{{
    u"Az optikai hatásfok 0 és 1 között kell legyen!",
    u"Az elsőfokú paraméter 0.8 és 15 között kell legyen!",
    u"A másodfokú paraméter 0 és 100 között kell legyen!",
    u"A napkollektor felület 0 és 100 között kell legyen!",
}};

[[nodiscard]] constexpr QStringView rangeMessage(model::EntryBox box) {
    return kRangeMessages[static_cast<std::size_t>(box)];
}

// The warning for a refused verdict.
[[nodiscard]] constexpr QStringView refusal(model::EntryVerdict verdict, model::EntryBox box) {
    return verdict == model::EntryVerdict::NotANumber ? kNotANumberMessage : rangeMessage(box);
}

}  // namespace present
