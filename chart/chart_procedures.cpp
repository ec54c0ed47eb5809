#include "chart_procedures.h"

#include <QString>
#include <vector>

#include "runtime/checked.h"
#include "runtime/int16.h"

namespace chart {
namespace {

using rt::checkedDiv;
using rt::checkedMul;
using rt::Fixed4;
using rt::Int16;

// Geometry in twips of the surface's inner area; whole numbers, exact both
// as float and as double.
constexpr float kOriginX = 500;   // x = 0 of the horizontal scale, and the y axis
constexpr float kOriginY = 4150;  // efficiency 0, and the x axis
constexpr Fixed4 kOriginYExact = Fixed4::literal("4150");
constexpr float kScaleEndX = 7500;  // x = zeroEfficiencyX
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
constexpr Int16 kKeptCurveEndX{7800};
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

constexpr Int16 kOne{1};

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
double horizontalTickStep(Fixed4 zeroEfficiencyX) {
    if (zeroEfficiencyX < Fixed4::literal("0.08")) {
        return 0.01;
    }
    if (zeroEfficiencyX < Fixed4::literal("0.25")) {
        return 0.02;
    }
    return 0.05;
}

// X(v): the reduced temperature difference v in twips. Inline, as Y(eta)
// below: both run for every point of every curve.
inline double chartX(double v, Fixed4 zeroEfficiencyX) {
    return kOriginX + checkedDiv(checkedMul(kScaleWidth, v), zeroEfficiencyX.toDouble());
}

// Y(eta) for a tick value.
double chartY(double eta) {
    return kOriginY - checkedMul(static_cast<double>(kScaleHeight), eta);
}

// Y(eta) for an efficiency of the model: exact in Fixed4.
inline Fixed4 chartY(Fixed4 eta) {
    return kOriginYExact - eta.timesWhole(kScaleHeight);
}

float single(double value) {
    return static_cast<float>(value);
}

// Through the double, which at chart magnitudes is exact far below a float's
// precision, so this is the float nearest the Fixed4 value.
float single(Fixed4 value) {
    return static_cast<float>(value.toDouble());
}

float single(Int16 value) {
    return static_cast<float>(value.value());
}

}  // namespace

ChartProcedures::ChartProcedures(model::CollectorState& state, const ChartControls& controls,
                                 const rt::NumberFormat& format)
    : state_(state), controls_(controls), format_(format) {}

void ChartProcedures::redraw(const model::Results& results, const model::Conditions& conditions) {
    redraw(results, conditions, formatResults(results, format_));
}

void ChartProcedures::redraw(const model::Results& results, const model::Conditions& conditions,
                             const ResultTexts& texts) {
    keptResults_.clear();
    keptTwipsX_.clear();
    drawFrame();
    const Fixed4 zeroEfficiencyX = results.zeroEfficiencyX.get();
    // The kept collectors' results at the same conditions, their curves only
    // as far as they are drawn; their errors are raised where the chart comes
    // to them. A point beyond keptCurveEndX lies right of kKeptCurveEndX.
    const double keptCurveEndX =
        zeroEfficiencyX.toDouble() * (kKeptCurveEndX.toDouble() + 1 - kOriginX) / kScaleWidth;
    std::vector<model::Results> kept;
    kept.reserve(comparison_.kept().size());
    for (const model::KeptCollector& collector : comparison_.kept()) {
        kept.push_back(model::calculate(
            {collector.name, collector.eta0, collector.a1, collector.a2, state_.collectorArea},
            conditions, {.zeroEfficiencyX = false, .curveEndX = keptCurveEndX}));
    }
    drawHorizontalScale(zeroEfficiencyX);
    drawVerticalScale();
    drawKeptCurves(kept, zeroEfficiencyX);
    drawCurve(results.curve, zeroEfficiencyX);
    const Marker marker = showResults(results, texts, zeroEfficiencyX);
    drawMarker(marker);
    showLegend(kept);
}

void ChartProcedures::repaint(const model::Results& results, const model::Conditions& conditions) {
    repaint(results, conditions, formatResults(results, format_));
}

void ChartProcedures::repaint(const model::Results& results, const model::Conditions& conditions,
                              const ResultTexts& texts) {
    // Drawn before the full redraw, whose first step clears them again.
    controls_.surface.line(kOriginX, kYAxisTop, kOriginX, kYAxisBottom, kBlack);
    controls_.surface.line(kXAxisLeft, kOriginY, kRepaintXAxisRight, kOriginY, kBlack);
    redraw(results, conditions, texts);
}

void ChartProcedures::drawFrame() {
    rt::Surface& surface = controls_.surface;
    surface.clear();
    surface.setDrawWidth(kCurveWidth);
    surface.line(kOriginX, kYAxisTop, kOriginX, kYAxisBottom, kBlack);
    surface.line(kXAxisLeft, kOriginY, kXAxisRight, kOriginY, kBlack);
}

// Ticks at step, 2 step, ... up to the first at or beyond zeroEfficiencyX, which
// may lie past the axis or even outside the surface.
void ChartProcedures::drawHorizontalScale(Fixed4 zeroEfficiencyX) {
    const double step = horizontalTickStep(zeroEfficiencyX);
    const double end = zeroEfficiencyX.toDouble();
    for (Int16 i = kOne; checkedMul((i - kOne).toDouble(), step) < end; i = i + kOne) {
        const double v = checkedMul(step, i.toDouble());
        const double x = chartX(v, zeroEfficiencyX);
        controls_.surface.line(single(x), kOriginY, single(x), kOriginY + kTickLength, kBlack);
        printTickValue(x - kTickTextOffset, kXTickTextY, v);
    }
}

// Always ten ticks, 0.1 ... 1.0; the double 3 * 0.1 prints as 0,3 and not
// 0,30000000000000004 because the text keeps 15 digits.
void ChartProcedures::drawVerticalScale() {
    for (Int16 i = kOne; checkedMul((i - kOne).toDouble(), kEtaTickStep) < 1.0; i = i + kOne) {
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
    surface.drawText(value);
}

// Thinner than the current curve, so that the current one stays in front.
// Without kept curves the pen is left alone.
void ChartProcedures::drawKeptCurves(const std::vector<model::Results>& kept,
                                     Fixed4 zeroEfficiencyX) {
    if (kept.empty()) {
        return;
    }
    controls_.surface.setDrawWidth(kKeptCurveWidth);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        drawKeptCurve(kept[i].curve, kKeptCurveColors[i], zeroEfficiencyX);
    }
    controls_.surface.setDrawWidth(kCurveWidth);
}

// On the current curve's x scale, ending after the first point at zero
// efficiency or beyond the x axis. No coordinate can leave the Int16 range:
// each point lies one step of 7000 * 0.001 / zeroEfficiencyX <= 7000 twips
// (zeroEfficiencyX >= 0.001) right of one at or left of 7800, and the admitted
// coefficients keep one step's loss of efficiency below 2.2, so y stays
// within 100 ... 13060.
void ChartProcedures::drawKeptCurve(const model::Curve& curve, rt::Color color,
                                    Fixed4 zeroEfficiencyX) {
    Int16 previousX;
    Int16 previousY;
    for (std::size_t k = 0; k < curve.points.size(); ++k) {
        const model::CurvePoint& point = curve.points[k];
        if (k == keptTwipsX_.size()) {
            keptTwipsX_.push_back(Int16::fromDouble(chartX(point.x, zeroEfficiencyX)));
        }
        const Int16 pointX = keptTwipsX_[k];
        const Int16 pointY = Int16::fromDouble(chartY(point.eta).toDouble());
        if (k > 0) {
            controls_.surface.line(single(pointX), single(pointY), single(previousX),
                                   single(previousY), color);
        }
        if (point.eta <= Fixed4() || pointX > kKeptCurveEndX) {
            return;
        }
        previousX = pointX;
        previousY = pointY;
    }
    if (curve.error) {
        throw rt::RuntimeError(*curve.error);
    }
}

// The points at whole twips, joined by segments; the last one is the first
// at zero efficiency or below.
void ChartProcedures::drawCurve(const model::Curve& curve, Fixed4 zeroEfficiencyX) {
    Int16 previousX;
    Int16 previousY;
    for (std::size_t k = 0; k < curve.points.size(); ++k) {
        const model::CurvePoint& point = curve.points[k];
        const Int16 pointX = k < keptTwipsX_.size()
                                 ? keptTwipsX_[k]
                                 : Int16::fromDouble(chartX(point.x, zeroEfficiencyX));
        // The Fixed4 height is exact in the double, so ties still go to even.
        const Int16 pointY = Int16::fromDouble(chartY(point.eta).toDouble());
        if (k > 0) {
            controls_.surface.line(single(pointX), single(pointY), single(previousX),
                                   single(previousY), kCurveColor);
        }
        previousX = pointX;
        previousY = pointY;
    }
    if (curve.error) {
        throw rt::RuntimeError(*curve.error);
    }
}

// Stores x and writes the result labels; returns where the marker lines meet.
ChartProcedures::Marker ChartProcedures::showResults(const model::Results& results,
                                                     const ResultTexts& texts,
                                                     Fixed4 zeroEfficiencyX) {
    state_.operatingX = results.operatingX.get();
    controls_.operatingXLabel.setCaption(texts.operatingX.get());
    const model::OperatingPoint& point = results.operating.get();
    Marker marker{kScaleEndX, kOriginYExact};
    if (point.rule == model::OperatingRule::OpticalEfficiency) {
        marker = {kOriginX, chartY(point.eta)};
    } else if (point.rule == model::OperatingRule::OnCurve) {
        marker = {chartX(state_.operatingX.toDouble(), zeroEfficiencyX), chartY(point.eta)};
    }
    controls_.efficiencyLabel.setCaption(texts.efficiency.get());
    controls_.outputLabel.setCaption(texts.output.get());
    controls_.specificOutputLabel.setCaption(texts.specificOutput.get());
    return marker;
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
void ChartProcedures::showLegend(const std::vector<model::Results>& kept) {
    const auto collectors = comparison_.kept();
    const float top = kLegendBottom - kLegendLineHeight * static_cast<float>(kept.size());
    rt::Surface& surface = controls_.surface;
    std::vector<QString> lines;
    lines.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        keptResults_.push_back(keptResult(collectors[i].name, kept[i].operating.get(), format_));
        const KeptResult& result = keptResults_.back();
        lines.push_back(legendLine(
            surface, result.name, result.efficiency + QStringLiteral(" · ") + result.specificOutput,
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
        surface.drawText(lines[i], kKeptCurveColors[i]);
    }
}

}  // namespace chart
