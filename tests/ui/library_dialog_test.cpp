// The collector library dialog and its edit form, on the real window.
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "library/collector_store.h"
#include "shown_window.h"
#include "test_printers.h"
#include "ui/collector_form.h"
#include "ui/library_dialog.h"

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
    } cases[] = {{"", 3}, {"helio", 2}, {"CSÖ", 1}, {"sík 2", 1}, {"nincs", 0}};
    for (const auto& c : cases) {
        dialog_->search().clear();
        type(&dialog_->search(), QString::fromUtf8(c.typed));
        EXPECT_EQ(dialog_->table().model()->rowCount(), c.rows) << c.typed;
    }
}

TEST_F(LibraryDialogTest, LoadingTypesIntoTheBoxesAndTheWindowChecksThem) {
    select(QStringLiteral("Napfény 25"));
    dialog_->loadIntoWindow();
    EXPECT_EQ(c().collectorType->currentText(), QStringLiteral("Egyedi kollektor"));
    EXPECT_EQ(c().eta0Box->text(), QStringLiteral("0,812"));
    EXPECT_EQ(c().a1Box->text(), QStringLiteral("3,6"));
    EXPECT_EQ(c().areaBox->text(), QStringLiteral("2,51"));
    EXPECT_TRUE(user_->takeAnswered().empty());

    select(QStringLiteral("Csöves 30"));
    dialog_->loadIntoWindow();
    const auto warnings = user_->takeAnswered();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings.front().text.contains(u"elsőfokú"));
    EXPECT_TRUE(dialog_->status().contains(u"a1 = 0,6")) << dialog_->status().toStdString();
    EXPECT_TRUE(dialog_->status().contains(u"adatlapnézet"));
}

TEST_F(LibraryDialogTest, ComparingKeepsCurvesUnderLibraryNamesAndDeletingUndoes) {
    dialog_->table().selectAll();
    dialog_->keepForComparison();
    QStringList kept;
    for (const auto& k : window_->keptCollectors()) {
        kept.append(k.name);
    }
    EXPECT_EQ(kept, (QStringList{"Napfény 25", "Csöves 30", "Sík 20"}));

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

TEST_F(LibraryDialogTest, TheFormGivesTheReasonBesideTheFieldAsTyped) {
    const struct {
        Field field;
        const char* typed;
        const char* reason;  // a part of it; empty: none
    } cases[] = {
        {Field::Eta0, "1,5", "legfeljebb 1"},
        {Field::Eta0, "0.5", "nem szám"},
        {Field::Eta0, "0,5", ""},
        {Field::A1, "-1", "negatív"},
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
    }
}

TEST_F(LibraryDialogTest, OutsideChangesAreFollowed) {
    library::CollectorStore elsewhere(ui::libraryPath());
    ASSERT_TRUE(elsewhere.add(stored("Máshonnan", "", u"2")).ok);
    QTRY_COMPARE(dialog_->table().model()->rowCount(), 4);
}

}  // namespace
