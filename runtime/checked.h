#pragma once

#include <cmath>

#include "runtime_error.h"

// Floating-point products and quotients that raise a runtime error instead of
// producing an infinity or a NaN, so that no such value ever reaches a caption.
namespace rt {

[[nodiscard]] inline double checkedMul(double a, double b) {
    const double r = a * b;
    if (!std::isfinite(r)) [[unlikely]] {
        throw RuntimeError(ErrorKind::Overflow);
    }
    return r;
}

[[nodiscard]] inline double checkedDiv(double a, double b) {
    const double r = a / b;
    if (!std::isfinite(r)) [[unlikely]] {
        // 0/0 is an invalid operation, reported like an overflow.
        const bool byZero = b == 0.0 && a != 0.0 && std::isfinite(a);
        throw RuntimeError(byZero ? ErrorKind::DivisionByZero : ErrorKind::Overflow);
    }
    return r;
}

}  // namespace rt
