#include "present/result_texts.h"

#include <gtest/gtest.h>

#include "model/evaluation.h"
#include "model/presets.h"
#include "tests/support/hungarian.h"
#include "tests/support/runtime_errors.h"
#include "tests/support/start_state.h"

namespace {

using present::PowerRow;
using rt::Fixed4;

// The window's inputs at start-up, as its controls hold them.
present::InputTexts startInputs() {
    return {.collectorType = QStringLiteral("Szelektív síkkollektor"),
            .eta0 = QStringLiteral("0,798"),
            .a1 = QStringLiteral("4,17"),
            .a2 = QStringLiteral("0,011"),
            .collectorArea = QStringLiteral("1"),
            .conditions = testsupport::startState().conditions()};
}

present::ResultTexts startResults() {
    const model::CollectorState state = testsupport::startState();
    return present::formatResults(model::calculate(state.collector(), state.conditions()),
                                  testsupport::hungarian());
}

std::vector<present::NamedValue> linesOf(const present::InputTexts& inputs,
                                         const std::vector<present::KeptResult>& kept = {}) {
    return present::resultLines(inputs, startResults(), kept, testsupport::hungarian());
}

TEST(Results, LinesNameEveryInputAndResultInOrder) {
    const QString expected = QStringLiteral(
        "Napkollektor típusa\tSzelektív síkkollektor\n"
        "η0 – optikai hatásfok\t0,798\n"
        "a1 – elsőfokú hőveszteségi együttható\t4,17\n"
        "a2 – másodfokú hőveszteségi együttható\t0,011\n"
        "A napkollektorok hasznos felülete (m²)\t1\n"
        "Napkollektor hőmérséklet\t60 °C\n"
        "Környezeti hőmérséklet\t20 °C\n"
        "Napsugárzás intenzitás\t800 W/m²\n"
        "Jellemző hatásfok (ηx=0,05)\t0,567\n"
        "x\t0,05\n"
        "Pillanatnyi kollektor hatásfok (η)\t56,7 %\n"
        "Fajlagos teljesítmény (q̇)\t454 W/m2\n"
        "Kollektor teljesítmény (Q̇)\t454 W\n"
        "x, ahol a hatásfok 0\t0,148\n");
    EXPECT_EQ(present::plainText(linesOf(startInputs())), expected);
}

TEST(Results, KeptCollectorsFollowTheResultsWithTheirEfficiencyAndOutput) {
    const std::vector<present::KeptResult> kept = {
        {QStringLiteral("Vákumcsöves kollektor"), QStringLiteral("55,9 %"),
         QStringLiteral("447 W/m2")},
        {QStringLiteral("Egyedi kollektor (η0 0,5; a1 4; a2 0,01)"), QStringLiteral("0 %"),
         QStringLiteral("0 W/m2")}};
    const QString text = present::plainText(linesOf(startInputs(), kept));
    EXPECT_TRUE(
        text.endsWith(QStringLiteral("x, ahol a hatásfok 0\t0,148\n"
                                     "Vákumcsöves kollektor (η)\t55,9 %\n"
                                     "Vákumcsöves kollektor (q̇)\t447 W/m2\n"
                                     "Egyedi kollektor (η0 0,5; a1 4; a2 0,01) (η)\t0 %\n"
                                     "Egyedi kollektor (η0 0,5; a1 4; a2 0,01) (q̇)\t0 W/m2\n")))
        << text.toStdString();
}

TEST(Results, SliderValuesKeepTheirSignAndUnit) {
    present::InputTexts inputs = startInputs();
    inputs.conditions = {rt::Int16{0}, rt::Int16{-30}, rt::Int16{1300}};
    const auto lines = linesOf(inputs);
    ASSERT_EQ(lines.size(), 14U);
    EXPECT_EQ(lines[5].value, u"0 °C");
    EXPECT_EQ(lines[6].value, u"-30 °C");
    EXPECT_EQ(lines[7].value, u"1300 W/m²");  // no digit grouping
}

TEST(Results, HtmlTableEscapesEveryCell) {
    const std::vector<present::NamedValue> lines{
        {QStringLiteral("a <b> & \"c\""), QStringLiteral("1 < 2")},
        {QStringLiteral("x"), QStringLiteral("0,05")},
    };
    EXPECT_EQ(present::htmlTable(lines),
              QStringLiteral("<table>\n"
                             "<tr><td>a &lt;b&gt; &amp; &quot;c&quot;</td><td>1 &lt; 2</td></tr>\n"
                             "<tr><td>x</td><td>0,05</td></tr>\n"
                             "</table>\n"));
}

// The collector state after an evaluation with these coefficients.
model::CollectorState evaluated(Fixed4 eta0, Fixed4 a1, Fixed4 a2, int ambient, int irradiance) {
    model::CollectorState state = testsupport::startState();
    state.eta0 = eta0;
    state.a1 = a1;
    state.a2 = a2;
    state.ambientTemp = rt::Int16::checked(ambient);
    state.irradiance = rt::Int16::checked(irradiance);
    state.zeroEfficiencyX =
        model::zeroEfficiencyX(model::EfficiencyCurve(eta0, a1, a2, state.irradiance));
    return state;
}

std::vector<int> deltas(const std::vector<PowerRow>& rows) {
    std::vector<int> out;
    for (const PowerRow& row : rows) {
        out.push_back(row.deltaT);
    }
    return out;
}

TEST(PowerTable, StartStateRunsUntilTheFirstZeroEfficiency) {
    const auto rows =
        present::powerTable(testsupport::startState().collector(),
                            testsupport::startState().conditions(), testsupport::hungarian(), 10);
    ASSERT_EQ(rows.size(), 13U);
    EXPECT_EQ(deltas(rows).back(), 120);
    const auto row = [](const PowerRow& r) {
        return std::make_tuple(r.deltaT, r.operatingX, r.efficiency, r.specificOutput, r.output);
    };
    // ΔT 0: no heat loss, the optical efficiency; ΔT 40 is the start state's
    // own operating point, as the window shows it.
    EXPECT_EQ(row(rows[0]), row({0, "0", "79,8 %", "638 W/m2", "638 W"}));
    EXPECT_EQ(row(rows[1]), row({10, "0,012", "74,4 %", "595 W/m2", "595 W"}));
    EXPECT_EQ(row(rows[4]), row({40, "0,05", "56,7 %", "454 W/m2", "454 W"}));
    EXPECT_EQ(row(rows[11]), row({110, "0,137", "5,8 %", "46 W/m2", "46 W"}));
    EXPECT_EQ(row(rows[12]), row({120, "0,15", "0 %", "0 W/m2", "0 W"}));
}

TEST(PowerTable, TextAndHtmlCarryTheUnitsInTheHeader) {
    const auto rows =
        present::powerTable(testsupport::startState().collector(),
                            testsupport::startState().conditions(), testsupport::hungarian(), 60);
    EXPECT_EQ(present::powerTablePlainText(rows), QStringLiteral("ΔT [K]\tx\tη\tq̇ [W/m²]\tQ̇ [W]\n"
                                                                 "0\t0\t79,8 %\t638\t638\n"
                                                                 "60\t0,075\t43,5 %\t348\t348\n"
                                                                 "120\t0,15\t0 %\t0\t0\n"));
    EXPECT_EQ(
        present::powerTableHtml(rows),
        QStringLiteral("<table>\n"
                       "<tr><th>ΔT [K]</th><th>x</th><th>η</th><th>q̇ [W/m²]</th>"
                       "<th>Q̇ [W]</th></tr>\n"
                       "<tr><td>0</td><td>0</td><td>79,8 %</td><td>638</td><td>638</td></tr>\n"
                       "<tr><td>60</td><td>0,075</td><td>43,5 %</td><td>348</td><td>348</td>"
                       "</tr>\n"
                       "<tr><td>120</td><td>0,15</td><td>0 %</td><td>0</td><td>0</td></tr>\n"
                       "</table>\n"));
}

TEST(PowerTable, RowsFollowTheSliderRangeAndTheZero) {
    const auto& unglazed = model::kCollectorTypes[4];
    const struct {
        const char* what;
        model::CollectorState state;
        int step;
        std::vector<int> deltas;
        const char* lastEfficiency;
    } cases[] = {
        {"an unglazed collector reaches 0 at ΔT 50",
         evaluated(unglazed.eta0, unglazed.a1, unglazed.a2, 20, 800),
         10,
         {0, 10, 20, 30, 40, 50},
         "0 %"},
        {"below 0 °C the rows are left out",
         evaluated(unglazed.eta0, unglazed.a1, unglazed.a2, -30, 1300),
         25,
         {50, 75},
         "0 %"},
        {"a collector that never reaches 0 ends at the slider's maximum",
         evaluated(Fixed4::literal("0.9999"), Fixed4::literal("0.8001"), Fixed4::literal("0.0001"),
                   50, 1300),
         100,
         {0, 100, 200},
         "87,3 %"},
        {"one row per kelvin up to 250 °C",
         evaluated(Fixed4::literal("0.9999"), Fixed4::literal("0.8001"), Fixed4::literal("0.0001"),
                   0, 1300),
         1,
         {},
         nullptr},
    };
    for (const auto& c : cases) {
        const auto rows = present::powerTable(c.state.collector(), c.state.conditions(),
                                              testsupport::hungarian(), c.step);
        ASSERT_FALSE(rows.empty()) << c.what;
        if (c.lastEfficiency == nullptr) {
            EXPECT_EQ(rows.size(), 251U) << c.what;
            EXPECT_EQ(rows.back().deltaT, 250) << c.what;
            continue;
        }
        EXPECT_EQ(deltas(rows), c.deltas) << c.what;
        EXPECT_EQ(rows.back().efficiency, QString::fromUtf8(c.lastEfficiency)) << c.what;
    }
}

}  // namespace

namespace {

// The display rules: three decimals cut down, percent to a tenth cut down,
// whole watts cut down, the zero x whole; each in the region's format.
TEST(Formatting, EachResultIsCutAsItsLabelShowsIt) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const rt::NumberFormat point(english);
    const struct {
        const rt::NumberFormat& format;
        Fixed4 characteristic, x, eta, specificOutput, output, zeroX;
        const char* texts;
    } cases[] = {
        {testsupport::hungarian(), Fixed4::literal("0.5675"), Fixed4::literal("0.0509"),
         Fixed4::literal("0.5675"), Fixed4::literal("454.9999"), Fixed4::literal("1135.5"),
         Fixed4::literal("0.148"), "0,567|0,05|56,7 %|454 W/m2|1135 W|0,148"},
        {testsupport::hungarian(), Fixed4::literal("0.9999"), Fixed4::literal("-0.0501"),
         Fixed4::literal("0.0009"), Fixed4::literal("0.9999"), Fixed4(), Fixed4::literal("0.001"),
         "0,999|-0,051|0 %|0 W/m2|0 W|0,001"},
        {point, Fixed4::literal("-0.0001"), Fixed4(), Fixed4::literal("1"), Fixed4::literal("1300"),
         Fixed4::literal("129999.9999"), Fixed4::literal("1.25"),
         "-0.001|0|100 %|1300 W/m2|129999 W|1.25"},
    };
    for (const auto& c : cases) {
        model::Results results;
        results.characteristic = c.characteristic;
        results.operatingX = c.x;
        results.operating = model::OperatingPoint{.rule = model::OperatingRule::OnCurve,
                                                  .curveEta = c.eta,
                                                  .eta = c.eta,
                                                  .specificOutput = c.specificOutput,
                                                  .output = c.output};
        results.zeroEfficiencyX = c.zeroX;
        const present::ResultTexts t = present::formatResults(results, c.format);
        const QStringList texts{t.characteristic.get(), t.operatingX.get(),
                                t.efficiency.get(),     t.specificOutput.get(),
                                t.output.get(),         t.zeroEfficiencyX.get()};
        EXPECT_EQ(texts.join(u'|'), QString::fromUtf8(c.texts));
    }
    // A result not reached keeps its error for the text too.
    model::Results failed;
    failed.operating = model::Reached<model::OperatingPoint>::failed(rt::ErrorKind::Overflow);
    const present::ResultTexts t = present::formatResults(failed, testsupport::hungarian());
    EXPECT_EQ(testsupport::thrownKind([&] { (void)t.output.get(); }), rt::ErrorKind::Overflow);
    EXPECT_EQ(t.characteristic.get(), u"0");
}

}  // namespace
