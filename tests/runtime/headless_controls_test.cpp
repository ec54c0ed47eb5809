#include "runtime/headless_controls.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(HeadlessComboBox, ClickRunsWithTheNewIndexBeforeTheSetterReturns) {
    rt::HeadlessComboBox combo;
    for (const char* row : {"alma", "körte", "szilva"}) {
        combo.addItem(QString::fromUtf8(row));
    }
    std::vector<std::pair<int, QString>> seenInClick;
    combo.onClick = [&] { seenInClick.emplace_back(combo.listIndex().value(), combo.text()); };

    combo.setListIndex(rt::Integer{1});
    combo.setListIndex(rt::Integer{1});  // the same row clicks again
    combo.setListIndex(rt::Integer{-1});
    const std::vector<std::pair<int, QString>> expected{
        {1, QStringLiteral("körte")}, {1, QStringLiteral("körte")}, {-1, QString()}};
    EXPECT_EQ(seenInClick, expected);
}

TEST(HeadlessComboBox, AnIndexOutsideTheRowsFailsAndKeepsTheSelection) {
    rt::HeadlessComboBox combo;
    combo.addItem(QStringLiteral("egy"));
    combo.addItem(QStringLiteral("kettő"));
    int clicks = 0;
    combo.onClick = [&] { ++clicks; };
    combo.setListIndex(rt::Integer{0});
    for (int bad : {2, -2, 100}) {
        EXPECT_THROW(combo.setListIndex(rt::Integer::checked(bad)), std::out_of_range) << bad;
    }
    EXPECT_EQ(combo.listIndex().value(), 0);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
