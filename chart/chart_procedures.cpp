#include "chart_procedures.h"

#include <QString>
#include <vector>

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

// Kept curves end at the first point beyond the x axis' right end.
constexpr Integer kKeptCurveEndX{7800};
constexpr int kKeptCurveWidth = 1;
constexpr int kCurveWidth = 2;

// The legend sits under the curves at the lower left: from just right of the
// y axis' pen, its lines stacked upward from just above the x axis' pen, in
// keeping order, one text line (12 pixels of the 8.25-point surface font)
// apart. Under a falling, concave curve that corner stays free the longest.
constexpr float kLegendX = 540;
constexpr float kLegendBottom = 4130;
constexpr float kLegendLineHeight = 180;
// The width a legend line may take beside the current curve's typical path,
// by its place counted from the bottom line: each line up has 25 pixels
// less, as the falling curve comes nearer. Wider lines lose the end of
// their name.
constexpr std::array<double, model::Comparison::kCapacity> kLegendRoom{426.0 * 15, 401.0 * 15,
                                                                       376.0 * 15, 351.0 * 15};

// The legend lines' boxes: a pixel clear of the y axis' pen on the left, the
// bottom one down to its line's foot just above the x axis' pen, and up and
// right to their texts' own edges, which the lines' rooms keep clear of the
// current curve; the glyphs stay a pixel or two inside.
constexpr float kLegendBoxLeft = 525;
constexpr rt::Color kLegendFrameColor = rt::rgb(128, 128, 128);

constexpr rt::Color kBlack = rt::rgb(0, 0, 0);
constexpr rt::Color kCurveColor = rt::rgb(250, 0, 0);
constexpr rt::Color kMarkerColor = rt::rgb(0, 200, 0);

constexpr Integer kOne{1};

// "name: values", the name cut short with "…" when the whole line would be
// wider than the room. The values are never cut; without a width to go by
// (a surface that shows nothing) the line stays whole.
QString legendLine(const rt::Surface& surface, const QString& name, const QString& values,
                   double room) {
    const QString tail = QStringLiteral(": ") + values;
    QString whole = name + tail;
    if (surface.textWidth(whole) <= room) {
        return whole;
    }
    const auto cut = [&](qsizetype length) {
        if (length > 0 && name.at(length - 1).isHighSurrogate()) {
            --length;  // never half a character
        }
        while (length > 0 && name.at(length - 1).isSpace()) {
            --length;
        }
        return name.left(length) + u'…' + tail;
    };
    // The longest cut that fits; the width grows with the length kept.
    qsizetype fits = 0;
    qsizetype tooLong = name.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (surface.textWidth(cut(middle)) <= room) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return cut(fits);
}

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
    keptResults_.clear();
    drawFrame();
    drawHorizontalScale();
    drawVerticalScale();
    drawKeptCurves();
    drawCurve();
    const Currency operatingEta = computeOperatingPoint();
    const Marker marker = showResults(operatingEta);
    drawMarker(marker);
    showLegend();
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
    surface.setDrawWidth(kCurveWidth);
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

// Thinner than the current curve, so that the current one stays in front.
// Without kept curves the pen is left alone.
void ChartProcedures::drawKeptCurves() {
    const auto kept = comparison_.kept();
    if (kept.empty()) {
        return;
    }
    controls_.surface.setDrawWidth(kKeptCurveWidth);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        drawKeptCurve(kept[i], kKeptCurveColors[i]);
    }
    controls_.surface.setDrawWidth(kCurveWidth);
}

// The current curve's points at the current irradiance and on its x scale,
// ending after the first point at zero efficiency or beyond the x axis. No
// coordinate can leave the Integer range: each point lies one step of
// 7000 * 0.001 / stagnationX <= 7000 twips (stagnationX >= 0.001) right of one
// at or left of 7800, and the admitted coefficients keep one step's loss of
// efficiency below 2.2, so y stays within 100 ... 13060.
void ChartProcedures::drawKeptCurve(const model::KeptCollector& kept, rt::Color color) {
    const model::EfficiencyCurve curve(kept.eta0, kept.a1, kept.a2, state_.irradiance);
    Integer previousX;
    Integer previousY;
    for (Integer k{0};; k = k + kOne) {
        const double x = checkedMul(model::kCurveStep, k.toDouble());
        const Currency eta = curve.at(x);
        const Integer pointX = Integer::fromDouble(chartX(x, state_.stagnationX));
        const Integer pointY = Integer::fromDouble(chartY(eta).toDouble());
        if (k > Integer{0}) {
            controls_.surface.line(single(pointX), single(pointY), single(previousX),
                                   single(previousY), color);
        }
        if (eta <= Currency() || pointX > kKeptCurveEndX) {
            return;
        }
        previousX = pointX;
        previousY = pointY;
    }
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
    return operatingEfficiency(state_.eta0, state_.a1, state_.a2);
}

// A collector's efficiency at the stored operating point.
Currency ChartProcedures::operatingEfficiency(Currency eta0, Currency a1, Currency a2) const {
    const Currency linearLoss = a1 * state_.operatingX;
    const double x = state_.operatingX.toDouble();
    const Currency quadraticLoss =
        Currency::fromDouble(checkedMul((state_.irradiance * a2).toDouble(), checkedMul(x, x)));
    return (eta0 - linearLoss) - quadraticLoss;
}

// The result labels, and the marker where the results stand.
ChartProcedures::Marker ChartProcedures::showResults(Currency operatingEta) {
    const ResultRule rule = resultRule(operatingEta, state_.operatingX);
    Marker marker{kScaleEndX, kOriginYExact};
    if (rule == ResultRule::OpticalEfficiency) {
        marker = {kOriginX, chartY(state_.eta0)};
    } else if (rule == ResultRule::OnCurve) {
        marker = {chartX(state_.operatingX.toDouble(), state_.stagnationX), chartY(operatingEta)};
    }
    const ResultTexts texts = resultTexts(rule, state_.eta0, operatingEta);
    controls_.efficiencyLabel.setCaption(texts.efficiency);
    controls_.outputLabel.setCaption(texts.output);
    controls_.specificOutputLabel.setCaption(texts.specificOutput);
    return marker;
}

// The tests are made in this order and a later one that holds overrides an
// earlier one; at least one always holds.
ChartProcedures::ResultRule ChartProcedures::resultRule(Currency operatingEta,
                                                        Currency operatingX) {
    ResultRule rule{};
    if (operatingX <= Currency()) {
        // No heat loss: the optical efficiency.
        rule = ResultRule::OpticalEfficiency;
    }
    if (operatingEta <= Currency()) {
        rule = ResultRule::BeyondZero;
    }
    if (operatingEta > Currency() && operatingX > Currency()) {
        rule = ResultRule::OnCurve;
    }
    return rule;
}

ChartProcedures::ResultTexts ChartProcedures::resultTexts(ResultRule rule, Currency eta0,
                                                          Currency operatingEta) const {
    switch (rule) {
        case ResultRule::OpticalEfficiency:
            return efficiencyTexts(eta0);
        case ResultRule::OnCurve:
            return efficiencyTexts(operatingEta);
        case ResultRule::BeyondZero:
            break;
    }
    return {kNoEfficiencyText.toString(), QStringLiteral("0 W"), QStringLiteral("0 W/m2")};
}

// Efficiency in percent, output and specific output, each cut toward minus
// infinity.
ChartProcedures::ResultTexts ChartProcedures::efficiencyTexts(Currency eta) const {
    const Currency specificOutput = state_.irradiance * eta;
    const double percent = checkedDiv(eta.timesWhole(1000).wholeFloor().toDouble(), 10.0);
    return {
        format_.text(percent) + QStringLiteral(" %"),
        format_.text((specificOutput * state_.collectorArea).wholeFloor()) + QStringLiteral(" W"),
        format_.text(specificOutput.wholeFloor()) + QStringLiteral(" W/m2")};
}

// From the x axis up to the operating point, then across to the y axis.
void ChartProcedures::drawMarker(const Marker& marker) {
    const float x = single(marker.x);
    const float y = single(marker.y);
    controls_.surface.line(x, kOriginY, x, y, kMarkerColor);
    controls_.surface.line(x, y, kOriginX, y, kMarkerColor);
}

// One line per kept collector in its curve's colour, each on a box of the
// chart's back colour drawn last, so that no curve or marker line runs through
// the text. A box takes its own line's width: a box as wide as the widest line
// would reach the current curve above the lower, wider lines.
void ChartProcedures::showLegend() {
    const auto kept = comparison_.kept();
    const float top = kLegendBottom - kLegendLineHeight * static_cast<float>(kept.size());
    rt::Surface& surface = controls_.surface;
    std::vector<QString> lines;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const model::KeptCollector& collector = kept[i];
        const Currency eta = operatingEfficiency(collector.eta0, collector.a1, collector.a2);
        const ResultTexts texts =
            resultTexts(resultRule(eta, state_.operatingX), collector.eta0, eta);
        keptResults_.push_back({collector.name, texts.efficiency, texts.specificOutput});
        lines.push_back(legendLine(surface, collector.name,
                                   texts.efficiency + QStringLiteral(" · ") + texts.specificOutput,
                                   kLegendRoom[kept.size() - 1 - i]));
        const float lineTop = top + kLegendLineHeight * static_cast<float>(i);
        surface.box(kLegendBoxLeft, lineTop,
                    kLegendX + static_cast<float>(surface.textWidth(lines.back())),
                    lineTop + kLegendLineHeight, kLegendFrameColor);
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        surface.setCurrentX(kLegendX);
        surface.setCurrentY(top + kLegendLineHeight * static_cast<float>(i));
        surface.setFontName(QString());
        surface.print(lines[i], kKeptCurveColors[i]);
    }
}

}  // namespace chart
