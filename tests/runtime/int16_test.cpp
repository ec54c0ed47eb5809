#include "runtime/int16.h"

#include <gtest/gtest.h>

#include <limits>

#include "runtime/checked.h"
#include "tests/support/runtime_errors.h"

namespace {

using rt::ErrorKind;
using rt::Int16;
using testsupport::thrownKind;

TEST(Int16, FromDoubleRoundsHalfToEven) {
    const struct {
        double value;
        int expected;
    } cases[] = {{0.5, 0},
                 {1.5, 2},
                 {2.5, 2},
                 {-0.5, 0},
                 {-1.5, -2},
                 {-2.5, -2},
                 {2864.86, 2865},
                 {4171.0, 4171},
                 {918.1, 918},
                 {934.6, 935},
                 {-32768.5, -32768},
                 {32767.4, 32767},
                 {0.49999999999999994, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Int16::fromDouble(c.value).value(), c.expected) << c.value;
    }
}

TEST(Int16, OutOfRangeIsOverflow) {
    for (double value :
         {32767.5, -32768.51, 70500.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
          -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(thrownKind([&] { (void)Int16::fromDouble(value); }), ErrorKind::Overflow)
            << value;
    }
    EXPECT_EQ(thrownKind([] { (void)(Int16{32767} + Int16{1}); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([] { (void)(Int16{-32768} - Int16{1}); }), ErrorKind::Overflow);
    EXPECT_EQ((Int16{250} - Int16{-30}).value(), 280);
}

TEST(CheckedDouble, NonFiniteResultsRaiseTheRuntimeError) {
    const double huge = std::numeric_limits<double>::max();
    EXPECT_EQ(thrownKind([&] { (void)rt::checkedMul(huge, 2.0); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([] { (void)rt::checkedDiv(1.0, 0.0); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(thrownKind([] { (void)rt::checkedDiv(-5.0, 0.0); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(thrownKind([] { (void)rt::checkedDiv(0.0, 0.0); }), ErrorKind::Overflow);  // invalid
    EXPECT_EQ(thrownKind([&] { (void)rt::checkedDiv(huge, 0.5); }), ErrorKind::Overflow);
    EXPECT_EQ(rt::checkedMul(0.1, 3.0), 0.1 * 3.0);
    EXPECT_EQ(rt::checkedDiv(567.0, 1000.0), 0.567);
    EXPECT_EQ(rt::checkedMul(1e-300, 1e-300), 0.0);  // underflow is not an error
}

}  // namespace
