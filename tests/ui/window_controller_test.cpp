#include "ui/window_controller.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

#include "model/presets.h"
#include "tests/support/fake_controls.h"
#include "tests/support/hungarian.h"
#include "tests/support/runtime_errors.h"
#include "tests/support/start_state.h"

namespace {

using model::EntryBox;
using rt::Fixed4;
using ui::WindowController;

// Where the views end, as the test sets it: the characteristic efficiency
// written, every chart run counted and handed to `chart`, the view's runtime
// error raised last.
struct Sink {
    explicit Sink(fake::Label& label) : characteristic(label) {}
    void show(const std::optional<ui::WindowView>& view) {
        if (view) {
            show(*view);
        }
    }
    void show(const ui::WindowView& view) {
        if (view.characteristic) {
            characteristic.setCaption(*view.characteristic);
        }
        if (view.chart) {
            ++chartRuns;
            chart();
        }
        if (view.error) {
            throw rt::RuntimeError(*view.error);
        }
    }
    fake::Label& characteristic;
    int chartRuns = 0;
    std::function<void()> chart = [] {};
};

// The controller over test doubles, with the start values of the program
// stored, as start-up leaves them.
struct Window {
    fake::ComboBox combo;
    fake::TextBox eta0Box, a1Box, a2Box, areaBox;
    fake::ScrollBar collectorTempSlider{testsupport::kStartCollectorTemp};
    fake::ScrollBar ambientTempSlider{testsupport::kStartAmbientTemp};
    fake::ScrollBar irradianceSlider{testsupport::kStartIrradiance};
    fake::Label characteristicEfficiencyLabel;
    fake::MessageBox messages;
    const rt::NumberFormat& format = testsupport::hungarian();
    Sink sink{characteristicEfficiencyLabel};
    int& chartRuns = sink.chartRuns;
    std::function<void()>& chart = sink.chart;
    ui::WindowPresenter presenter{format, [](const QString&) { return 0.0; }};
    WindowController procedures{{combo, eta0Box, a1Box, a2Box, areaBox, collectorTempSlider,
                                 ambientTempSlider, irradianceSlider, messages},
                                format,
                                presenter};

    Window() {
        combo.click = [this] { sink.show(procedures.collectorTypeChosen()); };
        procedures.startUp();
        areaBox.value = QStringLiteral("1");
        sink.show(procedures.evaluate());
        chartRuns = 0;
    }
    [[nodiscard]] model::CollectorState state() const { return procedures.state(); }
};

TEST(WindowController, EvaluationCopiesTheSlidersAndSearches) {
    Window w;
    EXPECT_EQ(w.state().collectorTemp.value(), 60);
    EXPECT_EQ(w.state().ambientTemp.value(), 20);
    EXPECT_EQ(w.state().irradiance.value(), 800);
    EXPECT_EQ(w.characteristicEfficiencyLabel.caption, u"0,567");
    EXPECT_EQ(w.state().zeroEfficiencyX, Fixed4::literal("0.148"));

    w.collectorTempSlider.position = 61;
    w.irradianceSlider.position = 1300;
    w.sink.show(w.procedures.evaluate());
    EXPECT_EQ(w.state().collectorTemp.value(), 61);
    EXPECT_EQ(w.state().irradiance.value(), 1300);
    EXPECT_EQ(w.characteristicEfficiencyLabel.caption, u"0,567");  // independent of the sliders
    EXPECT_EQ(w.state().zeroEfficiencyX, Fixed4::literal("0.133"));
    EXPECT_EQ(w.chartRuns, 1);
}

TEST(WindowController, ChoosingARowAppliesItsPreset) {
    const struct {
        int row;
        const char16_t *eta0, *a1, *a2, *label1;
        bool enabled;
        Fixed4 zeroEfficiencyX;
    } cases[] = {
        {0, u"0,65", u"1,5", u"0,008", u"0,559", false, Fixed4::literal("0.224")},
        {1, u"0,8", u"2,6", u"0,008", u"0,654", false, Fixed4::literal("0.206")},
        {2, u"0,8", u"4", u"0,01", u"0,58", false, Fixed4::literal("0.155")},
        {3, u"0,75", u"6", u"0,02", u"0,41", false, Fixed4::literal("0.1")},
        {4, u"0,9", u"11", u"0,08", u"0,19", false, Fixed4::literal("0.062")},
        {5, u"0,8", u"4", u"0,01", u"0,58", true, Fixed4::literal("0.155")},
    };
    for (const auto& c : cases) {
        Window w;
        w.areaBox.value = QStringLiteral("2,5");
        w.sink.show(w.procedures.entryLeft(EntryBox::CollectorArea));
        w.chartRuns = 0;
        w.combo.setListIndex(rt::Int16::checked(c.row));
        EXPECT_EQ(w.eta0Box.value, QStringView(c.eta0)) << c.row;
        EXPECT_EQ(w.a1Box.value, QStringView(c.a1)) << c.row;
        EXPECT_EQ(w.a2Box.value, QStringView(c.a2)) << c.row;
        EXPECT_EQ(w.characteristicEfficiencyLabel.caption, QStringView(c.label1)) << c.row;
        EXPECT_EQ(w.eta0Box.enabled, c.enabled) << c.row;
        EXPECT_EQ(w.a1Box.enabled, c.enabled) << c.row;
        EXPECT_EQ(w.a2Box.enabled, c.enabled) << c.row;
        EXPECT_EQ(w.state().zeroEfficiencyX, c.zeroEfficiencyX) << c.row;
        EXPECT_EQ(w.state().collectorArea, Fixed4::literal("2.5")) << c.row;
        EXPECT_EQ(w.areaBox.value, u"2,5") << c.row;
        EXPECT_EQ(w.chartRuns, 1) << c.row;
    }
}

TEST(WindowController, APresetRowReplacesTypedValuesAndDisablesTheBoxes) {
    Window w;
    w.combo.setListIndex(rt::Int16{5});
    w.eta0Box.value = QStringLiteral("0,5");
    w.sink.show(w.procedures.entryLeft(EntryBox::Eta0));
    ASSERT_EQ(w.state().eta0, Fixed4::literal("0.5"));
    w.combo.setListIndex(rt::Int16{0});
    EXPECT_EQ(w.state().eta0, Fixed4::literal("0.65"));
    EXPECT_EQ(w.eta0Box.value, u"0,65");
    EXPECT_FALSE(w.eta0Box.enabled);
    w.combo.setListIndex(rt::Int16{5});
    EXPECT_EQ(w.state().eta0, Fixed4::literal("0.8"));  // the custom row forgets
}

TEST(WindowController, NoRowSelectedKeepsTheCoefficientsButDisablesAndRewrites) {
    Window w;
    w.combo.setListIndex(rt::Int16{5});
    w.a1Box.value = QStringLiteral("2,50");
    w.sink.show(w.procedures.entryLeft(EntryBox::A1));
    w.combo.setListIndex(rt::Int16{-1});
    EXPECT_EQ(w.state().a1, Fixed4::literal("2.5"));
    EXPECT_EQ(w.a1Box.value, u"2,5");
    EXPECT_FALSE(w.eta0Box.enabled);
    EXPECT_FALSE(w.a1Box.enabled);
    EXPECT_FALSE(w.a2Box.enabled);
    EXPECT_EQ(w.chartRuns, 3);
}

TEST(WindowController, LostFocusChecksStoresAndAlwaysEvaluates) {
    const struct {
        EntryBox box;
        const char16_t* typed;
        const char16_t* message;  // nullptr: no warning
        const char16_t* boxAfter;
        Fixed4 stored;
    } cases[] = {
        {EntryBox::Eta0, u"0,5", nullptr, u"0,5", Fixed4::literal("0.5")},
        {EntryBox::Eta0, u"0,50", nullptr, u"0,50", Fixed4::literal("0.5")},  // kept as typed
        {EntryBox::Eta0, u"0,99999", nullptr, u"0,99999", Fixed4::literal("1")},
        {EntryBox::Eta0, u"", u"Adjon meg számot!", u"0,8", Fixed4::literal("0.8")},
        {EntryBox::Eta0, u"1", u"Az optikai hatásfok 0 és 1 között kell legyen!", u"0,8",
         Fixed4::literal("0.8")},
        {EntryBox::Eta0, u"-0,2", u"Az optikai hatásfok 0 és 1 között kell legyen!", u"0,8",
         Fixed4::literal("0.8")},
        {EntryBox::A1, u"0,8", u"Az elsőfokú paraméter 0.8 és 15 között kell legyen!", u"4",
         Fixed4::literal("4")},
        {EntryBox::A1, u"15", u"Az elsőfokú paraméter 0.8 és 15 között kell legyen!", u"4",
         Fixed4::literal("4")},
        {EntryBox::A1, u" 7,25 ", nullptr, u" 7,25 ", Fixed4::literal("7.25")},
        {EntryBox::A2, u"0", u"A másodfokú paraméter 0 és 100 között kell legyen!", u"0,01",
         Fixed4::literal("0.01")},
        {EntryBox::A2, u"100", u"A másodfokú paraméter 0 és 100 között kell legyen!", u"0,01",
         Fixed4::literal("0.01")},
        {EntryBox::A2, u"x", u"Adjon meg számot!", u"0,01", Fixed4::literal("0.01")},
        {EntryBox::CollectorArea, u"150", u"A napkollektor felület 0 és 100 között kell legyen!",
         u"1", Fixed4::literal("1")},
        {EntryBox::CollectorArea, u"0", u"A napkollektor felület 0 és 100 között kell legyen!",
         u"1", Fixed4::literal("1")},
        {EntryBox::CollectorArea, u"0,00001", nullptr, u"0,00001", Fixed4()},
        {EntryBox::CollectorArea, u"2", nullptr, u"2", Fixed4::literal("2")},
        {EntryBox::CollectorArea, u"1.5", u"Adjon meg számot!", u"1", Fixed4::literal("1")},
    };
    for (const auto& c : cases) {
        Window w;
        w.combo.setListIndex(rt::Int16{5});
        w.chartRuns = 0;
        fake::TextBox* boxes[] = {&w.eta0Box, &w.a1Box, &w.a2Box, &w.areaBox};
        fake::TextBox& box = *boxes[static_cast<int>(c.box)];
        box.value = QString::fromUtf16(c.typed);
        w.sink.show(w.procedures.entryLeft(c.box));
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
        EXPECT_EQ(w.state().*model::ruleFor(c.box).field, c.stored) << label;
        EXPECT_EQ(w.chartRuns, 1) << label;
    }
}

TEST(WindowController, ATypedValueChangesTheResults) {
    Window w;
    w.combo.setListIndex(rt::Int16{5});
    w.eta0Box.value = QStringLiteral("0,5");
    w.sink.show(w.procedures.entryLeft(EntryBox::Eta0));
    EXPECT_EQ(w.characteristicEfficiencyLabel.caption, u"0,28");  // 0.5 - 0.2 - 0.02
    EXPECT_EQ(w.state().zeroEfficiencyX, Fixed4::literal("0.105"));
}

TEST(WindowController, AnErrorInTheChartEndsTheEvaluationAfterItsStores) {
    Window w;
    w.chart = [] { throw rt::RuntimeError(rt::ErrorKind::Overflow); };
    w.ambientTempSlider.position = -30;
    EXPECT_EQ(testsupport::thrownKind([&] { w.combo.setListIndex(rt::Int16{0}); }),
              rt::ErrorKind::Overflow);
    EXPECT_EQ(w.state().ambientTemp.value(), -30);
    EXPECT_EQ(w.state().eta0, Fixed4::literal("0.65"));
    EXPECT_EQ(w.state().zeroEfficiencyX, Fixed4::literal("0.224"));
}

}  // namespace

namespace {

// The window's load up to its slider captions: the list filled, the start row
// chosen and evaluated with its preset, then the start coefficients stored.
TEST(WindowController, StartUpChoosesTheStartRowThenStoresTheStartCoefficients) {
    fake::ComboBox combo;
    fake::TextBox eta0Box, a1Box, a2Box, areaBox;
    areaBox.value = QStringLiteral("1");
    fake::ScrollBar collectorTemp{testsupport::kStartCollectorTemp};
    fake::ScrollBar ambientTemp{testsupport::kStartAmbientTemp};
    fake::ScrollBar irradiance{testsupport::kStartIrradiance};
    fake::Label characteristic;
    fake::MessageBox messages;
    struct SeenByChart {
        Fixed4 eta0, area;
        QString eta0Box;
        bool eta0BoxEnabled;
        int rows;
    };
    std::vector<SeenByChart> seen;
    Sink sink{characteristic};
    ui::WindowPresenter presenter{testsupport::hungarian(), [](const QString&) { return 0.0; }};
    WindowController procedures{
        {combo, eta0Box, a1Box, a2Box, areaBox, collectorTemp, ambientTemp, irradiance, messages},
        testsupport::hungarian(),
        presenter};
    sink.chart = [&] {
        const model::Inputs& inputs = procedures.inputs();
        seen.push_back({inputs.eta0, inputs.collectorArea, eta0Box.value, eta0Box.enabled,
                        static_cast<int>(combo.items.size())});
    };
    combo.click = [&] { sink.show(procedures.collectorTypeChosen()); };

    procedures.startUp();

    std::vector<QString> names;
    for (const auto& type : model::kCollectorTypes) {
        names.push_back(type.name.toString());
    }
    EXPECT_EQ(combo.items, names);
    EXPECT_EQ(combo.index, model::kStartRow);
    // One evaluation, inside the selection: the row's preset, no area yet, the
    // whole list already there.
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].eta0, Fixed4::literal("0.8"));
    EXPECT_EQ(seen[0].area, Fixed4());
    EXPECT_EQ(seen[0].eta0Box, u"0,8");
    EXPECT_FALSE(seen[0].eta0BoxEnabled);
    EXPECT_EQ(seen[0].rows, 6);
    EXPECT_EQ(characteristic.caption, u"0,58");
    const model::CollectorState state = procedures.state();
    EXPECT_EQ(state.zeroEfficiencyX, Fixed4::literal("0.155"));

    EXPECT_EQ(state.eta0, model::kStartCoefficients.eta0);
    EXPECT_EQ(state.a1, model::kStartCoefficients.a1);
    EXPECT_EQ(state.a2, model::kStartCoefficients.a2);
    EXPECT_EQ(state.collectorArea, model::kStartCoefficients.collectorArea);
    EXPECT_EQ(eta0Box.value, u"0,798");
    EXPECT_EQ(a1Box.value, u"4,17");
    EXPECT_EQ(a2Box.value, u"0,011");
    EXPECT_EQ(areaBox.value, u"1");
    EXPECT_FALSE(eta0Box.enabled);
    EXPECT_FALSE(a1Box.enabled);
    EXPECT_FALSE(a2Box.enabled);
    EXPECT_TRUE(areaBox.enabled);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
