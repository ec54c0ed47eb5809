#pragma once

#include <compare>
#include <cstdint>

#include "runtime_error.h"

namespace rt {

// A signed 16-bit whole number. Every result and conversion that leaves
// -32768 ... 32767 raises the overflow error instead of wrapping.
class Integer {
public:
    static constexpr int kMin = -32768;
    static constexpr int kMax = 32767;

    constexpr Integer() = default;
    constexpr explicit Integer(std::int16_t value) : value_(value) {}

    // The whole number `value`, or the overflow error.
    [[nodiscard]] static constexpr Integer checked(long long value) {
        if (value < kMin || value > kMax) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Integer(static_cast<std::int16_t>(value));
    }

    // Rounded to the nearest whole number, a half to the even neighbour.
    [[nodiscard]] static Integer fromDouble(double value);

    [[nodiscard]] constexpr int value() const { return value_; }
    [[nodiscard]] constexpr double toDouble() const { return value_; }

    friend constexpr Integer operator+(Integer a, Integer b) {
        return checked(a.value_ + b.value_);
    }
    friend constexpr Integer operator-(Integer a, Integer b) {
        return checked(a.value_ - b.value_);
    }
    friend constexpr bool operator==(Integer, Integer) = default;
    friend constexpr auto operator<=>(Integer, Integer) = default;

private:
    std::int16_t value_ = 0;
};

}  // namespace rt
