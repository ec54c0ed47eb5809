#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <random>

#include <charconv>

#include <limits>
#include <string>

#include "tests/support/hungarian.h"
#include "tests/support/runtime_errors.h"

namespace {

using rt::ErrorKind;
using rt::Fixed4;
using rt::Int16;
using rt::NumberFormat;
using testsupport::hungarian;
using testsupport::thrownKind;

const NumberFormat& english() {
    static const NumberFormat format{QLocale(QLocale::English, QLocale::UnitedStates)};
    return format;
}

TEST(NumberText, DoubleShowsAtMostFifteenDigitsInTheShortestForm) {
    const struct {
        double value;
        const char* hu;
        const char* en;
    } cases[] = {
        {0.1 * 3, "0,3", "0.3"},
        {0.02 * 7, "0,14", "0.14"},
        {0.567, "0,567", "0.567"},
        {-0.401, "-0,401", "-0.401"},
        {56.7, "56,7", "56.7"},
        {567.0 / 10, "56,7", "56.7"},
        {4.0, "4", "4"},
        {-0.0, "0", "0"},
        {0.0001, "0,0001", "0.0001"},
        {0.00001, "1E-05", "1E-05"},
        {1e15, "1E+15", "1E+15"},
        {123456789012345.0, "123456789012345", "123456789012345"},
        {0.1 * 9 + 0.1, "1", "1"},
        {2.0 / 3.0, "0,666666666666667", "0.666666666666667"},
        {1234.5, "1234,5", "1234.5"},  // never grouped
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hungarian().text(c.value), QString::fromUtf8(c.hu)) << c.value;
        EXPECT_EQ(english().text(c.value), QString::fromUtf8(c.en)) << c.value;
    }
}

TEST(NumberText, Fixed4AndInt16Text) {
    const struct {
        Fixed4 value;
        const char* hu;
    } cases[] = {
        {Fixed4::literal("0.65"), "0,65"},
        {Fixed4::literal("4"), "4"},
        {Fixed4::literal("0.008"), "0,008"},
        {Fixed4::literal("-0.0125"), "-0,0125"},
        {Fixed4::literal("1234.5678"), "1234,5678"},
        {Fixed4(), "0"},
        {Fixed4::fromRaw(std::numeric_limits<std::int64_t>::min()), "-922337203685477,5808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hungarian().text(c.value), QString::fromUtf8(c.hu));
    }
    EXPECT_EQ(english().text(Fixed4::literal("0.798")), u"0.798");
    EXPECT_EQ(hungarian().text(Int16{-30}), u"-30");
    EXPECT_EQ(hungarian().text(Int16{1300}), u"1300");
}

struct ParseCase {
    const char16_t* text;
    bool numeric;
    double value;        // when numeric
    std::int64_t units;  // Fixed4 units, when numeric
};

// Hungarian format: decimal comma.
const ParseCase kHungarianCases[] = {
    {u"0,5", true, 0.5, 5000},
    {u" 0,798 ", true, 0.798, 7980},
    {u"\t4,17", true, 4.17, 41700},
    {u"+1,5", true, 1.5, 15000},
    {u"-2", true, -2.0, -20000},
    {u"1,", true, 1.0, 10000},
    {u",5", true, 0.5, 5000},
    {u"1,5E-3", true, 0.0015, 15},
    {u"1,5e+2", true, 150.0, 1500000},
    {u"15E-1", true, 1.5, 15000},
    {u"0,99999", true, 0.99999, 10000},
    {u"0,00001", true, 0.00001, 0},
    {u"0,00005", true, 0.00005, 0},  // a half, to the even 0
    {u"0,00015", true, 0.00015, 2},  // a half, to the even 2
    {u"0,000050000001", true, 0.000050000001, 1},
    {u"-0,00015", true, -0.00015, -2},
    {u"0,0000499999999", true, 0.0000499999999, 0},
    {u"000123,4500", true, 123.45, 1234500},
    {u"0", true, 0.0, 0},
    {u"-0", true, 0.0, 0},
    {u"1E-400", true, 0.0, 0},
    {u"", false, 0, 0},
    {u"   ", false, 0, 0},
    {u"1.5", false, 0, 0},
    {u"1,5,", false, 0, 0},
    {u"1 000", false, 0, 0},
    {u"1\u00a0000", false, 0, 0},
    {u"nan", false, 0, 0},
    {u"inf", false, 0, 0},
    {u"-inf", false, 0, 0},
    {u"1e", false, 0, 0},
    {u"E5", false, 0, 0},
    {u"1E+", false, 0, 0},
    {u",", false, 0, 0},
    {u"+", false, 0, 0},
    {u"--1", false, 0, 0},
    {u"1-", false, 0, 0},
    {u"12a", false, 0, 0},
    {u"0x10", false, 0, 0},
    {u"1E400", false, 0, 0},
    {u"\u0661", false, 0, 0},  // a non-ASCII digit
    {u"1\n", false, 0, 0},
};

class HungarianParse : public testing::TestWithParam<ParseCase> {};

TEST_P(HungarianParse, NumericTestAndConversionsAgree) {
    const ParseCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    ASSERT_EQ(hungarian().isNumeric(text), c.numeric) << text.toStdString();
    if (c.numeric) {
        EXPECT_EQ(hungarian().toDouble(text), c.value) << text.toStdString();
        EXPECT_EQ(hungarian().toFixed4(text).raw(), c.units) << text.toStdString();
    } else {
        const auto kind = thrownKind([&] { (void)hungarian().toDouble(text); });
        EXPECT_TRUE(kind == ErrorKind::TypeMismatch || kind == ErrorKind::Overflow)
            << "toDouble of " << text.toStdString() << ": " << testing::PrintToString(kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HungarianParse, testing::ValuesIn(kHungarianCases),
                         [](const testing::TestParamInfo<ParseCase>& param) {
                             return "Text" + std::to_string(param.index);
                         });

TEST(NumberText, EnglishFormatReadsThePointAndRejectsTheComma) {
    EXPECT_TRUE(english().isNumeric(u"0.5"));
    EXPECT_FALSE(english().isNumeric(u"0,5"));
    EXPECT_EQ(english().toFixed4(u"0.99999").raw(), 10000);
}

TEST(NumberText, NotANumberIsTypeMismatchAndHugeIsOverflow) {
    EXPECT_EQ(thrownKind([] { (void)hungarian().toFixed4(u"abc"); }), ErrorKind::TypeMismatch);
    EXPECT_EQ(thrownKind([] { (void)hungarian().toDouble(u""); }), ErrorKind::TypeMismatch);
    EXPECT_EQ(thrownKind([] { (void)hungarian().toDouble(u"1E400"); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([] { (void)hungarian().toFixed4(u"1E15"); }), ErrorKind::Overflow);
    EXPECT_EQ(thrownKind([] { (void)hungarian().toFixed4(u"1E999999999999999999"); }),
              ErrorKind::Overflow);
    EXPECT_EQ(hungarian().toFixed4(u"922337203685477,5807").raw(),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(hungarian().toFixed4(u"-922337203685477,5808").raw(),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(thrownKind([] { (void)hungarian().toFixed4(u"922337203685477,58075"); }),
              ErrorKind::Overflow);
    EXPECT_EQ(hungarian().toFixed4(u"0E999999999999").raw(), 0);
    EXPECT_EQ(hungarian().toFixed4(u"1E-999999999999").raw(), 0);
}

TEST(NumberText, HugeTextsAreReadInFull) {
    const QString ones(100000, u'1');
    EXPECT_FALSE(hungarian().isNumeric(ones));  // about 1,1E+99999: beyond any double
    const QString fraction = QStringLiteral("0,") + ones;
    ASSERT_TRUE(hungarian().isNumeric(fraction));
    EXPECT_EQ(hungarian().toDouble(fraction), 1.0 / 9.0);
    EXPECT_EQ(hungarian().toFixed4(fraction).raw(), 1111);
    const QString tie = QStringLiteral("0,00005") + QString(100000, u'0') + u'1';
    EXPECT_EQ(hungarian().toFixed4(tie).raw(), 1);  // just above the half
}

}  // namespace

namespace {

// Whole thousandths take a quicker road to text; every value must still read
// as the 15 significant digits to_chars gives.
TEST(NumberText, ThousandthsAreTheDigitsToCharsGives) {
    const rt::NumberFormat point(QLocale::c());
    const auto reference = [](double v) {
        char buffer[32];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15).ptr;
        return QString::fromLatin1(buffer, end - buffer).replace(u'e', u'E');
    };
    std::mt19937_64 random(7);
    for (long long k = -2000000; k <= 2000000; k += 1 + static_cast<long long>(random() % 97)) {
        for (const double v : {static_cast<double>(k) / 1000, static_cast<double>(k) / 10,
                               static_cast<double>(k) * 1e6 / 1000, static_cast<double>(k) / 1e7}) {
            if (v != 0) {
                ASSERT_EQ(point.text(v), reference(v)) << v;
            }
        }
    }
}

}  // namespace
