#include "chart/chart_procedures.h"

#include <gtest/gtest.h>

#include <functional>

#include "chart_harness.h"
#include "tests/support/runtime_errors.h"

namespace {

using chart::RecordedLine;
using chart::RecordedText;
using charttest::Chart;
using charttest::kBlack;
using charttest::kGreen;
using charttest::kRed;
using rt::Fixed4;
using rt::Int16;
using Change = std::function<void(model::CollectorState&)>;

TEST(ChartProcedures, StartStateDrawsTheWholeChartInOrder) {
    Chart c;
    c.redraw();
    const auto& lines = c.surface.lines();
    ASSERT_EQ(lines.size(), 2u + 8u + 10u + 147u + 2u);
    EXPECT_EQ(lines[0], (RecordedLine{500, 100, 500, 4500, kBlack, 2}));
    EXPECT_EQ(lines[1], (RecordedLine{300, 4150, 7800, 4150, kBlack, 2}));
    const auto red = c.linesIn(kRed);
    ASSERT_EQ(red.size(), 147u);
    EXPECT_EQ(red.front(), (RecordedLine{547, 935, 500, 918, kRed, 2}));
    EXPECT_EQ(std::pair(red.back().x1, red.back().y1), std::pair(7453.0F, 4171.0F));
    EXPECT_EQ(c.linesIn(kGreen).size(), 2u);
    EXPECT_EQ(c.surface.drawWidth(), 2);
}

TEST(ChartProcedures, CurveStartsAtTheOpticalEfficiencyRoundedHalfToEven) {
    const struct {
        Fixed4 eta0;
        std::size_t segments;
        float firstY;  // 4150 - 4050 * eta0, to a whole twip
    } cases[] = {{Fixed4::literal("0.798"), 147, 918},
                 {Fixed4::literal("0.03"), 8, 4028},  // 4028.5
                 {Fixed4::literal("0.01"), 3, 4110},  // 4109.5
                 {Fixed4(), 0, 0},                    // a single point
                 {Fixed4::literal("-0.1"), 0, 0}};
    for (const auto& row : cases) {
        Chart c;
        c.state.eta0 = row.eta0;
        c.redraw();
        const auto red = c.linesIn(kRed);
        ASSERT_EQ(red.size(), row.segments) << row.eta0.raw();
        if (!red.empty()) {
            EXPECT_EQ(std::pair(red.front().x2, red.front().y2), std::pair(500.0F, row.firstY));
        }
    }
}

TEST(ChartProcedures, OperatingPointResultsAndMarker) {
    const auto largeLosses = [](model::CollectorState& s) {
        s.eta0 = Fixed4::literal("0.01");
        s.a1 = Fixed4::literal("0.9");
        s.a2 = Fixed4::literal("0.2");
        s.irradiance = Int16{100};
    };
    const struct {
        int collectorTemp, ambientTemp;
        Change change;
        Fixed4 operatingX;
        const char* captions;  // operating x | efficiency | output | specific output
        double markerX, markerY;
    } cases[] = {
        {60, 20, {}, Fixed4::literal("0.05"), "0,05|56,7 %|454 W|454 W/m2", 2864.8649, 1851.625},
        {60, 20, [](auto& s) { s.collectorArea = Fixed4::literal("2"); }, Fixed4::literal("0.05"),
         "0,05|56,7 %|908 W|454 W/m2", 2864.8649, 1851.625},
        // a1 * operatingX = 0.10425 exactly: the tie goes down to 0.1042.
        {40, 20, {}, Fixed4::literal("0.025"), "0,025|68,8 %|550 W|550 W/m2", 1682.4324, 1362.385},
        {150, 20, {}, Fixed4::literal("0.1625"), "0,162|0 %|0 W|0 W/m2", 7500, 4150},
        {20, 20, {}, Fixed4(), "0|79,8 %|638 W|638 W/m2", 500, 918.1},
        {10, 20, {}, Fixed4::literal("-0.0125"), "-0,013|79,8 %|638 W|638 W/m2", 500, 918.1},
        // The second test overwrites what the first one set.
        {20, 20, [](auto& s) { s.eta0 = Fixed4(); }, Fixed4(), "0|0 %|0 W|0 W/m2", 7500, 4150},
        {0, 50, largeLosses, Fixed4::literal("-0.5"), "-0,5|0 %|0 W|0 W/m2", 7500, 4150},
    };
    for (const auto& row : cases) {
        Chart c;
        c.state.collectorTemp = Int16::checked(row.collectorTemp);
        c.state.ambientTemp = Int16::checked(row.ambientTemp);
        if (row.change) {
            row.change(c.state);
        }
        c.redraw();
        const QStringList captions{c.operatingXLabel.caption, c.efficiencyLabel.caption,
                                   c.outputLabel.caption, c.specificOutputLabel.caption};
        EXPECT_EQ(captions.join(u'|'), QLatin1String(row.captions));
        EXPECT_EQ(c.state.operatingX, row.operatingX) << row.captions;
        const auto green = c.linesIn(kGreen);
        ASSERT_EQ(green.size(), 2u);
        const float x = green[0].x1;
        const float y = static_cast<float>(row.markerY);
        EXPECT_NEAR(x, row.markerX, 1e-3) << row.captions;
        EXPECT_EQ(green[0], (RecordedLine{x, 4150, x, y, kGreen, 2})) << row.captions;
        EXPECT_EQ(green[1], (RecordedLine{x, y, 500, y, kGreen, 2})) << row.captions;
    }
}

TEST(ChartProcedures, HorizontalTicksFollowTheCurveExtent) {
    const struct {
        Fixed4 zeroEfficiencyX;
        std::size_t ticks;
        double lastX;
        const char16_t* lastText;
    } cases[] = {
        {Fixed4::literal("0.148"), 8, 8067.57, u"0,16"},
        {Fixed4::literal("0.05"), 5, 7500, u"0,05"},
        {Fixed4::literal("0.0799"), 8, 7508.76, u"0,08"},
        {Fixed4::literal("0.08"), 4, 7500, u"0,08"},
        {Fixed4::literal("0.25"), 5, 7500, u"0,25"},
        {Fixed4::literal("0.26"), 6, 8576.92, u"0,3"},
        {Fixed4::literal("0.001"), 1, 70500, u"0,01"},
    };
    for (const auto& row : cases) {
        Chart c;
        c.state.eta0 = Fixed4();  // a one-point curve fits any scale
        c.state.zeroEfficiencyX = row.zeroEfficiencyX;
        c.redraw();
        std::vector<RecordedLine> ticks;
        std::vector<RecordedText> values;
        std::ranges::copy_if(c.surface.lines(), std::back_inserter(ticks),
                             [](const auto& l) { return l.y2 == 4250.0F && l.x1 == l.x2; });
        std::ranges::copy_if(c.surface.prints(), std::back_inserter(values),
                             [](const auto& p) { return p.y == 4300.0F; });
        ASSERT_EQ(ticks.size(), row.ticks) << row.zeroEfficiencyX.raw();
        ASSERT_EQ(values.size(), row.ticks) << row.zeroEfficiencyX.raw();
        EXPECT_NEAR(ticks.back().x1, row.lastX, 0.01) << row.zeroEfficiencyX.raw();
        EXPECT_EQ(values.back().x, ticks.back().x1 - 150.0F) << row.zeroEfficiencyX.raw();
        EXPECT_EQ(values.back().text, QStringView(row.lastText)) << row.zeroEfficiencyX.raw();
    }
}

TEST(ChartProcedures, VerticalScaleIsFixedAndPrintedInTheSurfaceFont) {
    Chart c;
    c.surface.setFontName(QStringLiteral("Arial"));
    c.redraw();
    const auto& prints = c.surface.prints();
    ASSERT_EQ(prints.size(), 8u + 10u);
    const QStringList texts = QStringLiteral("0,1 0,2 0,3 0,4 0,5 0,6 0,7 0,8 0,9 1").split(u' ');
    for (int i = 0; i < 10; ++i) {
        const float y = 3745.0F - 405.0F * static_cast<float>(i);
        const RecordedText& p = prints[8u + static_cast<std::size_t>(i)];
        EXPECT_EQ(c.surface.lines()[p.linesBefore - 1], (RecordedLine{400, y, 500, y, kBlack, 2}));
        EXPECT_EQ(std::tuple(p.x, p.y, p.text), std::tuple(100.0F, y - 100.0F, texts[i]));
    }
    for (const RecordedText& p : prints) {
        EXPECT_TRUE(p.fontName.isEmpty()) << p.text.toStdString();
    }
}

TEST(ChartProcedures, ARuntimeErrorEndsTheRunAndKeepsWhatWasDone) {
    const struct {
        Change change;
        rt::ErrorKind kind;
        std::size_t curveSegments;
    } cases[] = {
        // x = 0.047 maps to 33400 twips, beyond the Int16 range.
        {[](auto& s) { s.zeroEfficiencyX = Fixed4::literal("0.01"); }, rt::ErrorKind::Overflow, 46},
        {[](auto& s) { s.collectorTemp = Int16{32767}, s.ambientTemp = Int16{-1}; },
         rt::ErrorKind::Overflow, 147},
        {[](auto& s) { s.irradiance = Int16{0}; }, rt::ErrorKind::DivisionByZero, 192},
    };
    for (const auto& row : cases) {
        Chart c;
        c.redraw();
        row.change(c.state);
        EXPECT_EQ(testsupport::thrownKind([&] { c.redraw(); }), row.kind) << row.curveSegments;
        EXPECT_EQ(c.linesIn(kRed).size(), row.curveSegments);
        EXPECT_TRUE(c.linesIn(kGreen).empty()) << row.curveSegments;
        EXPECT_EQ(c.state.operatingX, Fixed4::literal("0.05")) << row.curveSegments;
        EXPECT_EQ(c.operatingXLabel.caption + c.outputLabel.caption, u"0,05454 W")
            << row.curveSegments;
    }
}

}  // namespace
