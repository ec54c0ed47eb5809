#include "chart_procedures.h"

#include <QString>

#include "model/evaluation.h"
#include "runtime/checked.h"
#include "runtime/integer.h"

namespace chart {
namespace {

using rt::checkedDiv;
using rt::checkedMul;
using rt::Currency;
using rt::Integer;

// Geometry in twips of the surface's inner area; whole numbers, exact both
// as float and as double.
constexpr float kOriginX = 500;   // x = 0 of the horizontal scale, and the y axis
constexpr float kOriginY = 4150;  // efficiency 0, and the x axis
constexpr Currency kOriginYExact = Currency::literal("4150");
constexpr float kScaleEndX = 7500;  // x = stagnationX
constexpr double kScaleWidth = 7000;
constexpr long long kScaleHeight = 4050;  // efficiency 1.0
constexpr float kYAxisTop = 100;
constexpr float kYAxisBottom = 4500;
constexpr float kXAxisLeft = 300;
constexpr float kXAxisRight = 7800;
constexpr float kRepaintXAxisRight = 7700;
constexpr float kTickLength = 100;
constexpr double kTickTextOffset = 150;  // an x value starts left of its tick
constexpr float kXTickTextY = 4300;
constexpr float kYTickTextX = 100;
constexpr double kYTickTextRise = 100;

constexpr double kEtaTickStep = 0.1;

constexpr rt::Color kBlack = rt::rgb(0, 0, 0);
constexpr rt::Color kCurveColor = rt::rgb(250, 0, 0);
constexpr rt::Color kMarkerColor = rt::rgb(0, 200, 0);

constexpr Integer kOne{1};

// The horizontal scale counts in steps that suit the curve's extent.
double horizontalTickStep(Currency stagnationX) {
    if (stagnationX < Currency::literal("0.08")) {
        return 0.01;
    }
    if (stagnationX < Currency::literal("0.25")) {
        return 0.02;
    }
    return 0.05;
}

// X(v): the reduced temperature difference v in twips.
double chartX(double v, Currency stagnationX) {
    return kOriginX + checkedDiv(checkedMul(kScaleWidth, v), stagnationX.toDouble());
}

// Y(eta) for a tick value.
double chartY(double eta) {
    return kOriginY - checkedMul(static_cast<double>(kScaleHeight), eta);
}

// Y(eta) for an efficiency of the model: exact in Currency.
Currency chartY(Currency eta) {
    return kOriginYExact - eta.timesWhole(kScaleHeight);
}

float single(double value) {
    return static_cast<float>(value);
}

// Through the double, which at chart magnitudes is exact far below a float's
// precision, so this is the float nearest the Currency value.
float single(Currency value) {
    return static_cast<float>(value.toDouble());
}

float single(Integer value) {
    return static_cast<float>(value.value());
}

// Int(1000 * v) / 1000: cut to three decimals toward minus infinity.
double thousandthsDown(Currency value) {
    return checkedDiv(value.timesWhole(1000).wholeFloor().toDouble(), 1000.0);
}

}  // namespace

ChartProcedures::ChartProcedures(model::CollectorState& state, const ChartControls& controls,
                                 const rt::NumberFormat& format)
    : state_(state), controls_(controls), format_(format) {}

void ChartProcedures::redraw() {
    drawFrame();
    drawHorizontalScale();
    drawVerticalScale();
    drawCurve();
    const Currency operatingEta = computeOperatingPoint();
    const Marker marker = showResults(operatingEta);
    drawMarker(marker);
}

void ChartProcedures::repaint() {
    // Drawn before the full redraw, whose first step clears them again.
    controls_.surface.line(kOriginX, kYAxisTop, kOriginX, kYAxisBottom, kBlack);
    controls_.surface.line(kXAxisLeft, kOriginY, kRepaintXAxisRight, kOriginY, kBlack);
    redraw();
}

void ChartProcedures::drawFrame() {
    rt::Surface& surface = controls_.surface;
    surface.cls();
    surface.setDrawWidth(2);
    surface.line(kOriginX, kYAxisTop, kOriginX, kYAxisBottom, kBlack);
    surface.line(kXAxisLeft, kOriginY, kXAxisRight, kOriginY, kBlack);
}

// Ticks at step, 2 step, ... up to the first at or beyond stagnationX, which
// may lie past the axis or even outside the surface.
void ChartProcedures::drawHorizontalScale() {
    const double step = horizontalTickStep(state_.stagnationX);
    const double end = state_.stagnationX.toDouble();
    for (Integer i = kOne; checkedMul((i - kOne).toDouble(), step) < end; i = i + kOne) {
        const double v = checkedMul(step, i.toDouble());
        const double x = chartX(v, state_.stagnationX);
        controls_.surface.line(single(x), kOriginY, single(x), kOriginY + kTickLength, kBlack);
        printTickValue(x - kTickTextOffset, kXTickTextY, v);
    }
}

// Always ten ticks, 0.1 ... 1.0; the double 3 * 0.1 prints as 0,3 and not
// 0,30000000000000004 because the text keeps 15 digits.
void ChartProcedures::drawVerticalScale() {
    for (Integer i = kOne; checkedMul((i - kOne).toDouble(), kEtaTickStep) < 1.0; i = i + kOne) {
        const double v = checkedMul(kEtaTickStep, i.toDouble());
        const double y = chartY(v);
        controls_.surface.line(kOriginX - kTickLength, single(y), kOriginX, single(y), kBlack);
        printTickValue(kYTickTextX, y - kYTickTextRise, v);
    }
}

void ChartProcedures::printTickValue(double x, double y, double value) {
    rt::Surface& surface = controls_.surface;
    surface.setCurrentX(single(x));
    surface.setCurrentY(single(y));
    surface.setFontName(QString());
    surface.print(value);
}

// Points 0.001 apart in x, at whole twips, joined by segments. The point at
// which the efficiency first reaches zero or less is the last one drawn.
void ChartProcedures::drawCurve() {
    const model::EfficiencyCurve curve(state_.eta0, state_.a1, state_.a2, state_.irradiance);
    Integer k{0};
    Currency eta;
    do {
        const double x = checkedMul(model::kCurveStep, k.toDouble());
        eta = curve.at(x);
        if (k > Integer{0}) {
            state_.prevCurveX = state_.curveX;
            state_.prevCurveY = state_.curveY;
        }
        state_.curveX = Integer::fromDouble(chartX(x, state_.stagnationX));
        // The Currency height is exact in the double, so ties still go to even.
        state_.curveY = Integer::fromDouble(chartY(eta).toDouble());
        if (k > Integer{0}) {
            controls_.surface.line(single(state_.curveX), single(state_.curveY),
                                   single(state_.prevCurveX), single(state_.prevCurveY),
                                   kCurveColor);
        }
        k = k + kOne;
    } while (eta > Currency());
}

// Stores operatingX, shows it cut to three decimals and returns the
// efficiency there.
Currency ChartProcedures::computeOperatingPoint() {
    const Integer difference = state_.collectorTemp - state_.ambientTemp;
    state_.operatingX =
        Currency::fromDouble(checkedDiv(difference.toDouble(), state_.irradiance.toDouble()));
    controls_.operatingXLabel.setCaption(format_.text(thousandthsDown(state_.operatingX)));

    const Currency linearLoss = state_.a1 * state_.operatingX;
    const double x = state_.operatingX.toDouble();
    const Currency quadraticLoss = Currency::fromDouble(
        checkedMul((state_.irradiance * state_.a2).toDouble(), checkedMul(x, x)));
    return (state_.eta0 - linearLoss) - quadraticLoss;
}

// The tests are made in this order and a later one that holds overwrites an
// earlier one; at least one always holds.
ChartProcedures::Marker ChartProcedures::showResults(Currency operatingEta) {
    Marker marker{};
    if (state_.operatingX <= Currency()) {
        // Not warmer than the surroundings: no heat loss, the optical efficiency.
        marker = showEfficiency(kOriginX, state_.eta0);
    }
    if (operatingEta <= Currency()) {
        marker = {kScaleEndX, kOriginYExact};
        controls_.efficiencyLabel.setCaption(QStringLiteral("0 %"));
        controls_.outputLabel.setCaption(QStringLiteral("0 W"));
        controls_.specificOutputLabel.setCaption(QStringLiteral("0 W/m2"));
    }
    if (operatingEta > Currency() && state_.operatingX > Currency()) {
        marker =
            showEfficiency(chartX(state_.operatingX.toDouble(), state_.stagnationX), operatingEta);
    }
    return marker;
}

// Efficiency in percent, output and specific output, each cut toward minus
// infinity; the marker at the efficiency's height.
ChartProcedures::Marker ChartProcedures::showEfficiency(double markerX, Currency eta) {
    const Currency specificOutput = state_.irradiance * eta;
    const double percent = checkedDiv(eta.timesWhole(1000).wholeFloor().toDouble(), 10.0);
    controls_.efficiencyLabel.setCaption(format_.text(percent) + QStringLiteral(" %"));
    controls_.outputLabel.setCaption(
        format_.text((specificOutput * state_.collectorArea).wholeFloor()) + QStringLiteral(" W"));
    controls_.specificOutputLabel.setCaption(format_.text(specificOutput.wholeFloor()) +
                                             QStringLiteral(" W/m2"));
    return {markerX, chartY(eta)};
}

// From the x axis up to the operating point, then across to the y axis.
void ChartProcedures::drawMarker(const Marker& marker) {
    const float x = single(marker.x);
    const float y = single(marker.y);
    controls_.surface.line(x, kOriginY, x, y, kMarkerColor);
    controls_.surface.line(x, y, kOriginX, y, kMarkerColor);
}

}  // namespace chart
