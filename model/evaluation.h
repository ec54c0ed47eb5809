#pragma once

#include "runtime/fixed4.h"
#include "runtime/int16.h"

// The collector's efficiency equation eta(x) = eta0 - a1*x - a2*G*x². It is
// written three times, once for each use, because each use rounds its terms
// differently and every shown digit depends on that rounding.
namespace model {

// Step of the zero-efficiency search and of the chart's curve.
inline constexpr double kCurveStep = 0.001;

// For the curve and the zero-efficiency search, at one irradiance G. Each
// loss term is a double product rounded to Fixed4 before it is subtracted,
// so the value is a Fixed4: at x = 0 both terms vanish and the value is
// exactly eta0.
class EfficiencyCurve {
public:
    EfficiencyCurve(rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2, rt::Int16 irradiance);

    [[nodiscard]] rt::Fixed4 at(double x) const;
    // Whether both loss terms grow with x, so that the curve never rises.
    [[nodiscard]] bool neverRises() const { return a1_ >= 0 && irradianceA2_ >= 0; }

private:
    rt::Fixed4 eta0_;
    double a1_;
    double irradianceA2_;  // G * a2, an exact Fixed4 product, as a double
};

// For the characteristic efficiency: at x = 0.05 and 800 W/m², with the
// power function's square of 0.05 and a2 · 800 formed in Fixed4 first.
// Shown cut to thousandths (thousandthsDown in calculation.h).
[[nodiscard]] rt::Fixed4 characteristicEfficiency(rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2);

// For the operating point, at the operating x, which is a Fixed4: the linear
// loss is the exact Fixed4 product a1 · x, the quadratic one a double
// product rounded to Fixed4.
[[nodiscard]] rt::Fixed4 operatingEfficiency(rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2,
                                             rt::Int16 irradiance, rt::Fixed4 x);

// One search step beyond the first point of the grid 0, 0.001, 0.002, ... at
// which the curve is zero or negative. The grid point is advanced by repeated
// addition, so it carries the rounding of the additions.
[[nodiscard]] rt::Fixed4 zeroEfficiencyX(const EfficiencyCurve& curve);

}  // namespace model
