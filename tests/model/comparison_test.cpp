#include "model/comparison.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "model/presets.h"

namespace {

using model::Comparison;
using model::KeepOutcome;
using rt::Fixed4;

void keepPreset(Comparison& comparison, std::size_t row, KeepOutcome expected) {
    const model::CollectorType& type = model::kCollectorTypes.at(row);
    EXPECT_EQ(comparison.keep(type.name.toString(), type.eta0, type.a1, type.a2), expected) << row;
}

TEST(Comparison, KeepsUpToFourInKeepingOrderAndRefusesTheFifth) {
    Comparison comparison;
    EXPECT_TRUE(comparison.canKeep());
    for (std::size_t row : {3, 0, 4, 1}) {
        keepPreset(comparison, row, KeepOutcome::Kept);
    }
    EXPECT_FALSE(comparison.canKeep());
    keepPreset(comparison, 2, KeepOutcome::Full);
    ASSERT_EQ(comparison.kept().size(), 4u);
    QStringList names;
    for (const model::KeptCollector& kept : comparison.kept()) {
        names << kept.name;
    }
    EXPECT_EQ(names.join(u'|'), QStringLiteral("Nem szelektív síkkollektor|Vákumcsöves "
                                               "kollektor|Lefedés nélküli kollektor|Vákumos "
                                               "síkkollektor"));
    EXPECT_EQ(comparison.kept()[2].a1, Fixed4::literal("11"));

    comparison.forget();
    EXPECT_TRUE(comparison.kept().empty());
    EXPECT_TRUE(comparison.canKeep());
    keepPreset(comparison, 2, KeepOutcome::Kept);
}

TEST(Comparison, TheSameCoefficientsAreKeptOnceWhateverTheName) {
    const model::CollectorType& selective = model::kCollectorTypes[2];
    const model::CollectorType& custom = model::kCollectorTypes[5];
    const struct {
        const char16_t* name;
        Fixed4 eta0, a1, a2;
        KeepOutcome outcome;
    } steps[] = {
        {u"Szelektív síkkollektor", selective.eta0, selective.a1, selective.a2, KeepOutcome::Kept},
        {u"Szelektív síkkollektor", selective.eta0, selective.a1, selective.a2,
         KeepOutcome::AlreadyKept},
        // The custom row starts from the same coefficients.
        {u"Egyedi kollektor (η0 0,8; a1 4; a2 0,01)", custom.eta0, custom.a1, custom.a2,
         KeepOutcome::AlreadyKept},
        // One coefficient apart is another collector, each of the three.
        {u"a", selective.eta0 - Fixed4::fromRaw(1), selective.a1, selective.a2, KeepOutcome::Kept},
        {u"b", selective.eta0, selective.a1 + Fixed4::fromRaw(1), selective.a2, KeepOutcome::Kept},
        {u"c", selective.eta0, selective.a1, selective.a2 + Fixed4::fromRaw(1), KeepOutcome::Kept},
        // Full, but this one is there already: that is the answer.
        {u"d", selective.eta0, selective.a1, selective.a2, KeepOutcome::AlreadyKept},
        {u"e", Fixed4::literal("0.5"), selective.a1, selective.a2, KeepOutcome::Full},
    };
    Comparison comparison;
    for (const auto& step : steps) {
        EXPECT_EQ(comparison.keep(QString::fromUtf16(step.name), step.eta0, step.a1, step.a2),
                  step.outcome)
            << QString::fromUtf16(step.name).toStdString();
    }
    ASSERT_EQ(comparison.kept().size(), 4u);
    EXPECT_EQ(comparison.kept()[0].name, u"Szelektív síkkollektor");
}

}  // namespace
