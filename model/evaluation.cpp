#include "evaluation.h"

#include <array>
#include <cmath>
#include <cstddef>

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

namespace {

// The grid points as the search reaches them, each the previous one plus
// kCurveStep in double arithmetic; enough for every collector the window
// takes (its zero lies below x = 1.25).
constexpr std::size_t kTabledSteps = 4096;

const std::array<double, kTabledSteps>& searchGrid() {
    static const std::array<double, kTabledSteps> grid = [] {
        std::array<double, kTabledSteps> xs{};
        double x = 0.0;
        for (double& point : xs) {
            point = x;
            x += kCurveStep;
        }
        return xs;
    }();
    return grid;
}

// The step-by-step search, which also raises the error the curve raises
// first along the grid.
Currency steppedZero(const EfficiencyCurve& curve) {
    double x = 0.0;
    Currency y;
    do {
        y = curve.at(x);
        x += kCurveStep;
    } while (y > Currency());
    return Currency::fromDouble(x);
}

}  // namespace

// With both losses growing with x, the curve never rises, so the first grid
// point at or below zero is found by bisection among the same grid points;
// wherever that cannot be shown, or an evaluation fails, the steps decide.
Currency zeroEfficiencyX(const EfficiencyCurve& curve) {
    const std::array<double, kTabledSteps>& grid = searchGrid();
    if (!curve.neverRises()) {
        return steppedZero(curve);
    }
    try {
        if (curve.at(grid.back()) > Currency()) {
            return steppedZero(curve);
        }
        std::size_t above = 0;  // the last point known above zero, or 0 when none is
        std::size_t atOrBelow = grid.size() - 1;
        if (curve.at(0.0) <= Currency()) {
            return Currency::fromDouble(grid[1]);
        }
        while (atOrBelow - above > 1) {
            const std::size_t middle = above + (atOrBelow - above) / 2;
            (curve.at(grid[middle]) > Currency() ? above : atOrBelow) = middle;
        }
        return Currency::fromDouble(grid[atOrBelow] + kCurveStep);
    } catch (const rt::RuntimeError&) {
        return steppedZero(curve);
    }
}

}  // namespace model
