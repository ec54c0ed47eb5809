// The collector library dialog and its edit form, on the real window.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "library/collector_store.h"
#include "model/presets.h"
#include "shown_window.h"
#include "test_printers.h"
#include "tests/support/hungarian.h"
#include "ui/announcer.h"
#include "ui/collector_form.h"
#include "ui/datasheet_dialog.h"
#include "ui/library_dialog.h"
#include "ui/library_table.h"

namespace {

using library::Collector;
using library::Field;

Collector stored(const char* name, const char* maker, const char16_t* a1) {
    Collector c;
    c.name = QString::fromUtf8(name);
    c.maker = QString::fromUtf8(maker);
    static_cast<void>(library::setFieldText(c, Field::Eta0, u"0.812"));
    static_cast<void>(library::setFieldText(c, Field::A1, QStringView(a1)));
    static_cast<void>(library::setFieldText(c, Field::A2, u"0.0123"));
    static_cast<void>(library::setFieldText(c, Field::GrossArea, u"2.51"));
    return c;
}

// One keystroke at a time; QTest's key clicks take ASCII only.
void type(QLineEdit* edit, const QString& text) {
    for (const QChar c : text) {
        edit->insert(QString(c));
    }
}

class LibraryDialogTest : public ShownWindow {
protected:
    void SetUp() override {
        ShownWindow::SetUp();
        ui::setLibraryPath(dir_.filePath(QStringLiteral("collectors.json")));
        library::CollectorStore store(ui::libraryPath());
        for (const Collector& c :
             {stored("Napfény 25", "Helio Kft.", u"3.6"),
              stored("Csöves 30", "Vákuum Zrt.", u"0.6"), stored("Sík 20", "Helio Kft.", u"4.1")}) {
            ASSERT_TRUE(store.add(c).ok);
        }
        dialog_ = std::make_unique<ui::LibraryDialog>(*window_);
    }
    void TearDown() override { ui::setLibraryPath(QString()); }

    void select(const QString& name) {
        QTableView& table = dialog_->table();
        table.clearSelection();
        for (int row = 0; row < table.model()->rowCount(); ++row) {
            if (table.model()->index(row, 0).data().toString() == name) {
                table.selectRow(row);
            }
        }
    }

    QTemporaryDir dir_;
    std::unique_ptr<ui::LibraryDialog> dialog_;
};

TEST_F(LibraryDialogTest, SearchFiltersNameMakerAndModelAsTyped) {
    const struct {
        const char* typed;
        int rows;
    } cases[] = {{"", 3},      {"helio", 2},  {"CSÖ", 1}, {"sík 2", 1},
                 {"sik 2", 1}, {"VAKUUM", 1}, {"cso", 1}, {"nincs", 0}};
    for (const auto& c : cases) {
        dialog_->search().clear();
        type(&dialog_->search(), QString::fromUtf8(c.typed));
        EXPECT_EQ(dialog_->table().model()->rowCount(), c.rows) << c.typed;
    }
}

// The keyboard never leaves the table without a selected row, and sorts it.
TEST_F(LibraryDialogTest, TheKeyboardSelectsAndSorts) {
    QTableView& table = dialog_->table();
    const auto selectedName = [&] {
        const QModelIndexList rows = table.selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().data(Qt::EditRole).toString() : QString();
    };
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&table, &tabbedIn);
    EXPECT_EQ(selectedName(), QStringLiteral("Csöves 30"));  // the first, by name
    // Leaving, no cell claims the focus; coming back, the same row goes on.
    QFocusEvent tabbedOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&table, &tabbedOut);
    EXPECT_FALSE(table.currentIndex().isValid());
    QApplication::sendEvent(&table, &tabbedIn);
    EXPECT_EQ(table.currentIndex().data(Qt::EditRole).toString(), QStringLiteral("Csöves 30"));
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home}) {
        type(&dialog_->search(), QStringLiteral("sík"));
        table.clearSelection();
        QTest::keyClick(&table, key, key == Qt::Key_Home ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(selectedName(), QStringLiteral("Sík 20")) << key;
        dialog_->search().clear();
    }
    auto* sort = dialog_->findChild<QComboBox*>();
    ASSERT_NE(sort, nullptr);
    sort->setCurrentIndex(ui::LibraryTable::A1);
    emit sort->activated(ui::LibraryTable::A1);
    QTest::keyClick(dialog_->findChild<QCheckBox*>(), Qt::Key_Space);
    EXPECT_EQ(table.model()->index(0, 0).data(Qt::EditRole).toString(), QStringLiteral("Sík 20"));
    EXPECT_EQ(table.horizontalHeader()->sortIndicatorSection(), ui::LibraryTable::A1);
}

// Screen readers hear every status as a notification, and a combo box's
// value in its description.
TEST_F(LibraryDialogTest, StatusesAreAnnouncedAndComboValuesDescribed) {
    auto* announcer = dialog_->findChild<ui::Announcer*>();
    ASSERT_NE(announcer, nullptr);
    EXPECT_TRUE(announcer->isHidden());  // nothing said on opening
    select(QStringLiteral("Csöves 30"));
    dialog_->duplicateCollector();
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(announcer);
    EXPECT_EQ(heard->role(), QAccessible::Notification);
    EXPECT_EQ(heard->text(QAccessible::Name), dialog_->status());
    QTRY_VERIFY(!announcer->isHidden());
    auto* sort = dialog_->findChild<QComboBox*>();
    sort->setCurrentIndex(ui::LibraryTable::Eta0);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(sort)->text(QAccessible::Description),
              QStringLiteral("η0"));
}

// The table's texts in the user's format, its sort keys numbers; η0 from
// η0,b and Kd where only they are given; a collector breaking a rule marked.
TEST(LibraryTable, ShowsEachColumnAndSortsByValue) {
    Collector beam = stored("Csöves 30", "Vákuum Zrt.", u"0.6");
    for (const auto& [field, text] : {std::pair{Field::Eta0, u""},
                                      {Field::Eta0b, u"0.8"},
                                      {Field::Kd, u"1"},
                                      {Field::Lab, u"ITW"},
                                      {Field::Date, u"2020-01-02"}}) {
        static_cast<void>(library::setFieldText(beam, field, text));
    }
    ui::LibraryTable table(testsupport::hungarian(), nullptr);
    table.setCollectors({stored("Sík 20", "Helio Kft.", u"4.1"), beam, stored("Hiányos", "", u"")});
    using T = ui::LibraryTable;
    const struct {
        int row;
        int column;
        int role;
        const char* shown;
    } cases[] = {{0, T::Name, Qt::DisplayRole, "Sík 20"},
                 {0, T::Maker, Qt::EditRole, "Helio Kft."},
                 {0, T::Eta0, Qt::DisplayRole, "0,812"},
                 {0, T::A1, Qt::DisplayRole, "4,1"},
                 {0, T::A1, Qt::EditRole, "4.1"},
                 {0, T::A2, Qt::DisplayRole, "0,0123"},
                 {0, T::Area, Qt::DisplayRole, "2,51"},
                 {0, T::Source, Qt::DisplayRole, ""},
                 {1, T::Eta0, Qt::DisplayRole, "0,8"},
                 {1, T::Eta0, Qt::EditRole, "0.8"},
                 {1, T::Source, Qt::DisplayRole, "ITW, 2020-01-02"},
                 {2, T::Name, Qt::DisplayRole, "⚠ Hiányos"},
                 {2, T::Name, Qt::EditRole, "Hiányos"}};
    for (const auto& c : cases) {
        EXPECT_EQ(table.data(table.index(c.row, c.column), c.role).toString(),
                  QString::fromUtf8(c.shown))
            << c.row << ' ' << c.column << ' ' << c.role;
    }
}

// A very long name is elided in the table and the status: the dialog keeps
// to the screen.
TEST_F(LibraryDialogTest, ALongNameDoesNotWidenTheDialog) {
    const QString name(300, u'N');
    library::CollectorStore store(ui::libraryPath());
    ASSERT_TRUE(store.add(stored(name.toUtf8().constData(), "", u"3")).ok);
    ui::LibraryDialog dialog(*window_);
    ASSERT_TRUE(dialog.select(name));
    dialog.duplicateCollector();
    EXPECT_TRUE(dialog.status().contains(u'…')) << dialog.status().toStdString();
    dialog.show();
    EXPECT_LT(dialog.minimumSizeHint().width(), 800);
    EXPECT_LE(dialog.width(), dialog.screen()->availableGeometry().width());
}

// Escape on a changed form asks before discarding; an unchanged one closes.
TEST_F(LibraryDialogTest, EscapeAsksBeforeDiscardingTypedChanges) {
    for (const bool changed : {false, true}) {
        ui::CollectorForm form(stored("Új", "", u"3"), {}, window_->format(),
                               QStringLiteral("Új kollektor"), nullptr);
        form.show();
        if (changed) {
            type(form.edit(Field::Maker), QStringLiteral("x"));
        }
        bool asked = false;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->escapeButton()->click();  // back to the form
            }
        });
        QTest::keyClick(&form, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(asked, changed);
        EXPECT_EQ(form.isVisible(), changed);
    }
}

// One change and one evaluation for a collector the window takes; one it
// cannot take leaves the window as it was and says why.
TEST_F(LibraryDialogTest, LoadingIsAllOrNothing) {
    select(QStringLiteral("Napfény 25"));
    dialog_->loadIntoWindow();
    EXPECT_EQ(c().collectorType->currentText(), QStringLiteral("Egyedi kollektor"));
    EXPECT_EQ(c().eta0Box->text(), QStringLiteral("0,812"));
    EXPECT_EQ(c().a1Box->text(), QStringLiteral("3,6"));
    EXPECT_EQ(c().areaBox->text(), QStringLiteral("2,51"));
    EXPECT_TRUE(user_->takeAnswered().empty());
    // The stored name goes with the collector, until its values change.
    EXPECT_EQ(window_->currentCollectorName(), QStringLiteral("Napfény 25"));
    window_->keepCurrentCollector();
    EXPECT_EQ(window_->keptCollectors().front().name, QStringLiteral("Napfény 25"));

    select(QStringLiteral("Csöves 30"));
    dialog_->loadIntoWindow();
    EXPECT_TRUE(user_->takeAnswered().empty());
    EXPECT_EQ(c().a1Box->text(), QStringLiteral("3,6"));
    EXPECT_EQ(window_->state().a1, rt::Fixed4::literal("3.6"));
    EXPECT_TRUE(dialog_->status().contains(u"a1: Az elsőfokú")) << dialog_->status().toStdString();
    EXPECT_TRUE(dialog_->status().contains(u"Adatlap…"));
    c().collectorType->setListIndex(rt::Int16{2});
    EXPECT_EQ(window_->currentCollectorName(), model::kCollectorTypes[2].name);
}

TEST_F(LibraryDialogTest, TheDatasheetShowsEveryStoredFieldTheWindowRefuses) {
    ASSERT_TRUE(dialog_->select(QStringLiteral("Csöves 30")));
    dialog_->openDatasheet();
    const auto* sheet = dialog_->findChild<ui::DatasheetDialog*>();
    ASSERT_TRUE(sheet != nullptr && sheet->problems().empty());
    const model::DatasheetInput& in = sheet->input();
    EXPECT_EQ(in.collector, QStringLiteral("Csöves 30"));
    const std::array shown = {in.eta0, in.a1, in.a2, in.grossArea.value_or(0)};
    EXPECT_EQ(shown, (std::array{0.812, 0.6, 0.0123, 2.51}));
}

TEST_F(LibraryDialogTest, ComparingKeepsCurvesUnderLibraryNamesAndDeletingUndoes) {
    window_->keepCollector(QStringLiteral("Sík 20"), {}, {}, {});  // same name, other values
    dialog_->table().selectAll();
    dialog_->keepForComparison();
    QStringList kept;
    for (const auto& k : window_->keptCollectors()) {
        kept.append(k.name);
    }
    // In the order the table shows them, by name.
    EXPECT_EQ(kept, (QStringList{"Sík 20", "Csöves 30", "Napfény 25",
                                 "Sík 20 (η0 0,812; a1 4,1; a2 0,0123)"}));

    const QByteArray before = [&] {
        QFile f(ui::libraryPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    select(QStringLiteral("Csöves 30"));
    dialog_->removeSelected();
    EXPECT_EQ(dialog_->store().collectors().size(), 2);
    dialog_->undoRemove();
    QFile after(ui::libraryPath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

// After every change the highlighted row is the current one, and a deletion
// says what it deleted.
TEST_F(LibraryDialogTest, SelectionAndCurrentRowStayOne) {
    select(QStringLiteral("Csöves 30"));
    dialog_->duplicateCollector();
    QItemSelectionModel& selection = *dialog_->table().selectionModel();
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(dialog_->table().currentRow().row(), selection.selectedRows().front().row());
    EXPECT_EQ(selection.selectedRows().front().data(Qt::EditRole).toString(),
              QStringLiteral("Csöves 30 (másolat)"));
    dialog_->removeSelected();
    EXPECT_TRUE(dialog_->status().startsWith(u"Törölve: Csöves 30 (másolat)."))
        << dialog_->status().toStdString();
    // The keyboard goes on from the row in its place, and from the one brought back.
    const auto selectedName = [&] {
        const QModelIndexList rows = selection.selectedRows();
        return rows.size() == 1 ? rows.front().data(Qt::EditRole).toString() : QString();
    };
    EXPECT_EQ(selectedName(), QStringLiteral("Napfény 25"));
    dialog_->undoRemove();
    EXPECT_EQ(selectedName(), QStringLiteral("Csöves 30 (másolat)"));
}

TEST_F(LibraryDialogTest, TheFormGivesTheReasonBesideTheFieldAsTyped) {
    const struct {
        Field field;
        const char* typed;
        const char* reason;  // a part of it; empty: none
    } cases[] = {
        {Field::Eta0, "1,5", "legfeljebb 1"},
        {Field::Eta0, "0.5", "tizedesvesszővel adja meg, pl. 0,745"},
        {Field::Eta0, "0,5", ""},
        {Field::A1, "-1", "0 és 100"},
        {Field::Name, " napfény  25", "már van"},
        {Field::Date, "2024-02-30", "dátum"},
    };
    ui::CollectorForm form(stored("Új", "", u"3"), {QStringLiteral("Napfény 25")},
                           window_->format(), QStringLiteral("Új kollektor"), nullptr);
    for (const auto& c : cases) {
        form.edit(c.field)->clear();
        type(form.edit(c.field), QString::fromUtf8(c.typed));
        const QString shown = form.reasonShown(c.field);
        EXPECT_EQ(shown.isEmpty(), *c.reason == '\0') << c.typed << ": " << shown.toStdString();
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.reason))) << shown.toStdString();
        EXPECT_EQ(form.edit(c.field)->accessibleDescription(), shown);
        // The reason labels the field too, so that it labels nothing else.
        const auto labels = QAccessible::queryAccessibleInterface(form.edit(c.field))
                                ->relations(QAccessible::Label);
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const auto& label) {
            return label.first->text(QAccessible::Name) == shown;
        })) << c.typed;
    }
    form.accept();  // a fault is left: nothing is saved
    EXPECT_NE(form.result(), QDialog::Accepted);
}

TEST_F(LibraryDialogTest, OutsideChangesAreFollowed) {
    library::CollectorStore elsewhere(ui::libraryPath());
    // Each write replaces the file: the second is seen only if the watch follows.
    for (const char* name : {"Máshonnan", "Máshonnan is"}) {
        const int before = dialog_->table().model()->rowCount();
        ASSERT_TRUE(elsewhere.add(stored(name, "", u"2")).ok);
        QTRY_COMPARE(dialog_->table().model()->rowCount(), before + 1);
    }
}

TEST_F(LibraryDialogTest, TheImportWritesNothingUntilAcceptedAndReplacesAsChosen) {
    const QByteArray csv =
        "name,eta0,a1,a2,area\nÚj 1,0.7,3,0.01,2\nsík 20,0.7,3,0.01,2\n"
        "Rossz,2,3,0.01,2\n";
    const struct {
        bool accept;
        bool replace;
        const char* previewCounts;
        qsizetype collectors;
        const char* sik20A1;
    } cases[] = {{false, false, "(1):\n  Új 1\nMár meglévő nevek (1)", 3, "4.1"},
                 {true, false, "(1):\n  Új 1\nMár meglévő nevek (1)", 4, "4.1"},
                 {true, true, "(0):\nMár meglévő nevek (2)", 4, "3"}};
    for (const auto& c : cases) {
        QString preview;
        // The preview is modal: answer it once it is up.
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            preview = dialog->findChild<QPlainTextEdit*>()->toPlainText();
            dialog->findChildren<QRadioButton*>()[c.replace ? 1 : 0]->setChecked(true);
            c.accept ? dialog->accept() : dialog->reject();
        });
        dialog_->importBytes(csv, QStringLiteral("be.csv"));
        EXPECT_TRUE(preview.contains(QString::fromUtf8(c.previewCounts))) << preview.toStdString();
        EXPECT_TRUE(preview.contains(u"be.csv:4: eta0: 0-nál nagyobb")) << preview.toStdString();
        EXPECT_TRUE(preview.contains(u"a1: 4.1 → 3")) << preview.toStdString();  // stored → file
        library::CollectorStore onDisk(ui::libraryPath());
        onDisk.reload();
        EXPECT_EQ(onDisk.collectors().size(), c.collectors);
        EXPECT_EQ(onDisk.collectors()[*onDisk.indexOf(QStringLiteral("Sík 20"))].a1.text(),
                  QString::fromUtf8(c.sik20A1));
    }
}

TEST_F(LibraryDialogTest, AnUnreadableFileIsShownReadOnlyAndCanBeSetAside) {
    QFile file(ui::libraryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\": ");
    file.close();
    ui::LibraryDialog dialog(*window_);
    EXPECT_TRUE(dialog.status().contains(ui::libraryPath())) << dialog.status().toStdString();
    EXPECT_TRUE(dialog.status().contains(u"csonka"));
    const auto buttonNamed = [&](const char* text) {
        for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
            if (b->text().remove(u'&') == QString::fromUtf8(text)) {
                return b;
            }
        }
        return static_cast<QPushButton*>(nullptr);
    };
    EXPECT_FALSE(buttonNamed("Új…")->isEnabled());
    EXPECT_FALSE(buttonNamed("Importálás…")->isEnabled());
    EXPECT_FALSE(buttonNamed("Exportálás…")->isEnabled());  // it would write an empty table
    EXPECT_FALSE(buttonNamed("Új könyvtár kezdése…")->isHidden());
    // Where the last good version is.
    EXPECT_TRUE(dialog.status().contains(ui::libraryPath() + QStringLiteral(".bak")))
        << dialog.status().toStdString();
}

// Every control the keyboard reaches has a Hungarian name for screen readers.
TEST_F(LibraryDialogTest, EveryFocusableControlHasAnAccessibleName) {
    ui::CollectorForm form(stored("Új", "", u"3"), {}, window_->format(),
                           QStringLiteral("Új kollektor"), nullptr);
    for (QWidget* top : {static_cast<QWidget*>(dialog_.get()), static_cast<QWidget*>(&form)}) {
        for (QWidget* w : top->findChildren<QWidget*>()) {
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(top)) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                ASSERT_NE(a, nullptr);
                EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->metaObject()->className();
            }
        }
    }
}

}  // namespace

namespace {

// The same file through the command line's --import and the dialog's
// import: the same rows taken, the same refusals in the same words.
TEST_F(LibraryDialogTest, TheCommandLineAndTheDialogReadAFileAlike) {
    const struct {
        const char* what;
        QByteArray bytes;
        const char* taken;  // the name the preview offers; empty: none
        int status;         // the command line's
    } cases[] = {
        {"aperture coefficients without the aperture area",
         "name,eta0,a1,a2,reference,grossArea\nEXCEL,0.7,1,0.01,aperture,2.5\n", "", 2},
        {"Excel's Hungarian CSV", "name;eta0;a1;a2;area\r\n\xD5rs\xE9gi;0,7;3;0,01;2\r\n", "Őrségi",
         0},
        {"a compact JSON array",
         "[{\"name\": \"J\", \"eta0\": 0.7, \"a1\": 3, \"a2\": 0}, {\"name\": \"K\"}]", "J", 2},
        {"no area column", "name,eta0,a1,a2\nN,0.7,3,0.01\n", "N", 0},
        {"an area beyond the datasheets'", "name,eta0,a1,a2,area\nB,0.7,3,0.01,1e308\n", "", 2},
        {"a name with a tab, and one typed twice",
         "name,eta0,a1,a2,area\n\"T\tab\",0.7,3,0.01,2\n\xC3\xA9,0.7,3,0,1\ne\xCC\x81,0.7,3,0,1\n",
         "é", 2},
    };
    const QString file = dir_.filePath(QStringLiteral("be.csv"));
    for (const auto& c : cases) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(c.bytes);
        out.close();
        QProcess cli;
        cli.start(QStringLiteral(EFFICIENCY_PROGRAM),
                  {QStringLiteral("--import"), file, QStringLiteral("--library"),
                   dir_.filePath(QStringLiteral("cli.json"))});
        ASSERT_TRUE(cli.waitForFinished(30000));
        const QStringList said =
            QString::fromUtf8(cli.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        QString preview;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            preview = dialog->findChild<QPlainTextEdit*>()->toPlainText();
            dialog->reject();
        });
        dialog_->importBytes(c.bytes, file);
        const QStringList lines = preview.split(u'\n');
        const auto added = lines.indexOf(QRegularExpression(QStringLiteral("Új kollektorok.*")));
        const QString taken = added >= 0 && lines[added + 1].startsWith(u"  ")
                                  ? lines[added + 1].trimmed()
                                  : QString();
        EXPECT_EQ(taken, QString::fromUtf8(c.taken)) << c.what << "\n" << preview.toStdString();
        EXPECT_EQ(cli.exitCode(), c.status) << c.what;
        for (const QString& line : said) {
            if (line.startsWith(file + u':') && line.at(file.size() + 1).isDigit()) {  // a refusal
                EXPECT_TRUE(preview.contains(QStringLiteral("be.csv") + line.mid(file.size())))
                    << c.what << ": " << line.toStdString() << "\n"
                    << preview.toStdString();
            }
        }
    }
}

}  // namespace

namespace {

TEST(LibraryExport, TheTypedExtensionDecidesTheFormat) {
    using ui::ExportType;
    const struct {
        const char* typed;
        ExportType chosen;
        const char* path;
        bool json;
    } cases[] = {
        {"export-lib.json", ExportType::SemicolonCsv, "export-lib.json", true},
        {"export-hu", ExportType::SemicolonCsv, "export-hu.csv", false},
        {"export-hu", ExportType::Json, "export-hu.json", true},
        {"lista.CSV", ExportType::Json, "lista.CSV", false},
        {"lista.txt", ExportType::CommaCsv, "lista.txt.csv", false},
    };
    for (const auto& c : cases) {
        const ui::ExportTarget target =
            ui::exportTarget(QString::fromUtf8(c.typed), c.chosen, u',');
        EXPECT_EQ(target.path, QString::fromUtf8(c.path)) << c.typed;
        EXPECT_EQ(target.json, c.json) << c.typed;
    }
}

}  // namespace

namespace {

// The modifier's form decides which of its fields are shown and saved; a
// table's value out of range is named by its place.
TEST_F(LibraryDialogTest, TheFormSavesTheBeamModifierInTheFormChosen) {
    Collector start = stored("Új", "", u"3");
    static_cast<void>(library::setFieldText(start, Field::IamB0, u"0.1"));
    ui::CollectorForm form(start, {}, window_->format(), QStringLiteral("Új kollektor"), nullptr);
    QComboBox* kind = nullptr;
    for (auto* box : form.findChildren<QComboBox*>()) {
        kind = box->itemText(0) == u"nincs" ? box : kind;
    }
    ASSERT_NE(kind, nullptr);
    const auto shown = [&](Field field) { return form.edit(field)->isVisibleTo(&form); };
    EXPECT_TRUE(shown(Field::IamB0) && !shown(Field::IamK50) && !shown(Field::IamTable));
    kind->setCurrentIndex(3);
    type(form.edit(Field::IamTable), QStringLiteral("0,99; 1,6"));
    EXPECT_EQ(form.reasonShown(Field::IamTable),
              QStringLiteral("2. érték: 0 és 1,5 között lehet."));
    form.edit(Field::IamTable)->setText(QStringLiteral("0,99; 0,97"));
    type(form.edit(Field::A8), QStringLiteral("0,00000001"));
    EXPECT_EQ(form.reasonShown(Field::IamTable), QString());
    EXPECT_EQ(std::tuple(form.collector().iamB0.text(),
                         library::fieldText(form.collector(), Field::IamTable),
                         form.collector().a8.text()),
              std::tuple(QString(), QStringLiteral("0.99;0.97"), QStringLiteral("0.00000001")));
    kind->setCurrentIndex(4);
    type(form.edit(Field::IamTransversal), QStringLiteral("1,02"));
    EXPECT_TRUE(shown(Field::IamLongitudinal) && !shown(Field::IamTable));
    EXPECT_TRUE(form.reasonShown(Field::IamLongitudinal).startsWith(u"kötelező mező"));
}

}  // namespace
