#include "model/calculation.h"

#include <gtest/gtest.h>

namespace {

using model::OperatingRule;
using rt::Currency;
using rt::Integer;

// The start coefficients 0.798, 4.17, 0.011; by hand at x = 0.05 and 800 W/m²:
// 0.798 - 0.2085 - 800 · 0.011 · 0.0025 = 0.5675.
const model::Collector kStart{{},
                              Currency::literal("0.798"),
                              Currency::literal("4.17"),
                              Currency::literal("0.011"),
                              Currency::literal("1")};

TEST(Calculation, ResultsAreTheExactValuesTheDisplayRulesApplyTo) {
    model::Collector large = kStart;
    large.area = Currency::literal("2.5");
    const model::Collector unglazed{{},
                                    Currency::literal("0.9"),
                                    Currency::literal("11"),
                                    Currency::literal("0.08"),
                                    Currency::literal("1")};
    const struct {
        const char* what;
        model::Collector collector;
        int collectorTemp, ambientTemp, irradiance;
        Currency characteristic, zeroX, x;
        OperatingRule rule;
        Currency eta, specificOutput, output;
        std::size_t curvePoints;
    } cases[] = {
        {"the start state", kStart, 60, 20, 800, Currency::literal("0.5675"),
         Currency::literal("0.148"), Currency::literal("0.05"), OperatingRule::OnCurve,
         Currency::literal("0.5675"), Currency::literal("454"), Currency::literal("454"), 148},
        {"the output counts the whole area", large, 60, 20, 800, Currency::literal("0.5675"),
         Currency::literal("0.148"), Currency::literal("0.05"), OperatingRule::OnCurve,
         Currency::literal("0.5675"), Currency::literal("454"), Currency::literal("1135"), 148},
        {"no warmer than the air: eta0", kStart, 20, 20, 800, Currency::literal("0.5675"),
         Currency::literal("0.148"), Currency(), OperatingRule::OpticalEfficiency,
         Currency::literal("0.798"), Currency::literal("638.4"), Currency::literal("638.4"), 148},
        // At 1000 W/m² the curve's zero lies at 0.1398.
        {"colder than the air: eta0 too", kStart, 0, 50, 1000, Currency::literal("0.5675"),
         Currency::literal("0.141"), Currency::literal("-0.05"), OperatingRule::OpticalEfficiency,
         Currency::literal("0.798"), Currency::literal("798"), Currency::literal("798"), 141},
        // 0.798 - 0.6255 - 0.198 < 0
        {"beyond the zero: nothing", kStart, 140, 20, 800, Currency::literal("0.5675"),
         Currency::literal("0.148"), Currency::literal("0.15"), OperatingRule::BeyondZero,
         Currency(), Currency(), Currency(), 148},
        // 0.9 - 0.55 - 800 · 0.08 · 0.0025 and 0.9 - 0.1375 - 64 · 0.00015625; the
        // curve's zero lies at 0.0605.
        {"an unglazed collector", unglazed, 30, 20, 800, Currency::literal("0.19"),
         Currency::literal("0.062"), Currency::literal("0.0125"), OperatingRule::OnCurve,
         Currency::literal("0.7525"), Currency::literal("602"), Currency::literal("602"), 62},
    };
    for (const auto& c : cases) {
        const model::Results r = model::calculate(
            c.collector, {Integer::checked(c.collectorTemp), Integer::checked(c.ambientTemp),
                          Integer::checked(c.irradiance)});
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
        EXPECT_LE(r.curve.points.back().eta, Currency()) << c.what;
        EXPECT_GT(r.curve.points[c.curvePoints - 2].eta, Currency()) << c.what;
        EXPECT_FALSE(r.curve.error) << c.what;
    }
}

}  // namespace

// A curve cut short is the whole curve's beginning, up to and with its first
// point beyond the end asked for; leaving out the zero changes nothing else.
TEST(Calculation, ACurveEndAskedForCutsTheSameCurveShort) {
    const model::Conditions at{Integer{60}, Integer{20}, Integer{800}};
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
