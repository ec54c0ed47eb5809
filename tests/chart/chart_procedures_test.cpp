#include "chart/chart_procedures.h"

#include <gtest/gtest.h>

#include <functional>

#include "chart_harness.h"

namespace {

using chart::RecordedLine;
using chart::RecordedPrint;
using charttest::Chart;
using charttest::kBlack;
using charttest::kGreen;
using charttest::kRed;
using rt::Currency;
using rt::Integer;

TEST(ChartProcedures, StartStateDrawsTheWholeChartInOrder) {
    Chart c;
    c.procedures.Command2_Click();
    const auto& lines = c.graf.lines();
    ASSERT_EQ(lines.size(), 2u + 8u + 10u + 147u + 2u);
    EXPECT_EQ(lines[0], (RecordedLine{500, 100, 500, 4500, kBlack, 2}));
    EXPECT_EQ(lines[1], (RecordedLine{300, 4150, 7800, 4150, kBlack, 2}));
    const auto red = c.linesIn(kRed);
    ASSERT_EQ(red.size(), 147u);
    EXPECT_EQ(red.front(), (RecordedLine{547, 935, 500, 918, kRed, 2}));
    EXPECT_EQ(red.back().x1, 7453.0F);
    EXPECT_EQ(red.back().y1, 4171.0F);
    for (const RecordedLine& l : lines) {
        EXPECT_EQ(l.width, 2);
    }
    EXPECT_EQ(c.graf.drawWidth(), 2);
}

TEST(ChartProcedures, CurveStartsAtTheOpticalEfficiencyRoundedHalfToEven) {
    const struct {
        Currency eta0;
        float firstY;  // 4150 - 4050 * eta0, to a whole twip
    } cases[] = {{Currency::literal("0.798"), 918},
                 {Currency::literal("0.03"), 4028},   // 4028.5
                 {Currency::literal("0.01"), 4110}};  // 4109.5
    for (const auto& row : cases) {
        Chart c;
        c.state.eta0 = row.eta0;
        c.procedures.Command2_Click();
        const auto red = c.linesIn(kRed);
        ASSERT_FALSE(red.empty()) << row.firstY;
        EXPECT_EQ(red.front().x2, 500.0F) << row.firstY;
        EXPECT_EQ(red.front().y2, row.firstY);
    }
    for (const Currency eta0 : {Currency(), Currency::literal("-0.1")}) {  // one point, no segment
        Chart c;
        c.state.eta0 = eta0;
        c.procedures.Command2_Click();
        EXPECT_TRUE(c.linesIn(kRed).empty()) << eta0.raw();
    }
}

TEST(ChartProcedures, OperatingPointResultsAndMarker) {
    const struct {
        const char* label;
        int collectorTemp, ambientTemp;
        std::function<void(model::CollectorState&)> change;
        Currency operatingX;
        const char16_t *label12, *label2, *label3, *label4;
        double markerX, markerY;
    } cases[] = {
        {"start",
         60,
         20,
         {},
         Currency::literal("0.05"),
         u"0,05",
         u"56,7 %",
         u"454 W",
         u"454 W/m2",
         2864.8649,
         1851.625},
        {"area 2", 60, 20, [](auto& s) { s.collectorArea = Currency::literal("2"); },
         Currency::literal("0.05"), u"0,05", u"56,7 %", u"908 W", u"454 W/m2", 2864.8649, 1851.625},
        {"beyond zero efficiency",
         150,
         20,
         {},
         Currency::literal("0.1625"),
         u"0,162",
         u"0 %",
         u"0 W",
         u"0 W/m2",
         7500,
         4150},
        {"no temperature difference",
         20,
         20,
         {},
         Currency(),
         u"0",
         u"79,8 %",
         u"638 W",
         u"638 W/m2",
         500,
         918.1},
        {"colder than ambient",
         10,
         20,
         {},
         Currency::literal("-0.0125"),
         u"-0,013",
         u"79,8 %",
         u"638 W",
         u"638 W/m2",
         500,
         918.1},
        {"no optical efficiency", 20, 20, [](auto& s) { s.eta0 = Currency(); }, Currency(), u"0",
         u"0 %", u"0 W", u"0 W/m2", 7500, 4150},
        {"colder, large losses", 0, 50,
         [](auto& s) {
             s.eta0 = Currency::literal("0.01");
             s.a1 = Currency::literal("0.9");
             s.a2 = Currency::literal("0.2");
             s.irradiance = Integer{100};
         },
         Currency::literal("-0.5"), u"-0,5", u"0 %", u"0 W", u"0 W/m2", 7500, 4150},
    };
    for (const auto& row : cases) {
        Chart c;
        c.state.collectorTemp = Integer::checked(row.collectorTemp);
        c.state.ambientTemp = Integer::checked(row.ambientTemp);
        if (row.change) {
            row.change(c.state);
        }
        c.procedures.Command2_Click();
        EXPECT_EQ(c.state.operatingX, row.operatingX) << row.label;
        EXPECT_EQ(c.label12.caption, QStringView(row.label12)) << row.label;
        EXPECT_EQ(c.label2.caption, QStringView(row.label2)) << row.label;
        EXPECT_EQ(c.label3.caption, QStringView(row.label3)) << row.label;
        EXPECT_EQ(c.label4.caption, QStringView(row.label4)) << row.label;
        const auto green = c.linesIn(kGreen);
        ASSERT_EQ(green.size(), 2u) << row.label;
        EXPECT_NEAR(green[0].x1, row.markerX, 1e-3) << row.label;
        EXPECT_EQ(green[0].x2, green[0].x1) << row.label;
        EXPECT_EQ(green[0].y1, 4150.0F) << row.label;
        EXPECT_EQ(green[0].y2, static_cast<float>(row.markerY)) << row.label;
        EXPECT_EQ(green[1], (RecordedLine{green[0].x1, green[0].y2, 500, green[0].y2, kGreen, 2}))
            << row.label;
    }
}

TEST(ChartProcedures, HorizontalTicksFollowTheCurveExtent) {
    const struct {
        Currency stagnationX;
        std::size_t ticks;
        double lastX;
        const char16_t* lastText;
    } cases[] = {
        {Currency::literal("0.148"), 8, 8067.57, u"0,16"},
        {Currency::literal("0.05"), 5, 7500, u"0,05"},
        {Currency::literal("0.0799"), 8, 7508.76, u"0,08"},
        {Currency::literal("0.08"), 4, 7500, u"0,08"},
        {Currency::literal("0.25"), 5, 7500, u"0,25"},
        {Currency::literal("0.26"), 6, 8576.92, u"0,3"},
        {Currency::literal("0.001"), 1, 70500, u"0,01"},
    };
    for (const auto& row : cases) {
        Chart c;
        c.state.eta0 = Currency();  // a one-point curve fits any scale
        c.state.stagnationX = row.stagnationX;
        c.procedures.Command2_Click();
        std::vector<RecordedLine> ticks;
        for (const RecordedLine& l : c.linesIn(kBlack)) {
            if (l.y1 == 4150.0F && l.y2 == 4250.0F && l.x1 == l.x2) {
                ticks.push_back(l);
            }
        }
        std::vector<RecordedPrint> values;
        for (const RecordedPrint& p : c.graf.prints()) {
            if (p.y == 4300.0F) {
                values.push_back(p);
            }
        }
        ASSERT_EQ(ticks.size(), row.ticks) << row.stagnationX.raw();
        ASSERT_EQ(values.size(), row.ticks) << row.stagnationX.raw();
        EXPECT_NEAR(ticks.back().x1, row.lastX, 0.01) << row.stagnationX.raw();
        EXPECT_EQ(values.back().x, ticks.back().x1 - 150.0F) << row.stagnationX.raw();
        EXPECT_EQ(values.back().text, QStringView(row.lastText)) << row.stagnationX.raw();
    }
}

TEST(ChartProcedures, VerticalScaleIsFixedAndPrintedInTheSurfaceFont) {
    Chart c;
    c.graf.setFontName(QStringLiteral("Arial"));
    c.procedures.Command2_Click();
    const auto& prints = c.graf.prints();
    ASSERT_EQ(prints.size(), 8u + 10u);
    const char16_t* texts[] = {u"0,1", u"0,2", u"0,3", u"0,4", u"0,5",
                               u"0,6", u"0,7", u"0,8", u"0,9", u"1"};
    for (int i = 0; i < 10; ++i) {
        const float y = 3745.0F - 405.0F * static_cast<float>(i);
        const RecordedPrint& p = prints[8u + static_cast<std::size_t>(i)];
        EXPECT_EQ(c.graf.lines()[p.linesBefore - 1], (RecordedLine{400, y, 500, y, kBlack, 2}));
        EXPECT_EQ(p.x, 100.0F);
        EXPECT_EQ(p.y, y - 100.0F);
        EXPECT_EQ(p.text, QStringView(texts[i]));
    }
    for (const RecordedPrint& p : prints) {
        EXPECT_TRUE(p.fontName.isEmpty()) << p.text.toStdString();
    }
}

TEST(ChartProcedures, RepaintRecordsTheCompleteChartOnce) {
    Chart c;
    c.procedures.Command2_Click();
    const auto lines = c.graf.lines();
    c.procedures.graf_Paint();
    EXPECT_EQ(c.graf.lines(), lines);
    EXPECT_EQ(c.graf.prints().size(), 18u);
}

TEST(ChartProcedures, ARuntimeErrorEndsTheRunAndKeepsWhatWasDone) {
    const struct {
        const char* label;
        std::function<void(model::CollectorState&)> change;
        rt::ErrorKind kind;
        std::size_t curveSegments;
    } cases[] = {
        // x = 0.047 maps to 33400 twips, beyond the Integer range.
        {"curve point", [](auto& s) { s.stagnationX = Currency::literal("0.01"); },
         rt::ErrorKind::Overflow, 46},
        {"temperature difference",
         [](auto& s) {
             s.collectorTemp = Integer{32767};
             s.ambientTemp = Integer{-1};
         },
         rt::ErrorKind::Overflow, 147},
        {"no irradiance", [](auto& s) { s.irradiance = Integer{0}; }, rt::ErrorKind::DivisionByZero,
         192},
    };
    for (const auto& row : cases) {
        Chart c;
        c.procedures.Command2_Click();
        row.change(c.state);
        try {
            c.procedures.Command2_Click();
            ADD_FAILURE() << row.label << ": no error";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.kind(), row.kind) << row.label;
        }
        EXPECT_EQ(c.linesIn(kRed).size(), row.curveSegments) << row.label;
        EXPECT_TRUE(c.linesIn(kGreen).empty()) << row.label;
        EXPECT_EQ(c.state.operatingX, Currency::literal("0.05")) << row.label;
        EXPECT_EQ(c.label12.caption, u"0,05") << row.label;
        EXPECT_EQ(c.label3.caption, u"454 W") << row.label;
    }
}

}  // namespace
