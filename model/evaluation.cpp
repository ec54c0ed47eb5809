#include "evaluation.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "runtime/checked.h"

namespace model {

using rt::checkedMul;
using rt::Fixed4;
using rt::Int16;

EfficiencyCurve::EfficiencyCurve(Fixed4 eta0, Fixed4 a1, Fixed4 a2, Int16 irradiance)
    : eta0_(eta0), a1_(a1.toDouble()), irradianceA2_((irradiance * a2).toDouble()) {}

Fixed4 EfficiencyCurve::at(double x) const {
    const Fixed4 linearLoss = Fixed4::fromDouble(checkedMul(a1_, x));
    const Fixed4 quadraticLoss = Fixed4::fromDouble(checkedMul(irradianceA2_, checkedMul(x, x)));
    return (eta0_ - linearLoss) - quadraticLoss;
}

Fixed4 characteristicEfficiency(Fixed4 eta0, Fixed4 a1, Fixed4 a2) {
    constexpr double kReferenceX = 0.05;
    constexpr Int16 kReferenceIrradiance{800};
    // The power function's square of 0.05, slightly above 0.0025.
    static const double referenceXSquared = std::pow(kReferenceX, 2.0);

    const Fixed4 p = a2 * kReferenceIrradiance;
    const Fixed4 q2 = Fixed4::fromDouble(checkedMul(referenceXSquared, p.toDouble()));
    const Fixed4 q1 = Fixed4::fromDouble(checkedMul(a1.toDouble(), kReferenceX));
    return (eta0 - q1) - q2;
}

Fixed4 operatingEfficiency(Fixed4 eta0, Fixed4 a1, Fixed4 a2, Int16 irradiance, Fixed4 x) {
    const Fixed4 linearLoss = a1 * x;
    const double xd = x.toDouble();
    const Fixed4 quadraticLoss =
        Fixed4::fromDouble(checkedMul((irradiance * a2).toDouble(), checkedMul(xd, xd)));
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
Fixed4 steppedZero(const EfficiencyCurve& curve) {
    double x = 0.0;
    Fixed4 y;
    do {
        y = curve.at(x);
        x += kCurveStep;
    } while (y > Fixed4());
    return Fixed4::fromDouble(x);
}

}  // namespace

// With both losses growing with x, the curve never rises, so the first grid
// point at or below zero is found by bisection among the same grid points;
// wherever that cannot be shown, or an evaluation fails, the steps decide.
Fixed4 zeroEfficiencyX(const EfficiencyCurve& curve) {
    const std::array<double, kTabledSteps>& grid = searchGrid();
    if (!curve.neverRises()) {
        return steppedZero(curve);
    }
    try {
        if (curve.at(grid.back()) > Fixed4()) {
            return steppedZero(curve);
        }
        std::size_t above = 0;  // the last point known above zero, or 0 when none is
        std::size_t atOrBelow = grid.size() - 1;
        if (curve.at(0.0) <= Fixed4()) {
            return Fixed4::fromDouble(grid[1]);
        }
        while (atOrBelow - above > 1) {
            const std::size_t middle = above + (atOrBelow - above) / 2;
            (curve.at(grid[middle]) > Fixed4() ? above : atOrBelow) = middle;
        }
        return Fixed4::fromDouble(grid[atOrBelow] + kCurveStep);
    } catch (const rt::RuntimeError&) {
        return steppedZero(curve);
    }
}

}  // namespace model
