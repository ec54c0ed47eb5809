#pragma once

#include "runtime/currency.h"
#include "runtime/integer.h"

// The collector's efficiency equation eta(x) = eta0 - a1*x - a2*G*x², evaluated
// with the rounding the displayed digits depend on.
namespace model {

// Step of the zero-efficiency search and of the chart's curve.
inline constexpr double kCurveStep = 0.001;

// The efficiency curve at one irradiance G. Each loss term is a double
// product rounded to Currency before it is subtracted, so the value is a
// Currency: at x = 0 both terms vanish and the value is exactly eta0.
class EfficiencyCurve {
public:
    EfficiencyCurve(rt::Currency eta0, rt::Currency a1, rt::Currency a2, rt::Integer irradiance);

    [[nodiscard]] rt::Currency at(double x) const;

private:
    rt::Currency eta0_;
    double a1_;
    double irradianceA2_;  // G * a2, an exact Currency product, as a double
};

// The efficiency at x = 0.05 and 800 W/m², cut to three decimals toward
// minus infinity.
[[nodiscard]] double characteristicEfficiency(rt::Currency eta0, rt::Currency a1, rt::Currency a2);

// One search step beyond the first point of the grid 0, 0.001, 0.002, ... at
// which the curve is zero or negative. The grid point is advanced by repeated
// addition, so it carries the rounding of the additions.
[[nodiscard]] rt::Currency zeroEfficiencyX(const EfficiencyCurve& curve);

}  // namespace model
