#include "present/collector_names.h"

#include <gtest/gtest.h>

namespace {

using model::Comparison;
using rt::Fixed4;

TEST(CollectorNames, CustomNameQuotesTheBoxesAsTheyStand) {
    const struct {
        const char16_t *eta0, *a1, *a2, *name;
    } cases[] = {
        {u"0,5", u"4", u"0,01", u"Egyedi kollektor (η0 0,5; a1 4; a2 0,01)"},
        {u"0,9999", u"14,9999", u"99,9999",
         u"Egyedi kollektor (η0 0,9999; a1 14,9999; a2 99,9999)"},
        // Typed texts are not normalised, and no text is taken for a placeholder.
        {u" 0,50", u"4E0", u"%1", u"Egyedi kollektor (η0  0,50; a1 4E0; a2 %1)"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(present::customCollectorName(row.eta0, row.a1, row.a2),
                  QString::fromUtf16(row.name));
    }
}

// The row "Szelektív síkkollektor" holds the start coefficients first, then its own.
TEST(CollectorNames, ANameOnTheChartWithOtherCoefficientsGetsThemAppended) {
    Comparison comparison;
    const QString row = QStringLiteral("Szelektív síkkollektor");
    comparison.keep(row, Fixed4::literal("0.798"), Fixed4::literal("4.17"),
                    Fixed4::literal("0.011"));
    EXPECT_EQ(present::keptName(comparison.kept(), row, u"0,8", u"4", u"0,01"),
              u"Szelektív síkkollektor (η0 0,8; a1 4; a2 0,01)");
    EXPECT_EQ(present::keptName(comparison.kept(), QStringLiteral("Vákumcsöves kollektor"), u"0,8",
                                u"4", u"0,01"),
              u"Vákumcsöves kollektor");
}

}  // namespace
