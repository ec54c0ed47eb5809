// The datasheet dialog through the real window: opened by Ctrl+D for the
// current collector, recomputed as the user types, reached by keyboard.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "shown_window.h"
#include "test_printers.h"
#include "ui/controls.h"
#include "ui/datasheet_dialog.h"

namespace {

class DatasheetDialogTest : public ShownWindow {
protected:
    ui::DatasheetDialog* open() {
        c().areaBox->setFocus(Qt::TabFocusReason);
        user_->key(Qt::Key_D, Qt::ControlModifier);
        auto* dialog = qobject_cast<ui::DatasheetDialog*>(QApplication::activeModalWidget());
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        }
        return dialog;
    }
    static QLineEdit* field(QWidget* dialog, const char* name) {
        for (auto* edit : dialog->findChildren<QLineEdit*>()) {
            if (edit->accessibleName() == QString::fromUtf8(name)) {
                return edit;
            }
        }
        ADD_FAILURE() << name;
        return nullptr;
    }
    static QStringList column(const QTableWidget& table, int column) {
        QStringList cells;
        for (int row = 0; row < table.rowCount(); ++row) {
            cells << table.item(row, column)->text();
        }
        return cells;
    }
};

// Start-up's collector, η0 0.798, a1 4.17, a2 0.011 on 1 m²: q̇(10) = 798 − 41.7 − 1.1.
TEST_F(DatasheetDialogTest, OpensForTheCurrentCollectorAndRecomputesAsTheUserTypes) {
    ui::DatasheetDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    const auto& table = *dialog->findChild<QTableWidget*>();
    EXPECT_EQ(dialog->input().collector, window_->currentCollectorName());
    EXPECT_EQ(field(dialog, "Bruttó felület [m²]")->text(), u"1");
    EXPECT_EQ(column(table, 1), (QStringList{"798", "755", "663", "562", "452"}));

    // An a1 the window refuses, then a text that is no number.
    QTest::keyClicks(field(dialog, "a1 [W/(m²·K)]"), "\b\b\b\b0,6");
    EXPECT_EQ(column(table, 1), (QStringList{"798", "791", "770", "740", "702"}));
    // Enter keeps the dialog and what was typed.
    field(dialog, "a1 [W/(m²·K)]")->setFocus();
    QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(field(dialog, "a1 [W/(m²·K)]")->text(), u"0,6");
    QLineEdit* eta0 = field(dialog, "Optikai hatásfok (η0)");
    QTest::keyClicks(eta0, "x");
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(eta0->accessibleDescription(), u"Optikai hatásfok (η0): számot kell megadni.");
    EXPECT_FALSE(dialog->findChild<QPushButton*>()->isEnabled());
    QTest::keyClick(eta0, Qt::Key_Backspace);

    // Copy, and one printed page.
    QTest::keyClick(dialog->windowHandle(), Qt::Key_M, Qt::AltModifier);
    // A mnemonic clicks its button after the button's press is shown.
    EXPECT_TRUE(QTest::qWaitFor([] {
        return QGuiApplication::clipboard()->text().contains(u"\n10\t791\t791\t–\t79,1\t–\n");
    })) << QGuiApplication::clipboard()->text().toStdString();
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFileName(dir.filePath("adatlap.pdf"));
    EXPECT_TRUE(dialog->printTo(printer));
    EXPECT_GT(QFileInfo(dir.filePath("adatlap.pdf")).size(), 1000);
    dialog->close();
}

// Tab visits every control once, in reading order, each with a name.
TEST_F(DatasheetDialogTest, TabReachesEveryControlWithAHungarianName) {
    ui::DatasheetDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QComboBox*>()->setCurrentIndex(1);  // η0,b and Kd: Kd takes input
    QStringList visited;
    for (int i = 0; i < 19; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << heardName(QApplication::focusWidget());
        if (auto* table = qobject_cast<QTableWidget*>(QApplication::focusWidget())) {
            const auto* mark = dialog->findChild<QWidget*>("keyboardFocusFrame");
            ASSERT_NE(mark, nullptr);
            EXPECT_TRUE(mark->isVisible() && mark->geometry().contains(table->geometry()));
        }
    }
    EXPECT_EQ(
        visited.join(u'|'),
        "Hatásfok fajtája: η0,b (direkt sugárzásra) és Kd|Optikai hatásfok (η0,b)|Kd, a szórt "
        "sugárzás beesésiszög-módosítója|"
        "a1 [W/(m²·K)]|a2 [W/(m²·K²)]|Vonatkoztatási felület: bruttó felület|Bruttó felület [m²]|"
        "Apertúrafelület [m²]|Hőmérséklet-különbségek, ΔT [K]|Gb, direkt sugárzás [W/m²]|"
        "Gd, szórt sugárzás [W/m²]|η0 félgömbi sugárzásra|"
        "Átszámítva az apertúrafelületre|"
        "Becsült stagnálási hőmérséklet (G = 1000 W/m², környezeti hőmérséklet 30 °C)|"
        "Teljesítménytáblázat|Másolás a vágólapra|Nyomtatás|Bezárás|Kollektor neve");
    dialog->close();
}

}  // namespace
