#include "model/annual_yield.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "weather_test_data.h"

namespace {

using model::AngleTable;
using model::IncidenceModifier;

TEST(IncidenceModifier, FollowsItsDefinitions) {
    const AngleTable table({0, 45, 65, 75}, {1, 0.9, 0.8, 0.6});
    const struct {
        IncidenceModifier modifier;
        double theta, k;
    } cases[] = {
        {IncidenceModifier::fromB0(0.05), 22.5, 0.99588039},
        {IncidenceModifier::fromB0(0.05), 45, 0.97928932},
        {IncidenceModifier::fromB0(0.05), 67.5, 0.9193437},
        {IncidenceModifier::fromB0(0.05), 89, 0},
        {IncidenceModifier::fromB0(0.05), 90, 0},
        {IncidenceModifier::fromTable(table), 55, 0.85},
        {IncidenceModifier::fromTable(table), 82.5, 0.3},
        {IncidenceModifier::fromTable(AngleTable::everyTenDegrees({{0.99, 0.98}})), 15, 0.985},
        {IncidenceModifier::fromK50(0.94), 50, 0.94},
        {IncidenceModifier::none(), 89, 1},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.modifier(c.theta, 0, 0), c.k, 5e-9) << c.theta;
    }
    EXPECT_NEAR(model::b0FromK50(0.94), 0.107967, 5e-7);
}

// With the sun in the plane along the tubes only θL differs from 0, and in
// the plane across them only θT: there KθT·KθL is the one table's K(θ).
TEST(IncidenceModifier, BiaxialTablesReduceToTheirRowInEachPlane) {
    const AngleTable across({10, 30, 50, 70}, {1.02, 1.05, 1.1, 0.8});
    const AngleTable along({10, 30, 50, 70}, {0.99, 0.96, 0.9, 0.7});
    const model::Plane southAt45{.tilt = 45}, flat{.tilt = 0};
    const struct {
        model::SunPosition sun;
        model::Plane plane;
        const AngleTable& row;
    } cases[] = {
        {{25, 0}, southAt45, along}, {{75, 0}, southAt45, along}, {{5, 180}, southAt45, along},
        {{30, -90}, flat, across},   {{60, 90}, flat, across},    {{85, -90}, flat, across},
    };
    for (const auto& c : cases) {
        const model::IncidenceAngles a = model::incidenceAngles(c.sun, c.plane);
        SCOPED_TRACE(a.theta);
        EXPECT_NEAR(
            IncidenceModifier::biaxial(across, along)(a.theta, a.transversal, a.longitudinal),
            c.row(a.theta), 1e-12);
        EXPECT_NEAR(
            IncidenceModifier::biaxial(c.row, c.row)(a.theta, a.transversal, a.longitudinal),
            IncidenceModifier::fromTable(c.row)(a.theta, 0, 0), 1e-12);
    }
}

// One hour of diffuse light only, which every collector takes in at Kd.
model::PreparedYear oneHour(double diffuse, double air, double wind) {
    model::PreparedYear y;
    y.beam = {0};
    y.diffuse = {diffuse};
    y.theta = y.cosTheta = y.transversal = y.longitudinal = {0};
    y.airTemperature = {air};
    y.wind = {wind};
    y.monthStart = {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    y.irradiation = y.monthlyIrradiation[0] = diffuse / 1000;
    return y;
}

TEST(AnnualYield, AnHoursEfficiencyIsTheCollectorEquations) {
    const struct {
        model::ThermalCollector collector;
        double wind, efficiency;
    } cases[] = {
        {{.eta0b = 0.73, .kd = 0.5, .hemisphericalOnly = true, .a1 = 1.7, .a2 = 0.016},
         0,
         0.30176452266786186},
        // 0.8·0.9 − (1.7 + 0.2·2)·21/G − 0.016·441/G − 0.01·2
        {{.eta0b = 0.8, .kd = 0.9, .a1 = 1.7, .a2 = 0.016, .a3 = 0.2, .a6 = 0.01},
         2,
         0.7 - 51.156 / 99.84226497618872},
        {{.eta0b = 0.3, .a1 = 3}, 0, 0},  // losses above the gain count as 0
    };
    for (const auto& c : cases) {
        const auto r = model::annualYield(oneHour(99.84226497618872, 9, c.wind), c.collector,
                                          std::vector<double>{30});
        EXPECT_NEAR(r[0].efficiency, c.efficiency, 1e-15);
        EXPECT_EQ(r[0].fromHemisphericalEta0, c.collector.hemisphericalOnly);
    }
}

model::PreparedYear preparedFile(const std::string& name, model::Plane plane) {
    return model::prepareYear(model::readWeather(weatherFile(name), name), plane);
}

// On a flat plane the beam and sky parts must add up to the file's GHI.
TEST(AnnualYield, AFlatPlaneReceivesTheGlobalHorizontalIrradiation) {
    for (const model::SkyModel sky : {model::SkyModel::Isotropic, model::SkyModel::HayDavies}) {
        EXPECT_NEAR(preparedFile(kPvgisCsv, {.tilt = 0, .sky = sky}).irradiation, 1435.86, 2);
    }
}

// The b0 curve, and its values every 10° as a table, reach the same year
// through different hours' data: cos θ for the one, θ for the other.
TEST(AnnualYield, AModifiersCurveAndItsTableGiveOneYear) {
    const model::PreparedYear year = preparedFile(kPvgisCsv, {});
    const IncidenceModifier curve = IncidenceModifier::fromB0(0.1);
    std::vector<double> k;
    for (double theta = 10; theta < 90; theta += 10) {
        k.push_back(curve(theta, 0, 0));
    }
    model::ThermalCollector c{.eta0b = 0.8, .a1 = 3.5, .beamModifier = curve};
    const double exact = model::annualYield(year, c)[0].perSquareMetre;
    c.beamModifier = IncidenceModifier::fromTable(AngleTable::everyTenDegrees(k));
    EXPECT_NEAR(model::annualYield(year, c)[0].perSquareMetre / exact, 1, 0.002);
}

TEST(AnnualYield, TheCsvAndTheEpwOfOneYearAgree) {
    const model::ThermalCollector flatPlate{.eta0b = 0.8,
                                            .kd = 0.9,
                                            .a1 = 3.5,
                                            .a2 = 0.015,
                                            .area = 2.3,
                                            .beamModifier = IncidenceModifier::fromB0(0.1)};
    const auto csv = model::annualYield(preparedFile(kPvgisCsv, {}), flatPlate);
    const auto epw = model::annualYield(preparedFile(kPvgisEpw, {}), flatPlate);
    for (std::size_t i = 0; i < csv.size(); ++i) {
        EXPECT_NEAR(epw[i].perSquareMetre / csv[i].perSquareMetre, 1, 0.03);
        EXPECT_NEAR(csv[i].perCollector, 2.3 * csv[i].perSquareMetre, 1e-9);
    }
    EXPECT_NEAR(epw[0].irradiation / csv[0].irradiation, 1, 0.03);
}

TEST(AnnualYield, RefusesWhatItCannotCompute) {
    const model::PreparedYear year = oneHour(500, 10, 1);
    EXPECT_THROW((void)model::annualYield(year, {}, std::vector<double>{151}),
                 std::invalid_argument);
    EXPECT_THROW((void)model::annualYield(year, {.a4 = 0.1}), std::invalid_argument);
}

}  // namespace
