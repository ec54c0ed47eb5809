#include "model/calculation.h"

#include <gtest/gtest.h>

namespace {

using model::OperatingRule;
using rt::Fixed4;
using rt::Int16;

// The start coefficients 0.798, 4.17, 0.011; by hand at x = 0.05 and 800 W/m²:
// 0.798 - 0.2085 - 800 · 0.011 · 0.0025 = 0.5675.
const model::Collector kStart{{},
                              Fixed4::literal("0.798"),
                              Fixed4::literal("4.17"),
                              Fixed4::literal("0.011"),
                              Fixed4::literal("1")};

TEST(Calculation, ResultsAreTheExactValuesTheDisplayRulesApplyTo) {
    model::Collector large = kStart;
    large.area = Fixed4::literal("2.5");
    const model::Collector unglazed{{},
                                    Fixed4::literal("0.9"),
                                    Fixed4::literal("11"),
                                    Fixed4::literal("0.08"),
                                    Fixed4::literal("1")};
    const struct {
        const char* what;
        model::Collector collector;
        int collectorTemp, ambientTemp, irradiance;
        Fixed4 characteristic, zeroX, x;
        OperatingRule rule;
        Fixed4 eta, specificOutput, output;
        std::size_t curvePoints;
    } cases[] = {
        {"the start state", kStart, 60, 20, 800, Fixed4::literal("0.5675"),
         Fixed4::literal("0.148"), Fixed4::literal("0.05"), OperatingRule::OnCurve,
         Fixed4::literal("0.5675"), Fixed4::literal("454"), Fixed4::literal("454"), 148},
        {"the output counts the whole area", large, 60, 20, 800, Fixed4::literal("0.5675"),
         Fixed4::literal("0.148"), Fixed4::literal("0.05"), OperatingRule::OnCurve,
         Fixed4::literal("0.5675"), Fixed4::literal("454"), Fixed4::literal("1135"), 148},
        {"no warmer than the air: eta0", kStart, 20, 20, 800, Fixed4::literal("0.5675"),
         Fixed4::literal("0.148"), Fixed4(), OperatingRule::OpticalEfficiency,
         Fixed4::literal("0.798"), Fixed4::literal("638.4"), Fixed4::literal("638.4"), 148},
        // At 1000 W/m² the curve's zero lies at 0.1398.
        {"colder than the air: eta0 too", kStart, 0, 50, 1000, Fixed4::literal("0.5675"),
         Fixed4::literal("0.141"), Fixed4::literal("-0.05"), OperatingRule::OpticalEfficiency,
         Fixed4::literal("0.798"), Fixed4::literal("798"), Fixed4::literal("798"), 141},
        // 0.798 - 0.6255 - 0.198 < 0
        {"beyond the zero: nothing", kStart, 140, 20, 800, Fixed4::literal("0.5675"),
         Fixed4::literal("0.148"), Fixed4::literal("0.15"), OperatingRule::BeyondZero, Fixed4(),
         Fixed4(), Fixed4(), 148},
        // 0.9 - 0.55 - 800 · 0.08 · 0.0025 and 0.9 - 0.1375 - 64 · 0.00015625; the
        // curve's zero lies at 0.0605.
        {"an unglazed collector", unglazed, 30, 20, 800, Fixed4::literal("0.19"),
         Fixed4::literal("0.062"), Fixed4::literal("0.0125"), OperatingRule::OnCurve,
         Fixed4::literal("0.7525"), Fixed4::literal("602"), Fixed4::literal("602"), 62},
    };
    for (const auto& c : cases) {
        const model::Results r = model::calculate(
            c.collector, {Int16::checked(c.collectorTemp), Int16::checked(c.ambientTemp),
                          Int16::checked(c.irradiance)});
        EXPECT_EQ(r.characteristic.get(), c.characteristic) << c.what;
        EXPECT_EQ(r.zeroEfficiencyX.get(), c.zeroX) << c.what;
        EXPECT_EQ(r.operatingX.get(), c.x) << c.what;
        const model::OperatingPoint& p = r.operating.get();
        EXPECT_EQ(p.rule, c.rule) << c.what;
        EXPECT_EQ(std::tuple(p.eta, p.specificOutput, p.output),
                  std::tuple(c.eta, c.specificOutput, c.output))
            << c.what;
        // The curve ends with its first point at zero or below, a step short
        // of where the search stops.
        ASSERT_EQ(r.curve.points.size(), c.curvePoints) << c.what;
        EXPECT_EQ(r.curve.points.front().eta, c.collector.eta0) << c.what;
        EXPECT_LE(r.curve.points.back().eta, Fixed4()) << c.what;
        EXPECT_GT(r.curve.points[c.curvePoints - 2].eta, Fixed4()) << c.what;
        EXPECT_FALSE(r.curve.error) << c.what;
    }
}

}  // namespace

// A curve cut short is the whole curve's beginning, up to and with its first
// point beyond the end asked for; leaving out the zero changes nothing else.
TEST(Calculation, ACurveEndAskedForCutsTheSameCurveShort) {
    const model::Conditions at{Int16{60}, Int16{20}, Int16{800}};
    const model::Results whole = model::calculate(kStart, at);
    const struct {
        double endX;
        std::size_t points;
    } cases[] = {{0.0, 2}, {0.0505, 52}, {0.1455, 147}, {0.2, 148}};
    for (const auto& c : cases) {
        const model::Results cut =
            model::calculate(kStart, at, {.zeroEfficiencyX = false, .curveEndX = c.endX});
        ASSERT_EQ(cut.curve.points.size(), c.points) << c.endX;
        for (std::size_t k = 0; k < c.points; ++k) {
            EXPECT_EQ(cut.curve.points[k].eta, whole.curve.points[k].eta) << c.endX << ' ' << k;
        }
        EXPECT_EQ(cut.operating.get().output, whole.operating.get().output) << c.endX;
    }
}
