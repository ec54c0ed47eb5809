#include "runtime/fixed4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "tests/support/runtime_errors.h"

namespace {

using rt::ErrorKind;
using rt::Fixed4;
using rt::Int16;
using testsupport::thrownKind;

static_assert(Fixed4::literal("0.65").raw() == 6500);
static_assert(Fixed4::literal("0.008").raw() == 80);
static_assert(Fixed4::literal("-0.0125").raw() == -125);
static_assert(Fixed4::literal("4").raw() == 40000);
static_assert(Fixed4::literal("-1.25").wholeFloor() == Fixed4::literal("-2"));
static_assert(Fixed4::literal("1.9999").wholeFloor() == Fixed4::literal("1"));
static_assert(Fixed4::literal("-3").wholeFloor() == Fixed4::literal("-3"));
static_assert(Fixed4::literal("0.011") * Int16{800} == Fixed4::literal("8.8"));

struct FromDoubleCase {
    double value;
    std::int64_t units;
};

class Fixed4FromDouble : public testing::TestWithParam<FromDoubleCase> {};

TEST_P(Fixed4FromDouble, RoundsTheExactProductHalfToEven) {
    EXPECT_EQ(Fixed4::fromDouble(GetParam().value).raw(), GetParam().units) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Fixed4FromDouble,
    testing::Values(FromDoubleCase{0.03125, 312}, FromDoubleCase{0.09375, 938},
                    FromDoubleCase{-0.03125, -312}, FromDoubleCase{-0.09375, -938},
                    FromDoubleCase{0.00005, 1},  // the double lies just above the half
                    FromDoubleCase{0.00015, 1},  // ... and this one just below 1.5
                    FromDoubleCase{0.00025, 3},  // just above 2.5
                    FromDoubleCase{0.798, 7980}, FromDoubleCase{4.17, 41700},
                    FromDoubleCase{0.011, 110}, FromDoubleCase{0.1480000000000001, 1480},
                    FromDoubleCase{1.2509999999999731, 12510}, FromDoubleCase{0.0, 0},
                    FromDoubleCase{-0.0, 0}, FromDoubleCase{1e-300, 0},
                    FromDoubleCase{922337203685477.0, 9223372036854770000},
                    FromDoubleCase{-922337203685477.5, -9223372036854775000}),
    [](const testing::TestParamInfo<FromDoubleCase>& param) {
        return "Case" + std::to_string(param.index);
    });

TEST(Fixed4, FromDoubleKeepsTheExactProductWhereTheDoubleProductWouldRound) {
    // The double nearest 0.00035 lies just below it: times 10000 it is just
    // below 3.5, although the double product rounds to 3.5 exactly (and 3.5
    // would go to the even 4).
    ASSERT_EQ(0.00035 * 10000.0, 3.5);
    EXPECT_EQ(Fixed4::fromDouble(0.00035).raw(), 3);
    ASSERT_EQ(0.00025 * 10000.0, 2.5);
    EXPECT_EQ(Fixed4::fromDouble(0.00025).raw(), 3);
}

TEST(Fixed4, FromDoubleAgreesWithAnExtendedPrecisionReference) {
    // x86-64's long double holds value * 10000 exactly (63 of its 64 bits).
    const auto reference = [](double value) {
        return static_cast<std::int64_t>(
            std::nearbyint(static_cast<long double>(value) * 10000.0L));
    };
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::int64_t> units(-2'000'000'000'000, 2'000'000'000'000);
    std::uniform_int_distribution<int> ulps(-3, 3);
    std::uniform_int_distribution<int> exponent(-30, 40);
    for (int i = 0; i < 200000; ++i) {
        // Values near a half unit, where the double product is most often off,
        // and values of any magnitude.
        double value = (static_cast<double>(units(random)) + 0.5) / 10000.0;
        for (int u = ulps(random); u != 0; u += u > 0 ? -1 : 1) {
            value = std::nextafter(value, u > 0 ? 1e300 : -1e300);
        }
        const double any = std::ldexp(static_cast<double>(units(random)), exponent(random));
        for (double v : {value, any}) {
            if (std::fabs(v) < 9e14) {
                ASSERT_EQ(Fixed4::fromDouble(v).raw(), reference(v)) << std::hexfloat << v;
            }
        }
    }
}

TEST(Fixed4, FromDoubleOutOfRangeIsOverflow) {
    for (double value : {1e15, -1e15, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN(), 1e300}) {
        EXPECT_EQ(thrownKind([&] { (void)Fixed4::fromDouble(value); }), ErrorKind::Overflow)
            << value;
    }
}

TEST(Fixed4, ProductOfTwoCurrenciesRoundsHalfToEven) {
    struct Case {
        const char* label;
        Fixed4 a, b, product;
    };
    const Case cases[] = {
        {"4.17 x 0.1625", Fixed4::literal("4.17"), Fixed4::literal("0.1625"),
         Fixed4::literal("0.6776")},  // 0.677625
        {"0.0001 x 0.5", Fixed4::literal("0.0001"), Fixed4::literal("0.5"),
         Fixed4::literal("0")},  // 0.00005, tie to even 0
        {"0.0003 x 0.5", Fixed4::literal("0.0003"), Fixed4::literal("0.5"),
         Fixed4::literal("0.0002")},  // 0.00015, tie to even 2
        {"-0.0003 x 0.5", Fixed4::literal("-0.0003"), Fixed4::literal("0.5"),
         Fixed4::literal("-0.0002")},
        {"454 x 2", Fixed4::literal("454.0"), Fixed4::literal("2"), Fixed4::literal("908")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((c.a * c.b).raw(), c.product.raw()) << c.label;
    }
}

TEST(Fixed4, ExactOperationsOverflowAtTheRangeEnds) {
    const Fixed4 max = Fixed4::fromRaw(std::numeric_limits<std::int64_t>::max());
    const Fixed4 min = Fixed4::fromRaw(std::numeric_limits<std::int64_t>::min());
    const Fixed4 unit = Fixed4::fromRaw(1);
    EXPECT_EQ(thrownKind([&] { (void)(max + unit); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([&] { (void)(min - unit); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([&] { (void)(max * Int16{2}); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([&] { (void)(max * Fixed4::literal("1.0001")); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([&] { (void)min.wholeFloor(); }), ErrorKind::Overflow);
    EXPECT_EQ((max - unit + unit).raw(), max.raw());
}

TEST(Fixed4, ToDoubleDividesTheUnits) {
    EXPECT_EQ(Fixed4::literal("0.798").toDouble(), 0.798);
    EXPECT_EQ(Fixed4::literal("-0.0125").toDouble(), -0.0125);
    EXPECT_EQ(Fixed4::literal("0.148").toDouble(), 0.148);
}

}  // namespace
