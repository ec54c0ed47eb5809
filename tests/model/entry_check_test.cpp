#include "model/entry_check.h"

#include <gtest/gtest.h>

#include "tests/support/hungarian.h"

namespace {

using model::checkEntry;
using model::EntryBox;
using model::EntryVerdict;
using model::ruleFor;
using testsupport::hungarian;

TEST(EntryCheck, BoundsAreExclusiveAndTestedOnTheDouble) {
    const struct {
        EntryBox box;
        const char16_t* text;
        EntryVerdict verdict;
    } cases[] = {
        {EntryBox::Eta0, u"0,5", EntryVerdict::Accepted},
        {EntryBox::Eta0, u"1", EntryVerdict::OutOfRange},
        {EntryBox::Eta0, u"0", EntryVerdict::OutOfRange},
        {EntryBox::Eta0, u"0,99999", EntryVerdict::Accepted},  // stored as 1 later
        {EntryBox::Eta0, u"-0,1", EntryVerdict::OutOfRange},
        {EntryBox::Eta0, u"", EntryVerdict::NotANumber},
        {EntryBox::Eta0, u"0.5", EntryVerdict::NotANumber},
        {EntryBox::A1, u"0,8", EntryVerdict::OutOfRange},
        {EntryBox::A1, u"15", EntryVerdict::OutOfRange},
        {EntryBox::A1, u"0,80001", EntryVerdict::Accepted},
        {EntryBox::A1, u"14,9999", EntryVerdict::Accepted},
        {EntryBox::A1, u"-4", EntryVerdict::OutOfRange},
        {EntryBox::A2, u"0", EntryVerdict::OutOfRange},
        {EntryBox::A2, u"100", EntryVerdict::OutOfRange},
        {EntryBox::A2, u"1E-9", EntryVerdict::Accepted},
        {EntryBox::A2, u"99,99", EntryVerdict::Accepted},
        {EntryBox::CollectorArea, u"150", EntryVerdict::OutOfRange},
        {EntryBox::CollectorArea, u"100", EntryVerdict::OutOfRange},
        {EntryBox::CollectorArea, u"0,00001", EntryVerdict::Accepted},  // stored as 0
        {EntryBox::CollectorArea, u"-1", EntryVerdict::OutOfRange},
        {EntryBox::CollectorArea, u"1E400", EntryVerdict::NotANumber},
        {EntryBox::CollectorArea, u"abc", EntryVerdict::NotANumber},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkEntry(QStringView(c.text), ruleFor(c.box), hungarian()), c.verdict)
            << QString::fromUtf16(c.text).toStdString() << " in box "
            << static_cast<int>(c.box) + 1;
    }
}

}  // namespace
