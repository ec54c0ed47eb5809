#include "evaluation.h"

#include <cmath>

#include "runtime/checked.h"

namespace model {

using rt::checkedMul;
using rt::Currency;
using rt::Integer;

EfficiencyCurve::EfficiencyCurve(Currency eta0, Currency a1, Currency a2, Integer irradiance)
    : eta0_(eta0), a1_(a1.toDouble()), irradianceA2_((irradiance * a2).toDouble()) {}

Currency EfficiencyCurve::at(double x) const {
    const Currency linearLoss = Currency::fromDouble(checkedMul(a1_, x));
    const Currency quadraticLoss =
        Currency::fromDouble(checkedMul(irradianceA2_, checkedMul(x, x)));
    return (eta0_ - linearLoss) - quadraticLoss;
}

Currency characteristicEfficiency(Currency eta0, Currency a1, Currency a2) {
    constexpr double kReferenceX = 0.05;
    constexpr Integer kReferenceIrradiance{800};
    // The power function's square of 0.05, slightly above 0.0025.
    static const double referenceXSquared = std::pow(kReferenceX, 2.0);

    const Currency p = a2 * kReferenceIrradiance;
    const Currency q2 = Currency::fromDouble(checkedMul(referenceXSquared, p.toDouble()));
    const Currency q1 = Currency::fromDouble(checkedMul(a1.toDouble(), kReferenceX));
    return (eta0 - q1) - q2;
}

Currency operatingEfficiency(Currency eta0, Currency a1, Currency a2, Integer irradiance,
                             Currency x) {
    const Currency linearLoss = a1 * x;
    const double xd = x.toDouble();
    const Currency quadraticLoss =
        Currency::fromDouble(checkedMul((irradiance * a2).toDouble(), checkedMul(xd, xd)));
    return (eta0 - linearLoss) - quadraticLoss;
}

Currency zeroEfficiencyX(const EfficiencyCurve& curve) {
    double x = 0.0;
    Currency y;
    do {
        y = curve.at(x);
        x += kCurveStep;
    } while (y > Currency());
    return Currency::fromDouble(x);
}

}  // namespace model
