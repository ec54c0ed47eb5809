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

// One run of the chart procedure: it draws on the surface and notes what the
// run gives besides the drawing.
class ChartDrawing {
public:
    ChartDrawing(rt::Surface& surface, const rt::NumberFormat& format, ChartRun& run)
        : surface_(surface), format_(format), run_(run) {}

    void draw(const ChartInput& input);

private:
    // Where the marker lines meet: x in twips, y an exact Fixed4 height.
    struct Marker {
        double x;
        rt::Fixed4 y;
    };

    void drawFrame();
    void drawHorizontalScale(rt::Fixed4 zeroEfficiencyX);
    void drawVerticalScale();
    void drawKeptCurves(std::span<const model::Results> kept, rt::Fixed4 zeroEfficiencyX);
    void drawKeptCurve(const model::Curve& curve, rt::Color color, rt::Fixed4 zeroEfficiencyX);
    void drawCurve(const model::Curve& curve, rt::Fixed4 zeroEfficiencyX);
    [[nodiscard]] Marker showResults(const model::Results& results,
                                     const present::ResultTexts& texts, rt::Fixed4 zeroEfficiencyX);
    void drawMarker(const Marker& marker);
    void showLegend(std::span<const model::KeptCollector> collectors,
                    std::span<const model::Results> kept);

    void printTickValue(double x, double y, double value);

    rt::Surface& surface_;
    const rt::NumberFormat& format_;
    ChartRun& run_;
    // Every curve has its k-th point at the same x, k · kCurveStep: the kept
    // curves map each x to twips once per run, and the current curve takes
    // the x they reached from here.
    std::vector<rt::Int16> keptTwipsX_;
};

// A point beyond the returned x lies right of kKeptCurveEndX.
double keptCurveEndX(Fixed4 zeroEfficiencyX) {
    return zeroEfficiencyX.toDouble() * (kKeptCurveEndX.toDouble() + 1 - kOriginX) / kScaleWidth;
}

}  // namespace

std::vector<model::Results> keptResults(std::span<const model::KeptCollector> kept, Fixed4 area,
                                        const model::Conditions& conditions,
                                        Fixed4 zeroEfficiencyX) {
    std::vector<model::Results> results;
    results.reserve(kept.size());
    for (const model::KeptCollector& collector : kept) {
        results.push_back(model::calculate(
            {collector.name, collector.eta0, collector.a1, collector.a2, area}, conditions,
            {.zeroEfficiencyX = false, .curveEndX = keptCurveEndX(zeroEfficiencyX)}));
    }
    return results;
}

ChartRun drawChart(rt::Surface& surface, const ChartInput& input, const rt::NumberFormat& format) {
    ChartRun run;
    try {
        ChartDrawing(surface, format, run).draw(input);
    } catch (const rt::RuntimeError& error) {
        run.error = error.kind();
    }
    return run;
}

namespace {

// The kept collectors' results are the caller's, calculated once the
// zero-efficiency x is known; their errors are raised where the chart comes
// to them.
void ChartDrawing::draw(const ChartInput& input) {
    drawFrame();
    const Fixed4 zeroEfficiencyX = input.results.zeroEfficiencyX.get();
    drawHorizontalScale(zeroEfficiencyX);
    drawVerticalScale();
    drawKeptCurves(input.kept, zeroEfficiencyX);
    drawCurve(input.results.curve, zeroEfficiencyX);
    const Marker marker = showResults(input.results, input.texts, zeroEfficiencyX);
    drawMarker(marker);
    showLegend(input.keptCollectors, input.kept);
}

void ChartDrawing::drawFrame() {
    rt::Surface& surface = surface_;
    surface.clear();
    surface.setDrawWidth(kCurveWidth);
    surface.line(kOriginX, kYAxisTop, kOriginX, kYAxisBottom, kBlack);
    surface.line(kXAxisLeft, kOriginY, kXAxisRight, kOriginY, kBlack);
}

// Ticks at step, 2 step, ... up to the first at or beyond zeroEfficiencyX, which
// may lie past the axis or even outside the surface.
void ChartDrawing::drawHorizontalScale(Fixed4 zeroEfficiencyX) {
    const double step = horizontalTickStep(zeroEfficiencyX);
    const double end = zeroEfficiencyX.toDouble();
    for (Int16 i = kOne; checkedMul((i - kOne).toDouble(), step) < end; i = i + kOne) {
        const double v = checkedMul(step, i.toDouble());
        const double x = chartX(v, zeroEfficiencyX);
        surface_.line(single(x), kOriginY, single(x), kOriginY + kTickLength, kBlack);
        printTickValue(x - kTickTextOffset, kXTickTextY, v);
    }
}

// Always ten ticks, 0.1 ... 1.0; the double 3 * 0.1 prints as 0,3 and not
// 0,30000000000000004 because the text keeps 15 digits.
void ChartDrawing::drawVerticalScale() {
    for (Int16 i = kOne; checkedMul((i - kOne).toDouble(), kEtaTickStep) < 1.0; i = i + kOne) {
        const double v = checkedMul(kEtaTickStep, i.toDouble());
        const double y = chartY(v);
        surface_.line(kOriginX - kTickLength, single(y), kOriginX, single(y), kBlack);
        printTickValue(kYTickTextX, y - kYTickTextRise, v);
    }
}

void ChartDrawing::printTickValue(double x, double y, double value) {
    rt::Surface& surface = surface_;
    surface.setCurrentX(single(x));
    surface.setCurrentY(single(y));
    surface.setFontName(QString());
    surface.drawText(value);
}

// Thinner than the current curve, so that the current one stays in front.
// Without kept curves the pen is left alone.
void ChartDrawing::drawKeptCurves(std::span<const model::Results> kept, Fixed4 zeroEfficiencyX) {
    if (kept.empty()) {
        return;
    }
    surface_.setDrawWidth(kKeptCurveWidth);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        drawKeptCurve(kept[i].curve, kKeptCurveColors[i], zeroEfficiencyX);
    }
    surface_.setDrawWidth(kCurveWidth);
}

// On the current curve's x scale, ending after the first point at zero
// efficiency or beyond the x axis. No coordinate can leave the Int16 range:
// each point lies one step of 7000 * 0.001 / zeroEfficiencyX <= 7000 twips
// (zeroEfficiencyX >= 0.001) right of one at or left of 7800, and the admitted
// coefficients keep one step's loss of efficiency below 2.2, so y stays
// within 100 ... 13060.
void ChartDrawing::drawKeptCurve(const model::Curve& curve, rt::Color color,
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
            surface_.line(single(pointX), single(pointY), single(previousX), single(previousY),
                          color);
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
void ChartDrawing::drawCurve(const model::Curve& curve, Fixed4 zeroEfficiencyX) {
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
            surface_.line(single(pointX), single(pointY), single(previousX), single(previousY),
                          kCurveColor);
        }
        previousX = pointX;
        previousY = pointY;
    }
    if (curve.error) {
        throw rt::RuntimeError(*curve.error);
    }
}

// Stores x and writes the result labels; returns where the marker lines meet.
ChartDrawing::Marker ChartDrawing::showResults(const model::Results& results,
                                               const present::ResultTexts& texts,
                                               Fixed4 zeroEfficiencyX) {
    run_.operatingX = results.operatingX.get();
    run_.point.operatingX = texts.operatingX.get();
    const model::OperatingPoint& point = results.operating.get();
    Marker marker{kScaleEndX, kOriginYExact};
    if (point.rule == model::OperatingRule::OpticalEfficiency) {
        marker = {kOriginX, chartY(point.eta)};
    } else if (point.rule == model::OperatingRule::OnCurve) {
        marker = {chartX(run_.operatingX->toDouble(), zeroEfficiencyX), chartY(point.eta)};
    }
    run_.point.efficiency = texts.efficiency.get();
    run_.point.output = texts.output.get();
    run_.point.specificOutput = texts.specificOutput.get();
    return marker;
}

// From the x axis up to the operating point, then across to the y axis.
void ChartDrawing::drawMarker(const Marker& marker) {
    const float x = single(marker.x);
    const float y = single(marker.y);
    surface_.line(x, kOriginY, x, y, kMarkerColor);
    surface_.line(x, y, kOriginX, y, kMarkerColor);
}

// One line per kept collector in its curve's colour, each on a box of the
// chart's back colour drawn last, so that no curve or marker line runs through
// the text. A box takes its own line's width: a box as wide as the widest line
// would reach the current curve above the lower, wider lines.
void ChartDrawing::showLegend(std::span<const model::KeptCollector> collectors,
                              std::span<const model::Results> kept) {
    const float top = kLegendBottom - kLegendLineHeight * static_cast<float>(kept.size());
    rt::Surface& surface = surface_;
    std::vector<QString> lines;
    lines.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        run_.kept.push_back(
            present::keptResult(collectors[i].name, kept[i].operating.get(), format_));
        const present::KeptResult& result = run_.kept.back();
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

}  // namespace
}  // namespace chart
