#include "calculation.h"

#include <algorithm>

#include "runtime/checked.h"

namespace model {
namespace {

using rt::checkedDiv;
using rt::checkedMul;
using rt::Currency;
using rt::Integer;

// Room for the points up to `end`, without making room for more than a
// chart shows.
std::size_t expectedPoints(double end) {
    constexpr double kMostReserved = 4096;
    return static_cast<std::size_t>(std::clamp(end / kCurveStep + 2, 1.0, kMostReserved));
}

Curve curveOf(const Collector& collector, Integer irradiance, double expectedEnd,
              std::optional<double> endX) {
    Curve curve;
    curve.points.reserve(expectedPoints(expectedEnd));
    try {
        const EfficiencyCurve equation(collector.eta0, collector.a1, collector.a2, irradiance);
        Currency eta;
        double x = 0;
        for (Integer k{0}; curve.points.empty() || (eta > Currency() && !(endX && x > *endX));
             k = k + Integer{1}) {
            x = checkedMul(kCurveStep, k.toDouble());
            eta = equation.at(x);
            curve.points.push_back({x, eta});
        }
    } catch (const rt::RuntimeError& error) {
        curve.error = error.kind();
    }
    return curve;
}

Reached<Currency> zeroOf(const Collector& collector, Integer irradiance) {
    return Reached<Currency>::of([&] {
        return zeroEfficiencyX(
            EfficiencyCurve(collector.eta0, collector.a1, collector.a2, irradiance));
    });
}

OperatingRule ruleAt(Currency curveEta, Currency operatingX) {
    OperatingRule rule{};
    if (operatingX <= Currency()) {
        rule = OperatingRule::OpticalEfficiency;
    }
    if (curveEta <= Currency()) {
        rule = OperatingRule::BeyondZero;
    }
    if (curveEta > Currency() && operatingX > Currency()) {
        rule = OperatingRule::OnCurve;
    }
    return rule;
}

OperatingPoint operatingPointAt(const Collector& collector, const Conditions& conditions,
                                Currency operatingX) {
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
    results.characteristic = Reached<Currency>::of(
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
    results.operatingX = Reached<Currency>::of([&] {
        const Integer difference = conditions.collectorTemp - conditions.ambientTemp;
        return Currency::fromDouble(
            checkedDiv(difference.toDouble(), conditions.irradiance.toDouble()));
    });
    results.operating = results.operatingX.map(
        [&](Currency x) { return operatingPointAt(collector, conditions, x); });
    return results;
}

double thousandthsDown(Currency value) {
    return checkedDiv(value.timesWhole(1000).wholeFloor().toDouble(), 1000.0);
}

double percentTenthsDown(Currency eta) {
    return checkedDiv(eta.timesWhole(1000).wholeFloor().toDouble(), 10.0);
}

Currency wattsDown(Currency watts) {
    return watts.wholeFloor();
}

bool showsNoEfficiency(const OperatingPoint& point) {
    return point.eta.timesWhole(1000).wholeFloor() == Currency();
}

}  // namespace model
