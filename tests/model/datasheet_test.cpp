#include "model/datasheet.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "test_printers.h"

namespace {

using model::DatasheetField;
using model::DatasheetInput;
using model::PeakEfficiency;
using model::ReferenceArea;

// Each row as "ΔT:W per collector/W per m² gross/W per m² aperture/η gross
// %/η aperture %", rounded as the sheets print them, "-" where not known.
QString rowsOf(const DatasheetInput& input) {
    const auto text = [](const std::optional<double>& value, double factor, int decimals) {
        return value ? QString::number(model::roundHalfEven(*value * factor, decimals))
                     : QStringLiteral("-");
    };
    QStringList rows;
    for (const model::DatasheetRow& row : model::computeDatasheet(input).rows) {
        rows << QStringLiteral("%1:%2/%3/%4/%5/%6")
                    .arg(row.deltaT)
                    .arg(text(row.perCollector, 1, 0), text(row.perGrossArea, 1, 0),
                         text(row.perApertureArea, 1, 0), text(row.efficiencyGross, 100, 1),
                         text(row.efficiencyAperture, 100, 1));
    }
    return rows.join(u' ');
}

DatasheetInput onGross(double eta0, double a1, double a2, double area,
                       std::vector<double> deltaT = {0, 10, 30, 50, 70}) {
    DatasheetInput input;
    input.eta0 = eta0;
    input.a1 = a1;
    input.a2 = a2;
    input.grossArea = area;
    input.deltaT = std::move(deltaT);
    return input;
}

// The same with η0,b and Kd in place of η0.
DatasheetInput withBeam(DatasheetInput input, double kd, double beam = 850, double diffuse = 150) {
    input.peak = PeakEfficiency::Beam;
    input.kd = kd;
    input.beam = beam;
    input.diffuse = diffuse;
    return input;
}

// Made up, referred to the aperture: η0 0.8, a1 4, a2 0.01, Aa 2 m², AG 2.5 m².
//   q̇(ΔT) = 800 − 4·ΔT − 0.01·ΔT²: 800, 759, 671, 575, 471 W/m² of aperture;
//   ×2 m²: 1600, 1518, 1342, 1150, 942 W; ÷2.5 m²: 640, 607.2, 536.8, 460, 376.8.
// Referred to the gross area, ×Aa/AG = 0.8: η0 0.64, a1 3.2, a2 0.008, and
//   q̇(10) = 640 − 32 − 0.8 = 607.2 W/m², ×2.5 m² = 1518 W: the same collector.
const DatasheetInput kMadeUp{.eta0 = 0.8,
                             .a1 = 4,
                             .a2 = 0.01,
                             .reference = ReferenceArea::Aperture,
                             .grossArea = 2.5,
                             .apertureArea = 2};
const char* const kMadeUpRows =
    "0:1600/640/800/64/80 10:1518/607/759/60.7/75.9 30:1342/537/671/53.7/67.1 "
    "50:1150/460/575/46/57.5 70:942/377/471/37.7/47.1";

TEST(Datasheet, TheSameCollectorGivesTheSamePowerReferredToEitherArea) {
    EXPECT_EQ(rowsOf(kMadeUp), kMadeUpRows);
    const std::optional<model::Coefficients> gross = model::computeDatasheet(kMadeUp).converted;
    ASSERT_TRUE(gross);
    EXPECT_EQ(gross->area, ReferenceArea::Gross);
    EXPECT_DOUBLE_EQ(gross->eta0, 0.64);
    EXPECT_DOUBLE_EQ(gross->a1, 3.2);
    EXPECT_DOUBLE_EQ(gross->a2, 0.008);
    DatasheetInput referredToGross = kMadeUp;
    referredToGross.reference = ReferenceArea::Gross;
    referredToGross.eta0 = gross->eta0;
    referredToGross.a1 = gross->a1;
    referredToGross.a2 = gross->a2;
    EXPECT_EQ(rowsOf(referredToGross), kMadeUpRows);
    // And back: the aperture's own coefficients.
    EXPECT_DOUBLE_EQ(model::computeDatasheet(referredToGross).converted.value().a1, 4);
}

TEST(Datasheet, RowsFollowTheAreasAndConditionsGiven) {
    DatasheetInput pastStagnation = kMadeUp;
    pastStagnation.eta0 = 0.5;
    pastStagnation.deltaT = {100, 150};
    const struct {
        const char* what;
        DatasheetInput input;
        const char* rows;
    } cases[] = {
        // η0,b 0.8 with Kd 0.9 is η0 0.8·(0.85 + 0.15·0.9) = 0.788, on 2 m² gross:
        // q̇(50) = 788 − 175 − 37.5 = 575.5 W/m² → 576, ×2 = 1151 W.
        {"η0 given", onGross(0.788, 3.5, 0.015, 2, {0, 50}),
         "0:1576/788/-/78.8/- 50:1151/576/-/57.6/-"},
        {"η0,b and Kd", withBeam(onGross(0.8, 3.5, 0.015, 2, {0, 50}), 0.9),
         "0:1576/788/-/78.8/- 50:1151/576/-/57.6/-"},
        // The beam efficiency takes Gb whole and Gd times Kd: 0.8·(700 + 0.5·300) = 680.
        {"other conditions", withBeam(onGross(0.8, 0, 0, 1, {0}), 0.5, 700, 300),
         "0:680/680/-/68/-"},
        // An evacuated tube the window refuses (a1 below 0.8): η0 0.65, a1 0.6,
        // a2 0.005 on 3 m² gross. q̇(10) = 650 − 6 − 0.5 = 643.5 W/m² → 644,
        // ×3 = 1930.5 W → 1930; q̇(30) = 627.5 → 628, 1882.5 → 1882; q̇(50) = 607.5
        // → 608, 1822.5 → 1822; q̇(70) = 583.5 → 584, 1750.5 → 1750.
        {"evacuated tube", onGross(0.65, 0.6, 0.005, 3),
         "0:1950/650/-/65/- 10:1930/644/-/64.4/- 30:1882/628/-/62.8/- 50:1822/608/-/60.8/- "
         "70:1750/584/-/58.4/-"},
        // 500 − 4·100 − 0.01·100² = 0: zero at the root and past it, never negative.
        {"past stagnation", pastStagnation, "100:0/0/0/0/0 150:0/0/0/0/0"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(rowsOf(row.input), row.rows) << row.what;
    }
}

TEST(Datasheet, TheStagnationEstimateIsTheRootAt1000WattsPlus30Degrees) {
    const struct {
        double eta0, a1, a2;
        std::optional<double> expected;
    } cases[] = {
        {0.5, 4, 0.01, 130},  // 0.01·100² + 4·100 = 500
        {0.8, 4, 0, 230},     // 800 / 4 = 200
        // An evacuated tube: 0.005·300² + 0.6·300 = 630 < 650, the root lies past 300 K.
        {0.65, 0.6, 0.005, (std::sqrt(0.36 + 4 * 0.005 * 650) - 0.6) / 0.01 + 30},
        {0.9, 0.5, 0.001, std::nullopt},  // 0.001·400² + 0.5·400 = 360 < 900
        {0.5, 0, 0, std::nullopt},
    };
    for (const auto& row : cases) {
        const std::optional<double> estimate =
            model::computeDatasheet(onGross(row.eta0, row.a1, row.a2, 1)).stagnationEstimate;
        ASSERT_EQ(estimate.has_value(), row.expected.has_value()) << row.eta0;
        if (estimate) {
            EXPECT_NEAR(*estimate, *row.expected, 1e-9) << row.eta0;
        }
    }
}

TEST(Datasheet, RefusesValuesOutsideTheirRangesNamingTheField) {
    const auto with = [](auto change) {
        DatasheetInput input = kMadeUp;
        change(input);
        return input;
    };
    const struct {
        DatasheetInput input;
        std::vector<DatasheetField> fields;
        const char* firstMessage;
    } cases[] = {
        {kMadeUp, {}, ""},
        {with([](DatasheetInput& i) { i.eta0 = 1.01; }),
         {DatasheetField::Eta0},
         "Az η0 (optikai hatásfok) 0-nál nagyobb és legfeljebb 1 lehet."},
        {withBeam(with([](DatasheetInput& i) { i.eta0 = 0; }), 2.2),
         {DatasheetField::Eta0, DatasheetField::Kd},
         "Az η0,b (optikai hatásfok direkt sugárzásra) 0-nál nagyobb és legfeljebb 1 lehet."},
        {with([](DatasheetInput& i) { i.a1 = -0.1; }),
         {DatasheetField::A1},
         "Az a1 (elsőfokú hőveszteségi együttható) 0 és 100 W/(m²·K) között lehet."},
        {with([](DatasheetInput& i) { i.a2 = std::nan(""); }),
         {DatasheetField::A2},
         "Az a2 (másodfokú hőveszteségi együttható) 0 és 1 W/(m²·K²) között lehet."},
        {with([](DatasheetInput& i) { i.apertureArea.reset(); }),
         {DatasheetField::ApertureArea},
         "Az apertúrafelületet meg kell adni: az együtthatók arra vonatkoznak."},
        {with([](DatasheetInput& i) { i.grossArea = 0; }),
         {DatasheetField::GrossArea},
         "A bruttó felület 0,01 és 100 m² között lehet."},
        {with([](DatasheetInput& i) { i.grossArea = 1e-300; }),
         {DatasheetField::GrossArea},
         "A bruttó felület 0,01 és 100 m² között lehet."},
        {with([](DatasheetInput& i) { i.apertureArea = 1e300; }),
         {DatasheetField::ApertureArea},
         "Az apertúrafelület 0,01 és 100 m² között lehet."},
        {with([](DatasheetInput& i) { i.grossArea = 2.0, i.apertureArea = 2.5; }),
         {DatasheetField::ApertureArea},
         "Az apertúrafelület nem lehet nagyobb a bruttó felületnél."},
        {with([](DatasheetInput& i) { i.deltaT.push_back(300.5); }),
         {DatasheetField::DeltaT},
         "Minden ΔT-érték 0 és 300 K között lehet."},
        // Said once, however many are outside.
        {with([](DatasheetInput& i) { i.deltaT.push_back(-1), i.deltaT.push_back(400); }),
         {DatasheetField::DeltaT},
         "Minden ΔT-érték 0 és 300 K között lehet."},
        {with([](DatasheetInput& i) { i.deltaT.clear(); }),
         {DatasheetField::DeltaT},
         "Legalább egy ΔT-értéket meg kell adni."},
        {with([](DatasheetInput& i) { i.diffuse = -1; }),
         {DatasheetField::Diffuse},
         "A szórt sugárzás (Gd) 0 és 1500 W/m² között lehet."},
        {with([](DatasheetInput& i) { i.beam = 1e308; }),
         {DatasheetField::Beam},
         "A direkt sugárzás (Gb) 0 és 1500 W/m² között lehet."},
        {with([](DatasheetInput& i) { i.beam = i.diffuse = 0; }),
         {DatasheetField::Beam},
         "A direkt és a szórt sugárzás összegének (Gb + Gd) 0-nál nagyobbnak kell lennie."},
    };
    for (const auto& row : cases) {
        const std::vector<model::DatasheetProblem> problems = model::checkDatasheet(row.input);
        std::vector<DatasheetField> fields;
        for (const model::DatasheetProblem& problem : problems) {
            fields.push_back(problem.field);
        }
        EXPECT_EQ(fields, row.fields) << row.firstMessage;
        EXPECT_EQ(problems.empty() ? QString() : problems.front().message,
                  QString::fromUtf8(row.firstMessage));
    }
}

TEST(Datasheet, RoundsAHalfToTheEvenNeighbour) {
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {{0.5, 0, 0},
                 {1.5, 0, 2},
                 {1930.5, 0, 1930},
                 {643.5, 0, 644},
                 {-2.5, 0, -2},
                 {2.4999, 0, 2},
                 {78.85, 1, 78.8},
                 {650.0000000000001, 0, 650},
                 {0.65 * 1000 * 3, 0, 1950}};
    for (const auto& row : cases) {
        EXPECT_EQ(model::roundHalfEven(row.value, row.decimals), row.expected) << row.value;
    }
}

}  // namespace

namespace {

// An evacuated tube stagnates past 300 K above its surroundings; the search
// goes as far as such collectors do. Away from 850/150 W/m² the rows use
// η0,b·(Gb + Kd·Gd)/(Gb + Gd), and the result says which η0 that is.
TEST(Datasheet, TubesStagnateBeyond300KAndTheSplitInUseIsTold) {
    model::DatasheetInput tube;
    tube.eta0 = 0.65;
    tube.a1 = 0.6;
    tube.a2 = 0.005;
    tube.grossArea = 2;
    const model::DatasheetResult result = model::computeDatasheet(tube);
    ASSERT_TRUE(result.stagnationEstimate.has_value());
    EXPECT_NEAR(*result.stagnationEstimate, 305.5 + 30, 0.1);

    model::DatasheetInput beam = tube;
    beam.peak = model::PeakEfficiency::Beam;
    beam.eta0 = 0.75;
    beam.kd = 0.91;
    beam.beam = 800;
    beam.diffuse = 200;
    const model::DatasheetResult split = model::computeDatasheet(beam);
    EXPECT_NEAR(split.eta0, 0.75 * (0.85 + 0.15 * 0.91), 1e-12);  // the standard's 850/150
    EXPECT_NEAR(split.eta0InUse, 0.75 * (800 + 0.91 * 200) / 1000, 1e-12);
}

}  // namespace
