#pragma once

#include <compare>
#include <cstdint>
#include <limits>
#include <string_view>

#include "int16.h"
#include "runtime_error.h"

namespace rt {

// A fixed-point number: a signed 64-bit count of units of 0.0001. Sums,
// differences and products with an Int16 are exact; a product of two
// Fixed4 values and every conversion from a double round to four decimals,
// a half to the even neighbour. Results out of range raise the overflow error.
class Fixed4 {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Fixed4() = default;

    [[nodiscard]] static constexpr Fixed4 fromRaw(std::int64_t units) { return Fixed4(units); }

    // Exact; the overflow error when the result does not fit.
    [[nodiscard]] static constexpr Fixed4 fromWhole(long long whole) {
        std::int64_t units = 0;
        if (__builtin_mul_overflow(whole, kScale, &units)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Fixed4(units);
    }

    [[nodiscard]] static constexpr Fixed4 fromInt16(Int16 value) {
        return Fixed4(std::int64_t{value.value()} * kScale);
    }

    // value * 10000 rounded to the nearest unit, computed exactly (not through
    // a rounded double product), a half to the even neighbour.
    [[nodiscard]] static Fixed4 fromDouble(double value);

    // A decimal literal such as "0.65" or "-0.0125", at most four decimals,
    // checked at compile time. For the program's own constants.
    [[nodiscard]] static consteval Fixed4 literal(std::string_view text);

    [[nodiscard]] constexpr std::int64_t raw() const { return units_; }
    [[nodiscard]] double toDouble() const { return static_cast<double>(units_) / kScale; }

    // The greatest whole number not above this value (the Int function).
    [[nodiscard]] constexpr Fixed4 wholeFloor() const {
        std::int64_t whole = units_ / kScale;
        if (units_ % kScale < 0) {
            --whole;
        }
        return fromWhole(whole);
    }

    friend constexpr Fixed4 operator+(Fixed4 a, Fixed4 b) {
        std::int64_t r = 0;
        if (__builtin_add_overflow(a.units_, b.units_, &r)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Fixed4(r);
    }
    friend constexpr Fixed4 operator-(Fixed4 a, Fixed4 b) {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(a.units_, b.units_, &r)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Fixed4(r);
    }
    friend constexpr Fixed4 operator*(Fixed4 a, Int16 b) { return a.timesWhole(b.value()); }
    friend constexpr Fixed4 operator*(Int16 a, Fixed4 b) { return b.timesWhole(a.value()); }
    friend Fixed4 operator*(Fixed4 a, Fixed4 b);

    friend constexpr bool operator==(Fixed4, Fixed4) = default;
    friend constexpr auto operator<=>(Fixed4, Fixed4) = default;

    // Multiplication by a plain whole-number constant (1000 * d, 4050 * eta).
    [[nodiscard]] constexpr Fixed4 timesWhole(long long factor) const {
        std::int64_t r = 0;
        if (__builtin_mul_overflow(units_, factor, &r)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Fixed4(r);
    }

private:
    constexpr explicit Fixed4(std::int64_t units) : units_(units) {}

    // The same conversion through 128-bit integers, for the halves.
    [[nodiscard]] static Fixed4 exactFromDouble(double value);

    std::int64_t units_ = 0;
};

consteval Fixed4 Fixed4::literal(std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::int64_t units = 0;
    int decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            if (decimals >= 0) {
                throw "two decimal points";
            }
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') {
            throw "not a decimal literal";
        }
        units = units * 10 + (c - '0');
        if (decimals >= 0 && ++decimals > 4) {
            throw "more than four decimals";
        }
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) {
        units *= 10;
    }
    return Fixed4(negative ? -units : units);
}

}  // namespace rt
