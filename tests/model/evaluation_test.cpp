#include "model/evaluation.h"
#include "model/calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/presets.h"
#include "runtime/number_text.h"
#include "tests/support/hungarian.h"

namespace {

using model::characteristicEfficiency;
using model::EfficiencyCurve;
using model::kCollectorTypes;
using model::zeroEfficiencyX;
using rt::Fixed4;
using rt::Int16;
using testsupport::hungarian;

struct Coefficients {
    Fixed4 eta0, a1, a2;
};

constexpr Coefficients kStart{model::kStartCoefficients.eta0, model::kStartCoefficients.a1,
                              model::kStartCoefficients.a2};

// Start-up stores the double constants 0.798, 4.17 and 0.011 and the area 1
// in Fixed4; the shared constant must hold exactly what that gives.
TEST(Evaluation, StartCoefficientsAreTheDoubleConstantsStoredInFixed4) {
    EXPECT_EQ(model::kStartCoefficients.eta0, Fixed4::fromDouble(0.798));
    EXPECT_EQ(model::kStartCoefficients.a1, Fixed4::fromDouble(4.17));
    EXPECT_EQ(model::kStartCoefficients.a2, Fixed4::fromDouble(0.011));
    EXPECT_EQ(model::kStartCoefficients.collectorArea, Fixed4::fromWhole(1));
    EXPECT_EQ(model::kCollectorTypes[model::kStartRow].name, u"Szelektív síkkollektor");
}

Coefficients preset(int row) {
    const auto& t = kCollectorTypes[static_cast<std::size_t>(row)];
    return {t.eta0, t.a1, t.a2};
}

Fixed4 search(const Coefficients& c, int irradiance) {
    return zeroEfficiencyX(EfficiencyCurve(c.eta0, c.a1, c.a2, Int16::checked(irradiance)));
}

TEST(Evaluation, CharacteristicEfficiencyIsCutToThreeDecimalsDownward) {
    const struct {
        const char* label;
        Coefficients c;
        const char* shown;
    } cases[] = {
        {"start values", kStart, "0,567"},
        {"row 0", preset(0), "0,559"},
        {"row 1", preset(1), "0,654"},
        {"row 2", preset(2), "0,58"},
        {"row 3", preset(3), "0,41"},
        {"row 4", preset(4), "0,19"},
        {"row 5", preset(5), "0,58"},
        {"negative, rounded down",
         {Fixed4::literal("0.1"), Fixed4::literal("10.01"), Fixed4::literal("0.0001")},
         "-0,401"},
        {"zero optical efficiency", {Fixed4(), Fixed4::literal("0.8001"), Fixed4()}, "-0,04"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hungarian().text(
                      model::thousandthsDown(characteristicEfficiency(c.c.eta0, c.c.a1, c.c.a2))),
                  QString::fromUtf8(c.shown))
            << c.label;
    }
}

TEST(Evaluation, ZeroEfficiencySearch) {
    const struct {
        const char* label;
        Coefficients c;
        int irradiance;
        Fixed4 expected;
    } cases[] = {
        {"start values", kStart, 800, Fixed4::literal("0.148")},
        {"row 0", preset(0), 800, Fixed4::literal("0.224")},
        {"row 1", preset(1), 800, Fixed4::literal("0.206")},
        {"row 2", preset(2), 800, Fixed4::literal("0.155")},
        {"row 3", preset(3), 800, Fixed4::literal("0.1")},
        {"row 4", preset(4), 800, Fixed4::literal("0.062")},
        // The rounded terms make the value exactly 0 at 0.199; unrounded it
        // would still be positive there.
        {"row 2 at 10 W/m2", preset(2), 10, Fixed4::literal("0.2")},
        {"negative characteristic",
         {Fixed4::literal("0.1"), Fixed4::literal("10.01"), Fixed4::literal("0.0001")},
         800,
         Fixed4::literal("0.011")},
        {"eta0 0 stops at once",
         {Fixed4(), Fixed4::literal("4"), Fixed4::literal("0.01")},
         800,
         Fixed4::literal("0.001")},
        {"eta0 negative stops at once",
         {Fixed4::literal("-0.5"), Fixed4::literal("4"), Fixed4::literal("0.01")},
         800,
         Fixed4::literal("0.001")},
        {"start values at 1 W/m2", kStart, 1, Fixed4::literal("0.193")},
        {"start values at 1300 W/m2", kStart, 1300, Fixed4::literal("0.133")},
        {"longest admitted search",
         {Fixed4::literal("1"), Fixed4::literal("0.8"), Fixed4()},
         800,
         Fixed4::literal("1.251")},
        {"worst typed collector",
         {Fixed4::literal("0.9999"), Fixed4::literal("0.8001"), Fixed4::literal("0.0001")},
         1,
         Fixed4::literal("1.251")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search(c.c, c.irradiance).raw(), c.expected.raw()) << c.label;
    }
}

TEST(Evaluation, CurveValuesAroundTheStartValuesZero) {
    const EfficiencyCurve curve(kStart.eta0, kStart.a1, kStart.a2, Int16{800});
    double x = 0.0;
    for (int k = 0; k < 146; ++k) {
        x += 0.001;
    }
    EXPECT_EQ(curve.at(x), Fixed4::literal("0.0016"));
    EXPECT_EQ(curve.at(x + 0.001), Fixed4::literal("-0.0052"));
    EXPECT_EQ(curve.at(0.0), kStart.eta0);
}

// An evaluation written apart from the model: Fixed4 as whole units, the
// rounding of a double to units done in extended precision, where the
// product with 10000 is exact.
std::int64_t referenceUnits(double value) {
    return static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(value) * 10000.0L));
}

std::int64_t referenceSearch(const Coefficients& c, int irradiance) {
    const double a1 = static_cast<double>(c.a1.raw()) / 10000.0;
    const double load = static_cast<double>(c.a2.raw() * irradiance) / 10000.0;
    double x = 0.0;
    for (;;) {
        const std::int64_t y =
            c.eta0.raw() - referenceUnits(a1 * x) - referenceUnits(load * (x * x));
        x += 0.001;
        if (y <= 0) {
            return referenceUnits(x);
        }
    }
}

TEST(Evaluation, SweepOfEveryPresetAndIrradianceMatchesAnIndependentSearch) {
    std::vector<Coefficients> collectors;
    for (int row = 0; row < static_cast<int>(kCollectorTypes.size()); ++row) {
        collectors.push_back(preset(row));
    }
    collectors.push_back(kStart);
    collectors.push_back(
        {Fixed4::literal("0.9999"), Fixed4::literal("0.8001"), Fixed4::literal("0.0001")});
    int mismatches = 0;
    for (const Coefficients& c : collectors) {
        for (int irradiance = 1; irradiance <= 1300; ++irradiance) {
            const std::int64_t expected = referenceSearch(c, irradiance);
            const std::int64_t actual = search(c, irradiance).raw();
            if (actual != expected && ++mismatches <= 5) {
                ADD_FAILURE() << "eta0 " << c.eta0.raw() << " G " << irradiance << ": " << actual
                              << " != " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace

namespace {

// The search the bisection must equal: grid point after grid point.
Fixed4 steppedSearch(const EfficiencyCurve& curve) {
    double x = 0.0;
    Fixed4 y;
    do {
        y = curve.at(x);
        x += model::kCurveStep;
    } while (y > Fixed4());
    return Fixed4::fromDouble(x);
}

// Every collector the boxes take, and beyond (a1 down to 0, a2 up to 100),
// at every kind of irradiance: the bisection stops where the steps stop.
TEST(Evaluation, TheZeroSearchStopsWhereTheStepsStop) {
    std::mt19937 random(2026);
    const auto between = [&](double low, double high) {
        return Fixed4::fromDouble(std::uniform_real_distribution(low, high)(random));
    };
    for (int i = 0; i < 20000; ++i) {
        const Fixed4 eta0 = between(0.0001, 0.9999);
        const Fixed4 a1 = i % 10 == 0 ? between(0, 0.8) : between(0.8, 15);
        const Fixed4 a2 = i % 7 == 0 ? Fixed4() : between(0, i % 3 == 0 ? 100 : 0.05);
        const int irradiance = std::uniform_int_distribution(1, 1300)(random);
        const EfficiencyCurve curve(eta0, a1, a2, Int16::checked(irradiance));
        ASSERT_EQ(zeroEfficiencyX(curve), steppedSearch(curve))
            << eta0.toDouble() << " " << a1.toDouble() << " " << a2.toDouble() << " " << irradiance;
    }
}

}  // namespace
