#include "fixed4.h"

#include <cmath>

#include "wide.h"

namespace rt {
namespace {

using Wide = Int128;

constexpr Wide kMaxUnits = std::numeric_limits<std::int64_t>::max();
constexpr Wide kMinUnits = std::numeric_limits<std::int64_t>::min();

std::int64_t checkedUnits(Wide units) {
    if (units > kMaxUnits || units < kMinUnits) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    return static_cast<std::int64_t>(units);
}

// numerator / denominator (denominator > 0), rounded half to even.
Wide divideHalfEven(Wide numerator, Wide denominator) {
    Wide quotient = numerator / denominator;  // truncates toward zero
    const Wide remainder = numerator % denominator;
    const Wide twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        quotient += numerator < 0 ? -1 : 1;
    }
    return quotient;
}

}  // namespace

Fixed4 Fixed4::fromDouble(double value) {
    // The double product with 10000 is exact enough unless it lands on a
    // half: every half below 2^52 is a double itself, so no half can lie
    // strictly between the exact product and its nearest double. The
    // evaluation converts thousands of products a run, hence this path.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e11) {
        const double scaled = magnitude * kScale;
        const auto whole = static_cast<std::int64_t>(scaled);
        const double fraction = scaled - static_cast<double>(whole);  // exact
        if (fraction != 0.5) {
            const std::int64_t units = whole + (fraction > 0.5 ? 1 : 0);
            return Fixed4(value < 0 ? -units : units);
        }
    }
    return exactFromDouble(value);
}

Fixed4 Fixed4::exactFromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 0x1p63) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    if (value == 0.0) {
        return Fixed4();
    }
    // value = mantissa * 2^(exponent - 53) with a 53-bit whole mantissa, so
    // value * 10000 = mantissa * 625 * 2^(exponent - 49), exact in 128 bits.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<Wide>(std::ldexp(fraction, 53));
    const Wide scaled = mantissa * 625;
    const int shift = exponent - 49;
    Wide units = 0;
    if (shift >= 0) {
        units = scaled << shift;  // shift <= 14 here, since |value| < 2^63
    } else if (shift > -100) {
        const Wide unit = Wide{1} << -shift;
        units = divideHalfEven(scaled, unit);
    }
    return Fixed4(checkedUnits(value < 0 ? -units : units));
}

Fixed4 operator*(Fixed4 a, Fixed4 b) {
    const Wide product = Wide{a.units_} * b.units_;
    return Fixed4(checkedUnits(divideHalfEven(product, Fixed4::kScale)));
}

}  // namespace rt
