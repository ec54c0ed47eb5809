#pragma once

#include "runtime/currency.h"
#include "runtime/integer.h"

// The collector's efficiency equation eta(x) = eta0 - a1*x - a2*G*x². It is
// written three times, once for each use, because each use rounds its terms
// differently and every shown digit depends on that rounding.
namespace model {

// Step of the zero-efficiency search and of the chart's curve.
inline constexpr double kCurveStep = 0.001;

// For the curve and the zero-efficiency search, at one irradiance G. Each
// loss term is a double product rounded to Currency before it is subtracted,
// so the value is a Currency: at x = 0 both terms vanish and the value is
// exactly eta0.
class EfficiencyCurve {
public:
    EfficiencyCurve(rt::Currency eta0, rt::Currency a1, rt::Currency a2, rt::Integer irradiance);

    [[nodiscard]] rt::Currency at(double x) const;
    // Whether both loss terms grow with x, so that the curve never rises.
    [[nodiscard]] bool neverRises() const { return a1_ >= 0 && irradianceA2_ >= 0; }

private:
    rt::Currency eta0_;
    double a1_;
    double irradianceA2_;  // G * a2, an exact Currency product, as a double
};

// For the characteristic efficiency: at x = 0.05 and 800 W/m², with the
// power function's square of 0.05 and a2 · 800 formed in Currency first.
// Shown cut to thousandths (thousandthsDown in calculation.h).
[[nodiscard]] rt::Currency characteristicEfficiency(rt::Currency eta0, rt::Currency a1,
                                                    rt::Currency a2);

// For the operating point, at the operating x, which is a Currency: the linear
// loss is the exact Currency product a1 · x, the quadratic one a double
// product rounded to Currency.
[[nodiscard]] rt::Currency operatingEfficiency(rt::Currency eta0, rt::Currency a1, rt::Currency a2,
                                               rt::Integer irradiance, rt::Currency x);

// One search step beyond the first point of the grid 0, 0.001, 0.002, ... at
// which the curve is zero or negative. The grid point is advanced by repeated
// addition, so it carries the rounding of the additions.
[[nodiscard]] rt::Currency zeroEfficiencyX(const EfficiencyCurve& curve);

}  // namespace model
