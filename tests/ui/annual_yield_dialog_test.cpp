// The annual yield dialog through the real window: Ctrl+J opens it over the
// current collector; a weather file gives the year, a refused one says where.
#include <QAccessible>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "shown_window.h"
#include "test_printers.h"
#include "ui/annual_yield_dialog.h"

namespace {

const QString kYear = QStringLiteral(EFFICIENCY_WEATHER_DATA "/pvgis-tmy-45.000N-8.000E.csv");

class AnnualYieldDialogTest : public ShownWindow {
protected:
    ui::AnnualYieldDialog* open() {
        user_->key(Qt::Key_J, Qt::ControlModifier);
        auto* dialog = qobject_cast<ui::AnnualYieldDialog*>(QApplication::activeModalWidget());
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        }
        return dialog;
    }
    template <typename Widget>
    static Widget* named(QWidget* dialog, const char* name) {
        for (auto* widget : dialog->findChildren<Widget*>()) {
            if (widget->accessibleName().startsWith(QString::fromUtf8(name))) {
                return widget;
            }
        }
        ADD_FAILURE() << name;
        return nullptr;
    }
};

TEST_F(AnnualYieldDialogTest, AWeatherFileGivesTheYearAndARefusedOneSaysWhere) {
    ui::AnnualYieldDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    auto* copy = named<QPushButton>(dialog, "Másolás");
    EXPECT_TRUE(dialog->rows().empty());
    EXPECT_FALSE(copy->isEnabled());

    // A year cut short is refused with its place; nothing is shown from it.
    QTemporaryDir dir;
    QFile year(kYear);
    ASSERT_TRUE(year.open(QIODevice::ReadOnly));
    const QString cut = dir.filePath(QStringLiteral("rövid.csv"));
    QFile shortYear(cut);
    ASSERT_TRUE(shortYear.open(QIODevice::WriteOnly));
    shortYear.write(year.read(200'000));
    shortYear.close();
    EXPECT_FALSE(dialog->openWeather(cut));
    EXPECT_TRUE(dialog->status().startsWith(u"Az időjárási fájl nem használható: rövid.csv:"))
        << dialog->status().toStdString();
    EXPECT_TRUE(dialog->rows().empty());

    // The window's collector at 25, 50 and 75 °C; on a level plane the
    // plane's year is the file's global horizontal sum, 1435.86 kWh/m².
    ASSERT_TRUE(dialog->openWeather(kYear));
    ASSERT_EQ(dialog->rows().size(), 3U);
    EXPECT_TRUE(copy->isEnabled());
    named<QDoubleSpinBox>(dialog, "Dőlésszög")->setValue(0);
    ASSERT_EQ(dialog->rows().size(), 3U);
    EXPECT_NEAR(dialog->rows()[0].yield.irradiation, 1435.86, 14);
    for (const auto& row : dialog->rows()) {
        EXPECT_EQ(row.collector, window_->currentCollectorName());
        EXPECT_TRUE(row.yield.fromHemisphericalEta0);
    }
    EXPECT_GT(dialog->rows()[0].yield.perSquareMetre, dialog->rows()[2].yield.perSquareMetre);

    // Temperatures as typed, in the window's number format; one out of
    // range leaves nothing calculated and says why.
    const struct {
        const char16_t* typed;
        std::vector<double> temperatures;
    } cases[] = {
        {u"30; 60,5", {30, 60.5}}, {u"0 150", {0, 150}}, {u"200", {}}, {u"", {}}, {u"25; x", {}},
    };
    auto* temps = named<QLineEdit>(dialog, "Közepes folyadék-hőmérsékletek");
    for (const auto& c : cases) {
        temps->setText(QString::fromUtf16(c.typed));
        emit temps->editingFinished();
        std::vector<double> shown;
        for (const auto& row : dialog->rows()) {
            shown.push_back(row.yield.meanFluidTemperature);
        }
        EXPECT_EQ(shown, c.temperatures) << QString::fromUtf16(c.typed).toStdString();
        EXPECT_EQ(copy->isEnabled(), !c.temperatures.empty());
    }
    dialog->close();
}

}  // namespace
