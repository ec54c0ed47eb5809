#include "calculation.h"

#include <algorithm>

#include "runtime/checked.h"

namespace model {
namespace {

using rt::checkedDiv;
using rt::checkedMul;
using rt::Fixed4;
using rt::Int16;

// Room for the points up to `end`, without making room for more than a
// chart shows.
std::size_t expectedPoints(double end) {
    constexpr double kMostReserved = 4096;
    return static_cast<std::size_t>(std::clamp(end / kCurveStep + 2, 1.0, kMostReserved));
}

Curve curveOf(const Collector& collector, Int16 irradiance, double expectedEnd,
              std::optional<double> endX) {
    Curve curve;
    curve.points.reserve(expectedPoints(expectedEnd));
    try {
        const EfficiencyCurve equation(collector.eta0, collector.a1, collector.a2, irradiance);
        Fixed4 eta;
        double x = 0;
        for (Int16 k{0}; curve.points.empty() || (eta > Fixed4() && !(endX && x > *endX));
             k = k + Int16{1}) {
            x = checkedMul(kCurveStep, k.toDouble());
            eta = equation.at(x);
            curve.points.push_back({x, eta});
        }
    } catch (const rt::RuntimeError& error) {
        curve.error = error.kind();
    }
    return curve;
}

Reached<Fixed4> zeroOf(const Collector& collector, Int16 irradiance) {
    return Reached<Fixed4>::of([&] {
        return zeroEfficiencyX(
            EfficiencyCurve(collector.eta0, collector.a1, collector.a2, irradiance));
    });
}

OperatingRule ruleAt(Fixed4 curveEta, Fixed4 operatingX) {
    OperatingRule rule{};
    if (operatingX <= Fixed4()) {
        rule = OperatingRule::OpticalEfficiency;
    }
    if (curveEta <= Fixed4()) {
        rule = OperatingRule::BeyondZero;
    }
    if (curveEta > Fixed4() && operatingX > Fixed4()) {
        rule = OperatingRule::OnCurve;
    }
    return rule;
}

OperatingPoint operatingPointAt(const Collector& collector, const Conditions& conditions,
                                Fixed4 operatingX) {
    OperatingPoint point;
    point.curveEta = operatingEfficiency(collector.eta0, collector.a1, collector.a2,
                                         conditions.irradiance, operatingX);
    point.rule = ruleAt(point.curveEta, operatingX);
    switch (point.rule) {
        case OperatingRule::OpticalEfficiency:
            point.eta = collector.eta0;
            break;
        case OperatingRule::OnCurve:
            point.eta = point.curveEta;
            break;
        case OperatingRule::BeyondZero:
            return point;  // nothing gained: every shown value is 0
    }
    point.specificOutput = conditions.irradiance * point.eta;
    point.output = point.specificOutput * collector.area;
    return point;
}

}  // namespace

Results calculate(const Collector& collector, const Conditions& conditions, const Scope& scope) {
    // Without an end known in advance, room for a typical curve.
    constexpr double kTypicalEnd = 0.25;
    Results results;
    results.characteristic = Reached<Fixed4>::of(
        [&] { return characteristicEfficiency(collector.eta0, collector.a1, collector.a2); });
    double expectedEnd = kTypicalEnd;
    if (scope.zeroEfficiencyX) {
        results.zeroEfficiencyX = zeroOf(collector, conditions.irradiance);
        if (!results.zeroEfficiencyX.error()) {
            expectedEnd = results.zeroEfficiencyX.get().toDouble();
        }
    }
    if (scope.curveEndX) {
        expectedEnd = std::min(expectedEnd, *scope.curveEndX);
    }
    results.curve = curveOf(collector, conditions.irradiance, expectedEnd, scope.curveEndX);
    results.operatingX = Reached<Fixed4>::of([&] {
        const Int16 difference = conditions.collectorTemp - conditions.ambientTemp;
        return Fixed4::fromDouble(
            checkedDiv(difference.toDouble(), conditions.irradiance.toDouble()));
    });
    results.operating = results.operatingX.map(
        [&](Fixed4 x) { return operatingPointAt(collector, conditions, x); });
    return results;
}

double thousandthsDown(Fixed4 value) {
    return checkedDiv(value.timesWhole(1000).wholeFloor().toDouble(), 1000.0);
}

double percentTenthsDown(Fixed4 eta) {
    return checkedDiv(eta.timesWhole(1000).wholeFloor().toDouble(), 10.0);
}

Fixed4 wattsDown(Fixed4 watts) {
    return watts.wholeFloor();
}

bool showsNoEfficiency(const OperatingPoint& point) {
    return point.eta.timesWhole(1000).wholeFloor() == Fixed4();
}

}  // namespace model
