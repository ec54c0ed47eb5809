#pragma once

#include <compare>
#include <cstdint>

#include "runtime_error.h"

namespace rt {

// A signed 16-bit whole number. Every result and conversion that leaves
// -32768 ... 32767 raises the overflow error instead of wrapping.
class Int16 {
public:
    static constexpr int kMin = -32768;
    static constexpr int kMax = 32767;

    constexpr Int16() = default;
    constexpr explicit Int16(std::int16_t value) : value_(value) {}

    // The whole number `value`, or the overflow error.
    [[nodiscard]] static constexpr Int16 checked(long long value) {
        if (value < kMin || value > kMax) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Int16(static_cast<std::int16_t>(value));
    }

    // Rounded to the nearest whole number, a half to the even neighbour.
    [[nodiscard]] static Int16 fromDouble(double value);

    [[nodiscard]] constexpr int value() const { return value_; }
    [[nodiscard]] constexpr double toDouble() const { return value_; }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return checked(a.value_ + b.value_); }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return checked(a.value_ - b.value_); }
    friend constexpr bool operator==(Int16, Int16) = default;
    friend constexpr auto operator<=>(Int16, Int16) = default;

private:
    std::int16_t value_ = 0;
};

}  // namespace rt
