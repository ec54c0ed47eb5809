#pragma once

#include <compare>
#include <cstdint>
#include <limits>
#include <string_view>

#include "integer.h"
#include "runtime_error.h"

namespace rt {

// A fixed-point number: a signed 64-bit count of units of 0.0001. Sums,
// differences and products with an Integer are exact; a product of two
// Currency values and every conversion from a double round to four decimals,
// a half to the even neighbour. Results out of range raise the overflow error.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;

    [[nodiscard]] static constexpr Currency fromRaw(std::int64_t units) { return Currency(units); }

    // Exact; the overflow error when the result does not fit.
    [[nodiscard]] static constexpr Currency fromWhole(long long whole) {
        std::int64_t units = 0;
        if (__builtin_mul_overflow(whole, kScale, &units)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Currency(units);
    }

    [[nodiscard]] static constexpr Currency fromInteger(Integer value) {
        return Currency(std::int64_t{value.value()} * kScale);
    }

    // value * 10000 rounded to the nearest unit, computed exactly (not through
    // a rounded double product), a half to the even neighbour.
    [[nodiscard]] static Currency fromDouble(double value);

    // A decimal literal such as "0.65" or "-0.0125", at most four decimals,
    // checked at compile time. For the program's own constants.
    [[nodiscard]] static consteval Currency literal(std::string_view text);

    [[nodiscard]] constexpr std::int64_t raw() const { return units_; }
    [[nodiscard]] double toDouble() const { return static_cast<double>(units_) / kScale; }

    // The greatest whole number not above this value (the Int function).
    [[nodiscard]] constexpr Currency wholeFloor() const {
        std::int64_t whole = units_ / kScale;
        if (units_ % kScale < 0) {
            --whole;
        }
        return fromWhole(whole);
    }

    friend constexpr Currency operator+(Currency a, Currency b) {
        std::int64_t r = 0;
        if (__builtin_add_overflow(a.units_, b.units_, &r)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Currency(r);
    }
    friend constexpr Currency operator-(Currency a, Currency b) {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(a.units_, b.units_, &r)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Currency(r);
    }
    friend constexpr Currency operator*(Currency a, Integer b) { return a.timesWhole(b.value()); }
    friend constexpr Currency operator*(Integer a, Currency b) { return b.timesWhole(a.value()); }
    friend Currency operator*(Currency a, Currency b);

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

    // Multiplication by a plain whole-number constant (1000 * d, 4050 * eta).
    [[nodiscard]] constexpr Currency timesWhole(long long factor) const {
        std::int64_t r = 0;
        if (__builtin_mul_overflow(units_, factor, &r)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        return Currency(r);
    }

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}

    // The same conversion through 128-bit integers, for the halves.
    [[nodiscard]] static Currency exactFromDouble(double value);

    std::int64_t units_ = 0;
};

consteval Currency Currency::literal(std::string_view text) {
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
    return Currency(negative ? -units : units);
}

}  // namespace rt
