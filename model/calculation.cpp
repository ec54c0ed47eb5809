#include "calculation.h"

#include "runtime/checked.h"

namespace model {
namespace {

using rt::checkedDiv;
using rt::checkedMul;
using rt::Currency;
using rt::Integer;

Curve curveOf(const Collector& collector, Integer irradiance) {
    Curve curve;
    try {
        const EfficiencyCurve equation(collector.eta0, collector.a1, collector.a2, irradiance);
        Currency eta;
        for (Integer k{0}; curve.points.empty() || eta > Currency(); k = k + Integer{1}) {
            const double x = checkedMul(kCurveStep, k.toDouble());
            eta = equation.at(x);
            curve.points.push_back({x, eta});
        }
    } catch (const rt::RuntimeError& error) {
        curve.error = error.kind();
    }
    return curve;
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

Results calculate(const Collector& collector, const Conditions& conditions) {
    Results results;
    results.characteristic = Reached<Currency>::of(
        [&] { return characteristicEfficiency(collector.eta0, collector.a1, collector.a2); });
    results.zeroEfficiencyX = Reached<Currency>::of([&] {
        return zeroEfficiencyX(
            EfficiencyCurve(collector.eta0, collector.a1, collector.a2, conditions.irradiance));
    });
    results.curve = curveOf(collector, conditions.irradiance);
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
