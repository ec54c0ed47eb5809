#include "model/collector_procedures.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "model/presets.h"

namespace {

using model::CollectorProcedures;
using model::EntryBox;
using rt::Currency;

// The collector procedures over test doubles, with the start values of the
// program stored, as start-up leaves them.
struct Window {
    model::CollectorState state;
    fake::ComboBox combo;
    fake::TextBox text1, text2, text3, text4;
    fake::ScrollBar hScroll1{60}, hScroll2{20}, hScroll3{800};
    fake::Label label1;
    fake::MessageBox messages;
    rt::NumberFormat format{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    int chartRuns = 0;
    std::function<void()> chart = [this] { ++chartRuns; };
    CollectorProcedures procedures{
        state,
        {combo, text1, text2, text3, text4, hScroll1, hScroll2, hScroll3, label1, messages},
        format,
        [this] { chart(); }};

    Window() {
        for (const auto& type : model::kCollectorTypes) {
            combo.addItem(type.name.toString());
        }
        combo.click = [this] { procedures.Combo1_Click(); };
        combo.setListIndex(rt::Integer{2});
        state.eta0 = Currency::literal("0.798");
        state.a1 = Currency::literal("4.17");
        state.a2 = Currency::literal("0.011");
        state.collectorArea = Currency::literal("1");
        text4.value = QStringLiteral("1");
        procedures.Command1_Click();
        chartRuns = 0;
    }
};

TEST(CollectorProcedures, EvaluationCopiesTheSlidersAndSearches) {
    Window w;
    EXPECT_EQ(w.state.collectorTemp.value(), 60);
    EXPECT_EQ(w.state.ambientTemp.value(), 20);
    EXPECT_EQ(w.state.irradiance.value(), 800);
    EXPECT_EQ(w.label1.caption, u"0,567");
    EXPECT_EQ(w.state.stagnationX, Currency::literal("0.148"));

    w.hScroll1.position = 61;
    w.hScroll3.position = 1300;
    w.procedures.Command1_Click();
    EXPECT_EQ(w.state.collectorTemp.value(), 61);
    EXPECT_EQ(w.state.irradiance.value(), 1300);
    EXPECT_EQ(w.label1.caption, u"0,567");  // independent of the sliders
    EXPECT_EQ(w.state.stagnationX, Currency::literal("0.133"));
    EXPECT_EQ(w.chartRuns, 1);
}

TEST(CollectorProcedures, ChoosingARowAppliesItsPreset) {
    const struct {
        int row;
        const char16_t *eta0, *a1, *a2, *label1;
        bool enabled;
        Currency stagnationX;
    } cases[] = {
        {0, u"0,65", u"1,5", u"0,008", u"0,559", false, Currency::literal("0.224")},
        {1, u"0,8", u"2,6", u"0,008", u"0,654", false, Currency::literal("0.206")},
        {2, u"0,8", u"4", u"0,01", u"0,58", false, Currency::literal("0.155")},
        {3, u"0,75", u"6", u"0,02", u"0,41", false, Currency::literal("0.1")},
        {4, u"0,9", u"11", u"0,08", u"0,19", false, Currency::literal("0.062")},
        {5, u"0,8", u"4", u"0,01", u"0,58", true, Currency::literal("0.155")},
    };
    for (const auto& c : cases) {
        Window w;
        w.state.collectorArea = Currency::literal("2.5");
        w.combo.setListIndex(rt::Integer::checked(c.row));
        EXPECT_EQ(w.text1.value, QStringView(c.eta0)) << c.row;
        EXPECT_EQ(w.text2.value, QStringView(c.a1)) << c.row;
        EXPECT_EQ(w.text3.value, QStringView(c.a2)) << c.row;
        EXPECT_EQ(w.label1.caption, QStringView(c.label1)) << c.row;
        EXPECT_EQ(w.text1.enabled, c.enabled) << c.row;
        EXPECT_EQ(w.text2.enabled, c.enabled) << c.row;
        EXPECT_EQ(w.text3.enabled, c.enabled) << c.row;
        EXPECT_EQ(w.state.stagnationX, c.stagnationX) << c.row;
        EXPECT_EQ(w.state.collectorArea, Currency::literal("2.5")) << c.row;
        EXPECT_EQ(w.text4.value, u"1") << c.row;
        EXPECT_EQ(w.chartRuns, 1) << c.row;
    }
}

TEST(CollectorProcedures, APresetRowReplacesTypedValuesAndDisablesTheBoxes) {
    Window w;
    w.combo.setListIndex(rt::Integer{5});
    w.text1.value = QStringLiteral("0,5");
    w.procedures.Text_LostFocus(EntryBox::Eta0);
    ASSERT_EQ(w.state.eta0, Currency::literal("0.5"));
    w.combo.setListIndex(rt::Integer{0});
    EXPECT_EQ(w.state.eta0, Currency::literal("0.65"));
    EXPECT_EQ(w.text1.value, u"0,65");
    EXPECT_FALSE(w.text1.enabled);
    w.combo.setListIndex(rt::Integer{5});
    EXPECT_EQ(w.state.eta0, Currency::literal("0.8"));  // the custom row forgets
}

TEST(CollectorProcedures, NoRowSelectedKeepsTheCoefficientsButDisablesAndRewrites) {
    Window w;
    w.combo.setListIndex(rt::Integer{5});
    w.text2.value = QStringLiteral("2,50");
    w.procedures.Text_LostFocus(EntryBox::A1);
    w.combo.setListIndex(rt::Integer{-1});
    EXPECT_EQ(w.state.a1, Currency::literal("2.5"));
    EXPECT_EQ(w.text2.value, u"2,5");
    EXPECT_FALSE(w.text1.enabled);
    EXPECT_FALSE(w.text2.enabled);
    EXPECT_FALSE(w.text3.enabled);
    EXPECT_EQ(w.chartRuns, 3);
}

TEST(CollectorProcedures, LostFocusChecksStoresAndAlwaysEvaluates) {
    const struct {
        EntryBox box;
        const char16_t* typed;
        const char16_t* message;  // nullptr: no warning
        const char16_t* boxAfter;
        Currency stored;
    } cases[] = {
        {EntryBox::Eta0, u"0,5", nullptr, u"0,5", Currency::literal("0.5")},
        {EntryBox::Eta0, u"0,50", nullptr, u"0,50", Currency::literal("0.5")},  // kept as typed
        {EntryBox::Eta0, u"0,99999", nullptr, u"0,99999", Currency::literal("1")},
        {EntryBox::Eta0, u"", u"Adjon meg számot!", u"0,8", Currency::literal("0.8")},
        {EntryBox::Eta0, u"1", u"Az optikai hatásfok 0 és 1 között kell legyen!", u"0,8",
         Currency::literal("0.8")},
        {EntryBox::Eta0, u"-0,2", u"Az optikai hatásfok 0 és 1 között kell legyen!", u"0,8",
         Currency::literal("0.8")},
        {EntryBox::A1, u"0,8", u"Az elsőfokú paraméter 0.8 és 15 között kell legyen!", u"4",
         Currency::literal("4")},
        {EntryBox::A1, u"15", u"Az elsőfokú paraméter 0.8 és 15 között kell legyen!", u"4",
         Currency::literal("4")},
        {EntryBox::A1, u" 7,25 ", nullptr, u" 7,25 ", Currency::literal("7.25")},
        {EntryBox::A2, u"0", u"A másodfokú paraméter 0 és 100 között kell legyen!", u"0,01",
         Currency::literal("0.01")},
        {EntryBox::A2, u"100", u"A másodfokú paraméter 0 és 100 között kell legyen!", u"0,01",
         Currency::literal("0.01")},
        {EntryBox::A2, u"x", u"Adjon meg számot!", u"0,01", Currency::literal("0.01")},
        {EntryBox::CollectorArea, u"150", u"A napkollektor felület 0 és 100 között kell legyen!",
         u"1", Currency::literal("1")},
        {EntryBox::CollectorArea, u"0", u"A napkollektor felület 0 és 100 között kell legyen!",
         u"1", Currency::literal("1")},
        {EntryBox::CollectorArea, u"0,00001", nullptr, u"0,00001", Currency()},
        {EntryBox::CollectorArea, u"2", nullptr, u"2", Currency::literal("2")},
        {EntryBox::CollectorArea, u"1.5", u"Adjon meg számot!", u"1", Currency::literal("1")},
    };
    for (const auto& c : cases) {
        Window w;
        w.combo.setListIndex(rt::Integer{5});
        w.chartRuns = 0;
        fake::TextBox* boxes[] = {&w.text1, &w.text2, &w.text3, &w.text4};
        fake::TextBox& box = *boxes[static_cast<int>(c.box)];
        box.value = QString::fromUtf16(c.typed);
        w.procedures.Text_LostFocus(c.box);
        const std::string label = QString::fromUtf16(c.typed).toStdString();
        if (c.message == nullptr) {
            EXPECT_TRUE(w.messages.shown.empty()) << label;
        } else {
            ASSERT_EQ(w.messages.shown.size(), 1u) << label;
            EXPECT_EQ(w.messages.shown[0].prompt, QStringView(c.message)) << label;
            EXPECT_EQ(w.messages.shown[0].title, u"HIBÁS ADAT") << label;
            EXPECT_EQ(w.messages.shown[0].style, 48) << label;
        }
        EXPECT_EQ(box.value, QStringView(c.boxAfter)) << label;
        EXPECT_EQ(w.state.*model::ruleFor(c.box).field, c.stored) << label;
        EXPECT_EQ(w.chartRuns, 1) << label;
    }
}

TEST(CollectorProcedures, ATypedValueChangesTheResults) {
    Window w;
    w.combo.setListIndex(rt::Integer{5});
    w.text1.value = QStringLiteral("0,5");
    w.procedures.Text_LostFocus(EntryBox::Eta0);
    EXPECT_EQ(w.label1.caption, u"0,28");  // 0.5 - 0.2 - 0.02
    EXPECT_EQ(w.state.stagnationX, Currency::literal("0.105"));
}

TEST(CollectorProcedures, AnErrorInTheChartEndsTheEvaluationAfterItsStores) {
    Window w;
    w.chart = [] { throw rt::RuntimeError(rt::ErrorKind::Overflow); };
    w.hScroll2.position = -30;
    EXPECT_THROW(w.combo.setListIndex(rt::Integer{0}), rt::RuntimeError);
    EXPECT_EQ(w.state.ambientTemp.value(), -30);
    EXPECT_EQ(w.state.eta0, Currency::literal("0.65"));
    EXPECT_EQ(w.state.stagnationX, Currency::literal("0.224"));
}

}  // namespace
