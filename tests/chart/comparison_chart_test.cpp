#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QRectF>
#include <array>
#include <optional>

#include "chart/chart_painter.h"
#include "chart/chart_procedures.h"
#include "chart_harness.h"
#include "model/evaluation.h"
#include "model/presets.h"
#include "present/collector_names.h"
#include "tests/support/runtime_errors.h"

namespace {

using chart::kKeptCurveColors;
using chart::RecordedLine;
using chart::RecordedText;
using charttest::Chart;
using charttest::kRed;
using rt::Fixed4;
using rt::Int16;

constexpr rt::Color kBlue = rt::rgb(0, 0, 255);

void keepPreset(Chart& c, std::size_t row) {
    const model::CollectorType& type = model::kCollectorTypes.at(row);
    ASSERT_EQ(c.state.comparison.keep(type.name.toString(), type.eta0, type.a1, type.a2),
              model::KeepOutcome::Kept);
}

// The current collector at an irradiance, with zeroEfficiencyX as the evaluation
// finds it.
void makeCurrent(Chart& c, Fixed4 eta0, Fixed4 a1, Fixed4 a2, int irradiance) {
    c.state.eta0 = eta0;
    c.state.a1 = a1;
    c.state.a2 = a2;
    c.state.irradiance = Int16::checked(irradiance);
    c.state.zeroEfficiencyX =
        model::zeroEfficiencyX(model::EfficiencyCurve(eta0, a1, a2, c.state.irradiance));
}

std::vector<RecordedText> legendOf(const Chart& c) {
    std::vector<RecordedText> legend;
    std::ranges::copy_if(c.surface.prints(), std::back_inserter(legend),
                         [](const RecordedText& p) { return p.color.has_value(); });
    return legend;
}

// Expected points computed apart from the program, with exact decimal
// arithmetic and the same roundings.
TEST(ComparisonChart, KeptPresetCurveOnTheCurrentScale) {
    const struct {
        int irradiance;  // the start collector is current; 1 W/m2 widens its scale to 0.193
        std::size_t row;
        std::size_t segments;
        std::array<float, 4> first, last;  // x1, y1, x2, y2
    } cases[] = {
        // Beyond the x axis' end before its zero.
        {800, 0, 155, {547, 1524, 500, 1518}, {7831, 3082, 7784, 3068}},
        // Its zero first: the last point lies just under the axis.
        {800, 2, 154, {547, 926, 500, 910}, {7784, 4173, 7736, 4147}},
        {800, 4, 61, {547, 550, 500, 505}, {3385, 4187, 3338, 4111}},
        {1, 0, 202, {536, 1524, 500, 1518}, {7826, 2746, 7790, 2740}},
        {1, 3, 125, {536, 1137, 500, 1112}, {5034, 4151, 4997, 4127}},
        {1, 4, 82, {536, 550, 500, 505}, {3474, 4160, 3438, 4116}},
    };
    for (const auto& row : cases) {
        Chart c;
        makeCurrent(c, c.state.eta0, c.state.a1, c.state.a2, row.irradiance);
        keepPreset(c, row.row);
        c.redraw();
        const auto kept = c.linesIn(kBlue);
        ASSERT_EQ(kept.size(), row.segments) << row.irradiance << " " << row.row;
        const auto line = [](const std::array<float, 4>& at) {
            return RecordedLine{at[0], at[1], at[2], at[3], kBlue, 1};
        };
        EXPECT_EQ(kept.front(), line(row.first)) << row.irradiance << " " << row.row;
        EXPECT_EQ(kept.back(), line(row.last)) << row.irradiance << " " << row.row;
    }
}

TEST(ComparisonChart, AKeptCurveStopsOneStepBeyondTheAxisWithoutOverflow) {
    // The narrowest scale the search can give: one step of x is 7000 twips.
    Chart c;
    c.state.eta0 = Fixed4();
    c.state.zeroEfficiencyX = Fixed4::literal("0.001");
    keepPreset(c, 0);
    EXPECT_EQ(testsupport::thrownKind([&] { c.redraw(); }), std::nullopt);
    const auto kept = c.linesIn(kBlue);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1], (RecordedLine{14500, 1530, 7500, 1524, kBlue, 1}));
}

TEST(ComparisonChart, KeptCurvesComeBetweenTheScaleAndTheCurrentCurveInKeepingOrder) {
    Chart c;
    for (std::size_t row : {4, 1, 3, 0}) {
        keepPreset(c, row);
    }
    c.redraw();
    const auto& lines = c.surface.lines();
    const std::size_t scales = 2 + 8 + 10;
    std::vector<rt::Color> order;
    std::size_t i = scales;
    for (; i < lines.size() && lines[i].color != kRed; ++i) {
        ASSERT_EQ(lines[i].width, 1) << i;
        if (order.empty() || order.back() != lines[i].color) {
            order.push_back(lines[i].color);
        }
    }
    EXPECT_EQ(order, std::vector<rt::Color>(kKeptCurveColors.begin(), kKeptCurveColors.end()));
    EXPECT_EQ(lines[scales - 1].color, charttest::kBlack);
    EXPECT_EQ(c.linesIn(kRed).size(), 147u);
    EXPECT_EQ(c.linesIn(kRed).front().width, 2);
    EXPECT_EQ(c.surface.drawWidth(), 2);
    // The legend comes after every scale number, in keeping order and colour.
    const auto& prints = c.surface.prints();
    ASSERT_EQ(prints.size(), 18u + 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(prints[18 + k].color, kKeptCurveColors[k]) << k;
        EXPECT_TRUE(prints[18 + k].fontName.isEmpty()) << k;
        EXPECT_EQ(prints[18 + k].y, 4130.0F - 180.0F * static_cast<float>(4 - k)) << k;
    }
    EXPECT_TRUE(prints[0].text == u"0,02" && !prints[0].color.has_value());
}

// Cold (the optical efficiency), normal, and hot for one of them (0 %),
// with the start collector current.
TEST(ComparisonChart, LegendShowsTheResultsAtTheOperatingPoint) {
    const struct {
        int collectorTemp;
        const char16_t* legend;
    } cases[] = {
        {10, u"Vákumcsöves kollektor: 65 % · 520 W/m2|Lefedés nélküli kollektor: 90 % · 720 W/m2"},
        {60,
         u"Vákumcsöves kollektor: 55,9 % · 447 W/m2|Lefedés nélküli kollektor: 19 % · 152 W/m2"},
        {150, u"Vákumcsöves kollektor: 23,7 % · 189 W/m2|Lefedés nélküli kollektor: 0 % · 0 W/m2"},
    };
    for (const auto& row : cases) {
        Chart c;
        c.state.collectorTemp = Int16::checked(row.collectorTemp);
        keepPreset(c, 0);
        keepPreset(c, 4);
        c.redraw();
        QStringList shown;
        QStringList results;
        for (const RecordedText& p : legendOf(c)) {
            shown << p.text;
        }
        for (const present::KeptResult& r : c.keptResults) {
            results << r.name + QStringLiteral(": ") + r.efficiency + QStringLiteral(" · ") +
                           r.specificOutput;
        }
        EXPECT_EQ(shown.join(u'|'), QString::fromUtf16(row.legend)) << row.collectorTemp;
        EXPECT_EQ(results, shown) << row.collectorTemp;
        // The boxes go over every line and under the legend's texts.
        ASSERT_EQ(c.surface.boxes().size(), 2u);
        for (const chart::RecordedBox& box : c.surface.boxes()) {
            EXPECT_EQ(box.linesBefore, c.surface.lines().size());
            EXPECT_EQ(box.printsBefore, c.surface.prints().size() - 2);
        }
    }
}

// A kept collector that is also the current one reads exactly as the labels,
// whichever rule decides: the same function makes both.
TEST(ComparisonChart, LegendValuesAreTheLabelsOfTheSameCollector) {
    for (const model::CollectorType& type : model::kCollectorTypes) {
        for (int irradiance : {1, 400, 1300}) {
            for (int ambient : {-30, 20, 50}) {
                for (int collector = 0; collector <= 250; collector += 10) {
                    Chart c;
                    makeCurrent(c, type.eta0, type.a1, type.a2, irradiance);
                    c.state.ambientTemp = Int16::checked(ambient);
                    c.state.collectorTemp = Int16::checked(collector);
                    c.state.comparison.keep(QStringLiteral("x"), type.eta0, type.a1, type.a2);
                    c.redraw();
                    ASSERT_EQ(c.keptResults.size(), 1u);
                    const present::KeptResult& kept = c.keptResults[0];
                    EXPECT_EQ(kept.efficiency, c.efficiencyLabel.caption)
                        << irradiance << " " << ambient << " " << collector;
                    EXPECT_EQ(kept.specificOutput, c.specificOutputLabel.caption)
                        << irradiance << " " << ambient << " " << collector;
                }
            }
        }
    }
}

// Every call the chart makes on its surface, in order.
struct CallLog final : rt::Surface {
    QStringList calls;
    void clear() override { calls << QStringLiteral("cls"); }
    void setDrawWidth(int pixels) override { calls << QStringLiteral("width %1").arg(pixels); }
    void line(float x1, float y1, float x2, float y2, rt::Color color) override {
        calls << QStringLiteral("line %1 %2 %3 %4 %5").arg(x1).arg(y1).arg(x2).arg(y2).arg(color);
    }
    void box(float x1, float y1, float x2, float y2, rt::Color frame) override {
        calls << QStringLiteral("box %1 %2 %3 %4 %5").arg(x1).arg(y1).arg(x2).arg(y2).arg(frame);
    }
    void setCurrentX(float x) override { calls << QStringLiteral("x %1").arg(x); }
    void setCurrentY(float y) override { calls << QStringLiteral("y %1").arg(y); }
    void setFontName(const QString& name) override { calls << QStringLiteral("font ") + name; }
    void drawText(double value) override { calls << QStringLiteral("print %1").arg(value); }
    void drawText(const QString& text, rt::Color color) override {
        calls << QStringLiteral("print %1 %2").arg(text).arg(color);
    }
    [[nodiscard]] double textWidth(const QString&) const override { return 0; }
};

TEST(ComparisonChart, NothingKeptLeavesEverySurfaceCallAsWithoutTheComparison) {
    const std::function<void(model::CollectorState&)> changes[] = {
        [](auto&) {},
        [](auto& s) { s.collectorTemp = Int16{150}; },
        [](auto& s) { s.collectorTemp = Int16{10}; },
    };
    for (const auto& change : changes) {
        std::optional<QStringList> runs[2];
        for (bool keptAndForgotten : {false, true}) {
            charttest::Chart c;
            change(c.state);
            CallLog log;
            if (keptAndForgotten) {
                c.state.comparison.keep(QStringLiteral("x"), Fixed4::literal("0.5"),
                                        Fixed4::literal("2"), Fixed4::literal("0.01"));
                c.redrawOn(log);
                c.state.comparison.forget();
                log.calls.clear();
            }
            c.redrawOn(log);
            EXPECT_TRUE(c.keptResults.empty());
            runs[keptAndForgotten ? 1 : 0] = log.calls;
        }
        EXPECT_EQ(runs[0], runs[1]);
        EXPECT_EQ(runs[0]->count(QStringLiteral("width 2")), 1);
        EXPECT_EQ(runs[0]->filter(QStringLiteral("width")).size(), 1);
    }
}

// The surface font (the window's default face), which graf measures in.
QFont surfaceFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    return font;
}

// At 15 twips to the pixel.
QRectF textRect(const RecordedText& p) {
    const QFontMetricsF metrics(surfaceFont());
    constexpr qreal twips = 15;
    return {p.x, p.y, metrics.horizontalAdvance(p.text) * twips, metrics.height() * twips};
}

bool crosses(const QRectF& rect, const QLineF& line) {
    if (rect.contains(line.p1()) || rect.contains(line.p2())) {
        return true;
    }
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF& edge : edges) {
        if (line.intersects(edge, nullptr) == QLineF::BoundedIntersection) {
            return true;
        }
    }
    return false;
}

// Where the result captions and labels lie on the surface.
const QRectF kResultArea(QPointF(2565, 180), QPointF(7935, 1815));

TEST(ComparisonChart, LegendCoversNeitherTheCurveNorNumbersNorResults) {
    // Custom names followed by the widest values: kept collectors that lose
    // almost nothing. With three decimals to every coefficient a line is
    // 347 px wide and fits every place; with four it is 365 px, wider than
    // the top line's room of 351 px (the lower lines have 376, 401 and
    // 426 px); a long typed text makes every line too wide. The names are
    // cut to the room, and the room keeps clear of the current curve in
    // every case here.
    const Fixed4 eta0s[] = {Fixed4::literal("0.9999"), Fixed4::literal("0.9998"),
                            Fixed4::literal("0.9997"), Fixed4::literal("0.9996")};
    const struct {
        const char16_t* eta0;
        const char16_t* a1;
        const char16_t* a2;
        std::array<int, 4> cuts;  // how many runs cut each line, top line first; -1: some
    } names[] = {
        {u"0,999", u"14,999", u"99,999", {0, 0, 0, 0}},
        {u"0,9999", u"14,9999", u"99,9999", {-1, 0, 0, 0}},
        {u"0,99999999999999999999",
         u"14,99999999999999999999",
         u"99,99999999999999999999",
         {2358, 2358, 2358, 2358}},
    };
    // The lines' rooms in twips, top line first.
    const std::array<double, 4> rooms{351 * 15, 376 * 15, 401 * 15, 426 * 15};
    struct Case {
        Fixed4 eta0, a1, a2;
    };
    std::vector<Case> currents;
    for (std::size_t row = 0; row < 5; ++row) {
        const model::CollectorType& t = model::kCollectorTypes[row];
        currents.push_back({t.eta0, t.a1, t.a2});
    }
    currents.push_back({model::kStartCoefficients.eta0, model::kStartCoefficients.a1,
                        model::kStartCoefficients.a2});
    const QFont font = surfaceFont();
    int checked = 0;
    for (const auto& typed : names) {
        const QString name = present::customCollectorName(typed.eta0, typed.a1, typed.a2);
        std::array<int, 4> cuts{};
        for (const Case& current : currents) {
            for (int irradiance : {400, 800, 1300}) {
                for (int collector = 20; collector <= 150; ++collector) {
                    Chart c;
                    c.surface.setTextMeasure([&font](const QString& text) {
                        return chart::textWidthInTwips(font, text);
                    });
                    makeCurrent(c, current.eta0, current.a1, current.a2, irradiance);
                    c.state.collectorTemp = Int16::checked(collector);
                    for (const Fixed4 eta0 : eta0s) {
                        c.state.comparison.keep(name, eta0, Fixed4::literal("0.8001"),
                                                Fixed4::literal("0.0001"));
                    }
                    c.redraw();
                    const auto legend = legendOf(c);
                    ASSERT_EQ(legend.size(), 4u);
                    std::vector<QRectF> numbers;
                    for (const RecordedText& p : c.surface.prints()) {
                        if (!p.color) {
                            numbers.push_back(textRect(p));
                        }
                    }
                    for (std::size_t k = 0; k < legend.size(); ++k) {
                        const RecordedText& line = legend[k];
                        const present::KeptResult& result = c.keptResults[k];
                        const auto where = [&] {
                            return line.text.toStdString() + " at " + std::to_string(irradiance) +
                                   " W/m2, " + std::to_string(collector) + " °C, eta0 " +
                                   std::to_string(current.eta0.toDouble());
                        };
                        // Only the name is cut; what is read aloud or copied keeps it whole.
                        const QString values = QStringLiteral(": ") + result.efficiency +
                                               QStringLiteral(" · ") + result.specificOutput;
                        ASSERT_EQ(result.name, name);
                        ASSERT_TRUE(line.text.endsWith(values)) << where();
                        const QString shownName = line.text.chopped(values.size());
                        if (chart::textWidthInTwips(font, name + values) > rooms[k]) {
                            ASSERT_TRUE(shownName.endsWith(u'…')) << where();
                            ASSERT_TRUE(name.startsWith(shownName.chopped(1))) << where();
                            ++cuts[k];
                        } else {
                            ASSERT_EQ(shownName, name) << where();
                        }
                        const QRectF text = textRect(line);
                        ASSERT_TRUE(QRectF(0, 0, 8010, 4905).contains(text)) << where();
                        ASSERT_FALSE(text.intersects(kResultArea)) << where();
                        for (const QRectF& number : numbers) {
                            ASSERT_FALSE(text.intersects(number)) << where();
                        }
                        // The current curve's pen is 2 pixels wide.
                        const QRectF inked = text.adjusted(-15, -15, 15, 15);
                        for (const RecordedLine& segment : c.linesIn(kRed)) {
                            ASSERT_FALSE(crosses(
                                inked, QLineF(segment.x1, segment.y1, segment.x2, segment.y2)))
                                << where();
                        }
                        ++checked;
                    }
                    for (const chart::RecordedBox& box : c.surface.boxes()) {
                        const QRectF inked =
                            QRectF(QPointF(box.x1, box.y1), QPointF(box.x2, box.y2))
                                .adjusted(-15, -15, 15, 15);
                        for (const RecordedLine& segment : c.linesIn(kRed)) {
                            ASSERT_FALSE(crosses(
                                inked, QLineF(segment.x1, segment.y1, segment.x2, segment.y2)))
                                << irradiance << " W/m2, " << collector << " °C";
                        }
                    }
                }
            }
        }
        for (std::size_t k = 0; k < 4; ++k) {
            if (typed.cuts[k] < 0) {
                EXPECT_GT(cuts[k], 0) << k;
                EXPECT_LT(cuts[k], 6 * 3 * 131) << k;
            } else {
                EXPECT_EQ(cuts[k], typed.cuts[k]) << k;
            }
        }
    }
    EXPECT_EQ(checked, 3 * 6 * 3 * 131 * 4);
}

// With every character 100 twips wide, a line's room in characters is its
// room in pixels times 15 / 100: 63 for the bottom line, 52 for the top of four.
TEST(ComparisonChart, LegendNamesAreCutToTheRoomOfTheirLine) {
    const QString values = QStringLiteral(": 56,7 % · 454 W/m2");  // 19 characters
    const struct {
        std::size_t kept;  // the line checked is the top one
        QString name;
        QString shown;
    } cases[] = {
        {1, QString(44, u'a'), QString(44, u'a')},         // 63: fits
        {1, QString(45, u'a'), QString(43, u'a') + u'…'},  // 64: one too many
        {4, QString(33, u'a'), QString(33, u'a')},         // 52 fits the top line
        {4, QString(34, u'a'), QString(32, u'a') + u'…'},
        {2, QString(41, u'a'), QString(41, u'a')},         // 401 px: 60 characters
        {3, QString(40, u'a'), QString(36, u'a') + u'…'},  // 376 px: 56
        // No blank before the ellipsis, and no character split in half.
        {1, QString(42, u'a') + QStringLiteral(" bbbb"), QString(42, u'a') + u'…'},
        {1, QString(42, u'a') + QStringLiteral("😀b"), QString(42, u'a') + u'…'},
    };
    // The first is the start collector, whose values the top line shows.
    const Fixed4 a1s[] = {Fixed4::literal("4.17"), Fixed4::literal("4.2"), Fixed4::literal("4.3"),
                          Fixed4::literal("4.4")};
    for (const auto& row : cases) {
        Chart c;
        c.surface.setTextMeasure([](const QString& text) { return 100.0 * text.size(); });
        for (std::size_t k = 0; k < row.kept; ++k) {
            ASSERT_EQ(c.state.comparison.keep(row.name, Fixed4::literal("0.798"), a1s[k],
                                              Fixed4::literal("0.011")),
                      model::KeepOutcome::Kept);
        }
        c.redraw();
        const auto legend = legendOf(c);
        ASSERT_EQ(legend.size(), row.kept);
        const QString& top = legend.front().text;
        ASSERT_TRUE(top.endsWith(values)) << top.toStdString();
        EXPECT_EQ(top.chopped(values.size()), row.shown)
            << row.kept << " " << row.name.toStdString();
        EXPECT_EQ(c.keptResults.front().name, row.name);
    }
}

}  // namespace
