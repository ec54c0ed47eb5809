// The annual yield dialog through the real window: Ctrl+J opens it over the
// current collector; a weather file gives the year, a refused one says where.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "library/collector_store.h"
#include "shown_window.h"
#include "test_printers.h"
#include "ui/annual_yield_dialog.h"
#include "ui/library_dialog.h"

namespace {

QTemporaryDir folder;
const QString library_ = folder.filePath(QStringLiteral("collectors.json"));

const QString kYear = QStringLiteral(EFFICIENCY_WEATHER_DATA "/pvgis-tmy-45.000N-8.000E.csv");

class AnnualYieldDialogTest : public ShownWindow {
protected:
    // The library, where the weather file is remembered, in a folder of the test's own.
    void SetUp() override {
        ShownWindow::SetUp();
        ui::setLibraryPath(library_);
    }
    void TearDown() override { ui::setLibraryPath({}); }

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

    // Copied, exported and printed: the same collector, in each writer's form.
    dialog->copy();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(
        QStringLiteral("Napkollektor\t") + window_->currentCollectorName() + u'\n'));
    const QString csv = dir.filePath(QStringLiteral("év.csv"));
    ASSERT_TRUE(dialog->writeCsv(csv, present::AnnualCsvStyle::Hungarian));
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll().count("\r\n"), 4);  // a header and three temperatures
    EXPECT_FALSE(dialog->writeCsv(dir.filePath(QStringLiteral("nincs/év.csv")),
                                  present::AnnualCsvStyle::Point));
    EXPECT_TRUE(dialog->status().startsWith(u"A fájl nem menthető:"));
    QPrinter printer;
    printer.setOutputFileName(dir.filePath(QStringLiteral("év.pdf")));
    EXPECT_TRUE(dialog->printTo(printer));
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("év.pdf"))).size(), 1000);

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

// Tab visits every control once, in reading order, each with a Hungarian name.
TEST_F(AnnualYieldDialogTest, TabReachesEveryControlWithAHungarianName) {
    ui::AnnualYieldDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->openWeather(kYear));
    QStringList visited;
    for (int i = 0; i < 17; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << heardName(QApplication::focusWidget());
        // Buttons, the list and the tabs have a faint mark of their own: the frame shows.
        if (qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr) {
            const auto marks = dialog->findChildren<QWidget*>("keyboardFocusFrame");
            EXPECT_TRUE(std::any_of(marks.begin(), marks.end(), [](const QWidget* mark) {
                return mark->isVisible();
            })) << visited.back().toStdString();
        }
    }
    EXPECT_EQ(visited.join(u'|'),
              "Tallózás: időjárási fájl|Dőlésszög|Azimut|Albedó|Égboltmodell: Hay–Davies|"
              "Közepes folyadék-hőmérsékletek [°C]|Kollektorok|Hozzáadás a könyvtárból|"
              "Havi hozam|Hőmérséklet a diagramon: 25 °C|Másolás a vágólapra|Nyomtatás|"
              "CSV-exportálás fájlba|Bezárás|Időjárási fájl|Tallózás: időjárási fájl|Dőlésszög");

    // The table's tab, by its mnemonic, takes the focus in; Tab leaves it again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return QApplication::focusWidget()->accessibleName() == u"Éves hozam táblázata"; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), u"Másolás a vágólapra");
    dialog->close();
}
// The weather file chosen is offered again next time, kept in the library
// beside its collectors; a library that cannot be read is never written.
TEST_F(AnnualYieldDialogTest, TheWeatherFileIsRememberedInTheLibrary) {
    library::CollectorStore store(library_);
    library::Collector kept;
    kept.name = QStringLiteral("Megtartott");
    for (const auto& [field, text] : {std::pair(library::Field::Eta0, u"0.8"),
                                      {library::Field::A1, u"3"},
                                      {library::Field::A2, u"0.01"},
                                      {library::Field::GrossArea, u"2"}}) {
        ASSERT_TRUE(library::setFieldText(kept, field, QString::fromUtf16(text)));
    }
    ASSERT_TRUE(store.add(kept).ok);
    ui::AnnualYieldDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->openWeather(kYear));
    dialog->close();
    store.reload();
    EXPECT_EQ(store.weatherFile(), kYear);
    EXPECT_EQ(store.collectors(), QList{kept});
    EXPECT_EQ(ui::annualYieldSources(*window_).weatherFile, kYear);

    QFile file(library_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{");
    file.close();
    ui::AnnualYieldSources sources = ui::annualYieldSources(*window_);
    EXPECT_TRUE(sources.weatherFile.isEmpty());
    sources.rememberWeatherFile(kYear);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "{");
}

}  // namespace
