#include "library_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QSet>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "announcer.h"
#include "collector_form.h"
#include "collector_host.h"
#include "datasheet_dialog.h"
#include "dialog_frame.h"
#include "library/collector_import.h"
#include "library/earlier_library.h"
#include "library/stored_calculation.h"
#include "library_table.h"
#include "model/entry_check.h"

namespace ui {

using library::Collector;
using library::CollectorStore;

namespace {

QString& pathSetting() {
    static QString path;
    return path;
}

// A name as the status line shows it: a very long one would widen the
// dialog beyond the screen.
QString brief(const QString& name) {
    constexpr qsizetype kLongest = 60;
    return name.size() <= kLongest ? name : name.left(kLongest - 1) + u'…';
}

// The collectors of the last deletion that are not back yet, each to tick;
// the names ticked, or nothing when cancelled.
std::optional<QList<QString>> chooseDeleted(const QList<Collector>& deleted, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Törölt kollektorok visszaállítása"));
    dialog.setAccessibleName(dialog.windowTitle());
    auto* list = new QListWidget(&dialog);
    list->setAccessibleName(QStringLiteral("A legutóbb törölt kollektorok"));
    for (const Collector& c : deleted) {
        auto* item = new QListWidgetItem(c.name, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    list->setCurrentRow(0);
    auto* label = new QLabel(
        QStringLiteral("A legutóbbi törlés kollektorai közül a &bejelöltek visszakerülnek:"),
        &dialog);
    label->setBuddy(list);
    label->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* restore =
        buttons->addButton(QStringLiteral("&Visszaállítás"), QDialogButtonBox::AcceptRole);
    restore->setAccessibleName(QStringLiteral("Visszaállítás"));
    buttons->addButton(QStringLiteral("Mégse"), QDialogButtonBox::RejectRole)
        ->setAccessibleName(QStringLiteral("Mégse"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    QList<QString> names;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->checkState() == Qt::Checked) {
            names.append(list->item(row)->text());
        }
    }
    return names;
}

QPushButton* button(const QString& text, const QString& accessibleName, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAccessibleName(accessibleName);
    b->setAutoDefault(false);
    // Some styles fit the button to its text with no room to spare.
    b->setMinimumWidth(b->sizeHint().width() + b->fontMetrics().averageCharWidth() * 2);
    return b;
}

struct Choice {
    bool accepted = false;
    library::ExistingNames existing = library::ExistingNames::Skip;
};

// The fields an import would change in a stored collector, old → new.
QString changedFields(const Collector& before, const Collector& after) {
    QStringList changes;
    for (int f = 0; f < library::kFieldCount; ++f) {
        const auto field = static_cast<library::Field>(f);
        const QString was = library::fieldText(before, field);
        const QString will = library::fieldText(after, field);
        if (was != will) {
            changes << QStringLiteral("%1: %2 → %3")
                           .arg(library::fieldKey(field), was.isEmpty() ? QStringLiteral("–") : was,
                                will.isEmpty() ? QStringLiteral("–") : will);
        }
    }
    return changes.isEmpty() ? QStringLiteral("nem változik") : changes.join(QStringLiteral("; "));
}

// The preview's text: the additions, the replacements, the refusals and
// how the file was read.
QStringList previewLines(const library::ImportFile& file, const library::ImportPreview& preview,
                         const QString& fileName) {
    QStringList lines;
    lines << QStringLiteral("Fájl: %1").arg(QDir::toNativeSeparators(fileName)) << QString();
    lines << QStringLiteral("Új kollektorok (%1):").arg(preview.additions.size());
    for (const Collector& c : preview.additions) {
        lines << QStringLiteral("  ") + c.name;
    }
    lines << QStringLiteral("Már meglévő nevek (%1), cseréskor mezőnként régi → új:")
                 .arg(preview.existing.size());
    for (qsizetype i = 0; i < preview.existing.size(); ++i) {
        lines << QStringLiteral("  %1 (%2)")
                     .arg(preview.existing[i].name,
                          changedFields(preview.existing[i], preview.replaced[i]));
    }
    lines << QStringLiteral("Elutasított sorok (%1):").arg(file.refusals.size());
    const QString shownName = QFileInfo(fileName).fileName();
    for (const library::Refusal& r : file.refusals) {
        lines << QStringLiteral("  ") + library::describe(r, shownName);
    }
    if (file.windows1250) {
        lines << QString()
              << QStringLiteral("A fájl nem UTF-8: Windows-1250 kódolásúként olvasva.");
    }
    if (file.areaAssumed) {
        lines << QString()
              << QStringLiteral(
                     "Ahol nincs megadva felület, 1 m²-es vonatkoztatási felülettel "
                     "olvasva.");
    }
    return lines;
}

// What an import would do, shown before anything is written.
Choice confirmImport(const library::ImportFile& file, const library::ImportPreview& preview,
                     const QString& fileName, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Importálás előnézete"));
    dialog.setAccessibleName(dialog.windowTitle());
    auto* text = new QPlainTextEdit(previewLines(file, preview, fileName).join(u'\n'), &dialog);
    text->setReadOnly(true);
    text->setAccessibleName(QStringLiteral("Az importálandó és az elutasított sorok"));
    auto* skip = new QRadioButton(QStringLiteral("Meglévő nevek &kihagyása"), &dialog);
    auto* replace = new QRadioButton(QStringLiteral("Meglévő nevek &cseréje"), &dialog);
    skip->setAccessibleName(QStringLiteral("A meglévő nevű kollektorok kihagyása"));
    replace->setAccessibleName(QStringLiteral("A meglévő nevű kollektorok cseréje"));
    skip->setChecked(true);
    skip->setEnabled(!preview.existing.isEmpty());
    replace->setEnabled(!preview.existing.isEmpty());
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* accept =
        buttons->addButton(QStringLiteral("&Importálás"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Mégse"), QDialogButtonBox::RejectRole);
    accept->setAccessibleName(QStringLiteral("Importálás"));
    cancel->setAccessibleName(QStringLiteral("Mégse"));
    accept->setEnabled(!file.rows.isEmpty());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(skip);
    layout->addWidget(replace);
    layout->addWidget(buttons);
    fitToScreen(dialog, QSize(560, 420));
    // The counts are read as the preview opens; the lines, from the text box.
    auto* announcer = new Announcer(&dialog);
    QTimer::singleShot(0, announcer, [announcer, &file, &preview] {
        announcer->announce(QStringLiteral("%1 új, %2 már meglévő név, %3 elutasított sor.")
                                .arg(preview.additions.size())
                                .arg(preview.existing.size())
                                .arg(file.refusals.size()));
    });
    Choice choice;
    choice.accepted = dialog.exec() == QDialog::Accepted;
    choice.existing =
        replace->isChecked() ? library::ExistingNames::Replace : library::ExistingNames::Skip;
    return choice;
}

// Both values of every field changed here and elsewhere since the form
// opened: true keeps the form's, false the stored ones, none cancels.
std::optional<bool> chooseInConflict(const QList<CollectorStore::Conflict>& conflicts,
                                     QWidget* parent) {
    QStringList lines;
    for (const CollectorStore::Conflict& c : conflicts) {
        lines << QStringLiteral("%1: most tárolt „%2”, az űrlapon „%3”")
                     .arg(library::fieldKey(c.field), c.stored, c.edited);
    }
    QMessageBox ask(QMessageBox::Warning, QStringLiteral("Ütköző módosítás"),
                    QStringLiteral("Az űrlap megnyitása óta valaki más is módosította ezeket a "
                                   "mezőket:\n\n%1\n\nMelyik érték maradjon?")
                        .arg(lines.join(u'\n')),
                    QMessageBox::NoButton, parent);
    QPushButton* mine = ask.addButton(QStringLiteral("Az űrlap &értékei"), QMessageBox::YesRole);
    QPushButton* theirs = ask.addButton(QStringLiteral("A &tárolt értékek"), QMessageBox::NoRole);
    ask.addButton(QStringLiteral("Mégse"), QMessageBox::RejectRole);
    ask.exec();
    if (ask.clickedButton() == mine) {
        return true;
    }
    if (ask.clickedButton() == theirs) {
        return false;
    }
    return std::nullopt;
}

}  // namespace

ExportTarget exportTarget(const QString& typed, ExportType chosen, QChar decimalSeparator) {
    const QString suffix = QFileInfo(typed).suffix().toLower();
    const bool json = suffix == u"json" || (suffix != u"csv" && chosen == ExportType::Json);
    QString path = typed;
    if (suffix != u"json" && suffix != u"csv") {
        path += json ? QStringLiteral(".json") : QStringLiteral(".csv");
    }
    const bool comma =
        chosen == ExportType::CommaCsv || (chosen == ExportType::Json && decimalSeparator != u',');
    return {path, json, comma ? library::CsvStyle::CommaPoint : library::CsvStyle::SemicolonComma};
}

void setLibraryPath(const QString& path) {
    pathSetting() = path;
}

QString libraryPath() {
    return pathSetting().isEmpty() ? CollectorStore::defaultPath() : pathSetting();
}

// The user's own library first takes over the command line's earlier one;
// the line that says so, or empty.
QString adoptEarlierLibrary() {
    if (!pathSetting().isEmpty()) {
        return {};
    }
    CollectorStore store(CollectorStore::defaultPath());
    return library::adoptEarlierLibrary(store, library::earlierCommandLinePath());
}

LibraryDialog::LibraryDialog(CollectorHost& window)
    : QDialog(&window.dialogParent()), window_(window), store_(libraryPath()) {
    setWindowTitle(QStringLiteral("Kollektorkönyvtár"));
    setAccessibleName(windowTitle());

    announcer_ = new Announcer(this);
    // Built in the order Tab follows wherever arrange() does not set it.
    QLabel* searchLabel = buildSearch();
    buildTable();
    QLabel* sortLabel = buildSorting();
    buildStatus();
    const Buttons buttons = buildButtons();
    arrange(*searchLabel, *sortLabel, buttons);
    wire();

    const QString adopted = adoptEarlierLibrary();
    reload();
    if (!adopted.isEmpty()) {
        setStatus(adopted);
    }
}

QLabel* LibraryDialog::buildSearch() {
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Név, gyártó vagy típus"));
    search_->setAccessibleName(QStringLiteral("Keresés névben, gyártóban és típusban"));
    search_->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Keresés:"), this);
    searchLabel->setBuddy(search_);
    return searchLabel;
}

void LibraryDialog::buildTable() {
    model_ = new LibraryTable(window_.format(), this);
    filter_ = new LibraryFilter(this);
    filter_->setSourceModel(model_);
    table_ = new LibraryView(this);
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(LibraryTable::Name, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAccessibleName(QStringLiteral("Tárolt kollektorok"));
    // Long names are elided; the Név column is wide enough to tell most apart.
    table_->setColumnWidth(LibraryTable::Name, fontMetrics().averageCharWidth() * 26);
    table_->setTextElideMode(Qt::ElideMiddle);
}

// Sorting from the keyboard, as a click on a column's title does.
QLabel* LibraryDialog::buildSorting() {
    sortColumn_ = new QComboBox(this);
    for (int column = 0; column < LibraryTable::ColumnCount; ++column) {
        sortColumn_->addItem(
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    auto* sortLabel = new QLabel(QStringLiteral("Rende&zés:"), this);
    sortLabel->setBuddy(sortColumn_);
    voiceValue(*sortColumn_, *announcer_);
    descending_ = new QCheckBox(QStringLiteral("Csökke&nő"), this);
    descending_->setAccessibleName(QStringLiteral("Csökkenő sorrend"));
    return sortLabel;
}

void LibraryDialog::buildStatus() {
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    // Long texts wrap rather than widen the dialog.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    status_->setAccessibleName(QStringLiteral("Állapot"));
}

LibraryDialog::Buttons LibraryDialog::buildButtons() {
    const auto make = [this](const QString& text, const QString& name,
                             void (LibraryDialog::*slot)()) {
        QPushButton* b = button(text, name, this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    QPushButton* add =
        make(QStringLiteral("Ú&j…"), QStringLiteral("Új kollektor"), &LibraryDialog::newCollector);
    QPushButton* edit = make(QStringLiteral("&Szerkesztés…"), QStringLiteral("Szerkesztés"),
                             &LibraryDialog::editCollector);
    QPushButton* copy = make(QStringLiteral("&Másolat"), QStringLiteral("Másolat"),
                             &LibraryDialog::duplicateCollector);
    QPushButton* remove =
        make(QStringLiteral("&Törlés"), QStringLiteral("Törlés"), &LibraryDialog::removeSelected);
    undo_ = make(QStringLiteral("&Visszavonás"), QStringLiteral("A törlés visszavonása"),
                 &LibraryDialog::undoRemove);
    QPushButton* load = make(QStringLiteral("&Betöltés"), QStringLiteral("Betöltés az ablakba"),
                             &LibraryDialog::loadIntoWindow);
    QPushButton* compare =
        make(QStringLiteral("Össze&hasonlításhoz"), QStringLiteral("Megtartás összehasonlításhoz"),
             &LibraryDialog::keepForComparison);
    QPushButton* sheet =
        make(QStringLiteral("&Adatlap…"), QStringLiteral("A kijelölt kollektor adatlapja"),
             &LibraryDialog::openDatasheet);
    QPushButton* import = make(QStringLiteral("&Importálás…"), QStringLiteral("Importálás fájlból"),
                               &LibraryDialog::importFile);
    QPushButton* exportTo = make(QStringLiteral("&Exportálás…"),
                                 QStringLiteral("Exportálás fájlba"), &LibraryDialog::exportFile);
    QPushButton* restore = make(QStringLiteral("Törö&ltek visszaállítása…"),
                                QStringLiteral("A legutóbb törölt kollektorok visszaállítása"),
                                &LibraryDialog::restoreDeleted);
    startNew_ = make(QStringLiteral("Új könyvtá&r kezdése…"), QStringLiteral("Új könyvtár kezdése"),
                     &LibraryDialog::startNewLibrary);
    QPushButton* close = button(QStringLiteral("Bezárás"), QStringLiteral("Bezárás"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    undo_->setShortcut(QKeySequence::Undo);
    // Export too: from an unreadable library it would write an empty table.
    writing_ = {add, edit, copy, remove, import, exportTo, restore};
    selecting_ = {edit, copy, remove, load, compare, sheet};
    return {{add, edit, copy, remove, undo_, restore, load, compare, sheet, import, exportTo},
            close};
}

void LibraryDialog::arrange(QLabel& searchLabel, QLabel& sortLabel, const Buttons& buttons) {
    auto* top = new QHBoxLayout;
    top->addWidget(&searchLabel);
    top->addWidget(search_, 1);
    top->addWidget(&sortLabel);
    top->addWidget(sortColumn_);
    top->addWidget(descending_);
    // On a low screen (1024×768 at 150 % or more) the buttons stand in two
    // columns, so that all of them stay in view beside the table.
    const QList<QPushButton*>& sideButtons = buttons.side;
    const int perColumn = screen()->availableGeometry().height() < 600
                              ? static_cast<int>((sideButtons.size() + 1) / 2)
                              : static_cast<int>(sideButtons.size());
    auto* side = new QGridLayout;
    for (int i = 0; i < sideButtons.size(); ++i) {
        side->addWidget(sideButtons[i], i % perColumn, i / perColumn);
    }
    side->setRowStretch(perColumn, 1);
    for (int i = 1; i < sideButtons.size(); ++i) {
        setTabOrder(sideButtons[i - 1], sideButtons[i]);
    }
    auto* middle = new QHBoxLayout;
    middle->addWidget(table_, 1);
    middle->addLayout(side);
    // Closing, and starting anew when the file is unreadable, stay in view
    // when the screen is too small for the rest.
    auto* bottom = new QWidget(this);
    auto* bottomRow = new QHBoxLayout(bottom);
    bottomRow->setContentsMargins(0, 0, 0, 0);
    bottomRow->addWidget(startNew_);
    bottomRow->addStretch(1);
    bottomRow->addWidget(buttons.close);
    auto* layout = new QVBoxLayout(scrollingBody(*this, bottom));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(status_);
    table_->setMinimumHeight(table_->fontMetrics().lineSpacing() * 6);
    fitToScreen(*this, QSize(820, 460));
    // Tab follows the lines: the search and the sorting, then the table.
    setTabOrder(search_, sortColumn_);
    setTabOrder(sortColumn_, descending_);
    setTabOrder(descending_, table_);
}

void LibraryDialog::wire() {
    connect(search_, &QLineEdit::textChanged, filter_, &LibraryFilter::setSearch);
    const auto sortAsChosen = [this] {
        table_->sortByColumn(sortColumn_->currentIndex(),
                             descending_->isChecked() ? Qt::DescendingOrder : Qt::AscendingOrder);
    };
    connect(sortColumn_, &QComboBox::activated, this, sortAsChosen);
    connect(descending_, &QCheckBox::toggled, this, sortAsChosen);
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                const QSignalBlocker quiet(descending_);
                sortColumn_->setCurrentIndex(column);
                descending_->setChecked(order == Qt::DescendingOrder);
            });

    auto* removeKey = new QShortcut(QKeySequence::Delete, table_);
    removeKey->setContext(Qt::WidgetShortcut);
    connect(removeKey, &QShortcut::activated, this, &LibraryDialog::removeSelected);
    connect(table_, &QTableView::doubleClicked, this, &LibraryDialog::editCollector);
    connect(table_, &QTableView::activated, this, &LibraryDialog::editCollector);

    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryDialog::updateButtons);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LibraryDialog::reload);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &LibraryDialog::reload);
}

QString LibraryDialog::status() const {
    return status_->text();
}

// While the file cannot be read, why stays in view above what was done.
void LibraryDialog::setStatus(const QString& text) {
    const QString shown =
        store_.isReadOnly() && text != store_.problem() ? store_.problem() + u'\n' + text : text;
    status_->setText(shown);
    status_->setAccessibleDescription(shown);
    if (!text.isEmpty()) {
        announcer_->announce(text);
    }
}

// The folder is watched as well: a write replaces the file, and a file
// created later shows up only there. The file's own watch follows the file
// that was there when it was added, so it is renewed on every reload.
void LibraryDialog::watch() {
    const QString folder = QFileInfo(store_.path()).absolutePath();
    if (QFileInfo::exists(folder) && !watcher_.directories().contains(folder)) {
        watcher_.addPath(folder);
    }
    if (watcher_.files().contains(store_.path())) {
        watcher_.removePath(store_.path());
    }
    if (QFileInfo::exists(store_.path())) {
        watcher_.addPath(store_.path());
    }
}

void LibraryDialog::reload() {
    store_.reload();
    showCollectors();
    watch();
    if (store_.isReadOnly()) {
        setStatus(store_.problem());
    } else if (problemShown_) {
        setStatus(QString());
    }
    problemShown_ = store_.isReadOnly();
}

// The selection and the current row are one thing: both follow the same
// collectors through a reload, so that the keyboard goes on from the
// highlighted row and an action never takes another.
void LibraryDialog::showCollectors() {
    QSet<QString> selectedNames;
    for (const Collector& c : selectedCollectors()) {
        selectedNames.insert(library::nameKey(c.name));
    }
    const QModelIndex current = table_->currentRow();
    const QString currentName =
        current.isValid()
            ? library::nameKey(
                  current.siblingAtColumn(LibraryTable::Name).data(Qt::EditRole).toString())
            : QString();
    model_->setCollectors(store_.collectors());
    QModelIndex newCurrent;
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const QModelIndex index = filter_->index(row, LibraryTable::Name);
        const QString key = library::nameKey(index.data(Qt::EditRole).toString());
        if (selectedNames.contains(key)) {
            table_->selectionModel()->select(
                index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            if (!newCurrent.isValid() || key == currentName) {
                newCurrent = index;
            }
        }
    }
    if (newCurrent.isValid()) {
        table_->setCurrentRow(newCurrent);
    }
    updateButtons();
}

void LibraryDialog::updateButtons() {
    const bool writable = !store_.isReadOnly();
    const bool any = table_->selectionModel()->hasSelection();
    for (QPushButton* b : selecting_) {
        b->setEnabled(any);
    }
    for (QPushButton* b : writing_) {
        b->setEnabled(writable && (!selecting_.contains(b) || any));
    }
    undo_->setEnabled(writable && !removed_.isEmpty());
    startNew_->setVisible(!writable);
}

bool LibraryDialog::select(const QString& name) {
    table_->clearSelection();
    search_->clear();
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const QModelIndex index = filter_->index(row, LibraryTable::Name);
        if (library::nameKey(index.data(Qt::EditRole).toString()) == library::nameKey(name)) {
            table_->selectOnly(index);
            return true;
        }
    }
    return false;
}

// In the library's order, whatever the table's sorting.
QList<Collector> LibraryDialog::selectedCollectors() const {
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.append(filter_->mapToSource(index).row());
    }
    std::sort(rows.begin(), rows.end());
    QList<Collector> selected;
    for (const int row : rows) {
        selected.append(model_->collectors()[row]);
    }
    return selected;
}

QList<QString> LibraryDialog::namesExcept(const QString& name) const {
    QList<QString> names;
    for (const Collector& c : store_.collectors()) {
        if (library::nameKey(c.name) != library::nameKey(name)) {
            names.append(c.name);
        }
    }
    return names;
}

void LibraryDialog::report(const CollectorStore::Outcome& outcome, const QString& done) {
    showCollectors();
    watch();
    setStatus(outcome.ok ? done : outcome.message);
    if (!outcome.ok) {
        QMessageBox::warning(this, QStringLiteral("Kollektorkönyvtár"), outcome.message);
    }
}

void LibraryDialog::newCollector() {
    Collector start;
    CollectorForm form(start, namesExcept(QString()), window_.format(),
                       QStringLiteral("Új kollektor"), this);
    // A refused write keeps the form's values for another try.
    while (form.exec() == QDialog::Accepted) {
        const auto outcome = store_.add(form.collector());
        report(outcome, QStringLiteral("Mentve: %1.").arg(brief(form.collector().name)));
        if (outcome.ok) {
            break;
        }
    }
}

void LibraryDialog::editCollector() {
    const QList<Collector> selected = selectedCollectors();
    if (selected.isEmpty() || store_.isReadOnly()) {
        return;
    }
    const Collector old = selected.front();
    CollectorForm form(old, namesExcept(old.name), window_.format(),
                       QStringLiteral("Kollektor szerkesztése"), this);
    while (form.exec() == QDialog::Accepted) {
        Collector edited = form.collector();
        QList<CollectorStore::Conflict> conflicts;
        auto outcome = store_.edit(old, edited, &conflicts);
        if (!conflicts.isEmpty()) {
            const std::optional<bool> mine = chooseInConflict(conflicts, this);
            if (!mine) {
                setStatus(QStringLiteral("A mentés elmaradt: %1.").arg(brief(old.name)));
                continue;
            }
            library::FieldSet overwrite;
            for (const CollectorStore::Conflict& c : conflicts) {
                if (*mine) {
                    overwrite.set(static_cast<std::size_t>(c.field));
                } else {
                    static_cast<void>(library::setFieldText(edited, c.field, c.stored));
                }
            }
            outcome = store_.edit(old, edited, &conflicts, overwrite);
        }
        report(outcome, QStringLiteral("Mentve: %1.").arg(brief(edited.name)));
        if (outcome.ok) {
            select(edited.name);
            break;
        }
    }
}

void LibraryDialog::duplicateCollector() {
    const QList<Collector> selected = selectedCollectors();
    if (selected.isEmpty()) {
        return;
    }
    Collector copy = selected.front();
    const QString base = copy.name + QStringLiteral(" (másolat)");
    copy.name = base;
    for (int n = 2; store_.indexOf(copy.name); ++n) {
        copy.name = QStringLiteral("%1 %2").arg(base).arg(n);
    }
    const auto outcome = store_.add(copy);
    report(outcome, QStringLiteral("Másolat készült: %1.").arg(brief(copy.name)));
    if (outcome.ok) {
        select(copy.name);
    }
}

void LibraryDialog::removeSelected() {
    const QList<Collector> selected = selectedCollectors();
    if (selected.isEmpty() || store_.isReadOnly()) {
        return;
    }
    QList<QString> names;
    for (const Collector& c : selected) {
        names.append(c.name);
    }
    // The row that takes the first deleted one's place is selected next, so
    // that the keyboard goes on from there.
    int nextRow = filter_->rowCount();
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        nextRow = std::min(nextRow, index.row());
    }
    QList<std::pair<qsizetype, Collector>> removed;
    const auto outcome = store_.removeNames(names, &removed);
    if (outcome.ok) {
        removed_.append(removed);
    }
    // The status names what went: the name, or the count and the first names.
    QStringList shown;
    for (const QString& name : names.mid(0, 3)) {
        shown.append(brief(name));
    }
    const QString what = names.size() == 1
                             ? shown.front()
                             : QStringLiteral("%1 kollektor (%2%3)")
                                   .arg(names.size())
                                   .arg(shown.join(QStringLiteral(", ")),
                                        names.size() > 3 ? QStringLiteral(", …") : QString());
    report(outcome, QStringLiteral("Törölve: %1. Visszahozza a Visszavonás (Ctrl+Z), a párbeszéd "
                                   "bezárása után pedig a „Töröltek visszaállítása…” gomb.")
                        .arg(what));
    if (outcome.ok && filter_->rowCount() > 0) {
        table_->selectOnly(filter_->index(std::min(nextRow, filter_->rowCount() - 1), 0));
    }
}

void LibraryDialog::undoRemove() {
    if (removed_.isEmpty()) {
        return;
    }
    const auto [place, collector] = removed_.back();
    const auto outcome = store_.change([&](QList<Collector>& list, CollectorStore::Outcome&) {
        if (library::indexOfName(list, collector.name) >= 0) {
            return QStringLiteral("Már van ilyen nevű kollektor: %1").arg(collector.name);
        }
        list.insert(std::min(place, list.size()), collector);
        return QString();
    });
    if (outcome.ok) {
        removed_.removeLast();
    }
    report(outcome, QStringLiteral("Visszaállítva: %1.").arg(brief(collector.name)));
    if (outcome.ok) {
        select(collector.name);
    }
}

void LibraryDialog::restoreDeleted() {
    store_.reload();
    const QList<Collector> deleted = store_.restorable();
    if (deleted.isEmpty()) {
        setStatus(
            QStringLiteral("Nincs visszaállítható törölt kollektor: a legutóbb töröltek "
                           "mind a könyvtárban vannak."));
        return;
    }
    const std::optional<QList<QString>> names = chooseDeleted(deleted, this);
    if (!names || names->isEmpty()) {
        setStatus(QStringLiteral("A visszaállítás elmaradt, semmi sem változott."));
        return;
    }
    const auto outcome = store_.restoreDeleted(*names);
    removed_.clear();  // what this dialog deleted may be back already
    report(outcome, QStringLiteral("Visszaállítva: %1 kollektor.").arg(outcome.added) +
                        (outcome.skipped > 0
                             ? QStringLiteral(" %1 kimaradt, mert a neve közben foglalt lett.")
                                   .arg(outcome.skipped)
                             : QString()));
    if (outcome.ok && names->size() == 1) {
        select(names->front());
    }
}

// All or nothing: a collector the window cannot take leaves it as it was.
void LibraryDialog::loadIntoWindow() {
    const QList<Collector> selected = selectedCollectors();
    if (selected.isEmpty()) {
        return;
    }
    const Collector& c = selected.front();
    auto converted = library::windowCollector(c);
    if (const auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
        setStatus(QStringLiteral("Nem tölthető be: %1. %2%3")
                      .arg(brief(c.name), library::describe(*refusal),
                           refusal->outsideWindow
                               ? QStringLiteral(" Az ablak ezt nem fogadja el; az Adatlap… gomb "
                                                "megmutatja.")
                               : QStringLiteral(" A Szerkesztés gombbal pótolható.")));
        return;
    }
    const rt::NumberFormat& format = window_.format();
    const QChar point = format.decimalSeparator();
    window_.loadCollector(
        std::get<model::Collector>(converted),
        {c.eta0.isEmpty() ? format.text(library::hemisphericalEta0(c)) : c.eta0.text(point),
         c.a1.text(point), c.a2.text(point), library::referenceArea(c).text(point)});
    setStatus(QStringLiteral("Betöltve: %1.").arg(brief(c.name)));
    accept();
}

// Every stored field the datasheet reads, the window's ranges aside: this is
// where a collector the window refuses can still be seen.
void LibraryDialog::openDatasheet() {
    const QList<Collector> selected = selectedCollectors();
    if (selected.isEmpty()) {
        return;
    }
    auto converted = library::datasheetInput(selected.front());
    if (const auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
        setStatus(QStringLiteral("Az adatlap nem számítható: %1. %2")
                      .arg(brief(selected.front().name), library::describe(*refusal)));
        return;
    }
    auto* dialog = new DatasheetDialog(std::get<model::DatasheetInput>(converted), this,
                                       window_.numberLocale());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

// In the order the table shows them: that is the order the user chose.
void LibraryDialog::keepForComparison() {
    QList<int> viewRows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        viewRows.append(index.row());
    }
    std::sort(viewRows.begin(), viewRows.end());
    int kept = 0;
    bool full = false;
    QStringList notKept;
    for (const int viewRow : viewRows) {
        const Collector& c =
            model_->collectors()[filter_->mapToSource(filter_->index(viewRow, 0)).row()];
        const auto outcome = window_.keepCollector(
            c.name, rt::Fixed4::fromDouble(library::hemisphericalEta0(c)),
            rt::Fixed4::fromDouble(c.a1.value()), rt::Fixed4::fromDouble(c.a2.value()));
        full = full || outcome == model::KeepOutcome::Full;
        if (outcome == model::KeepOutcome::Kept) {
            ++kept;
        } else {
            notKept.append(brief(c.name) + (outcome == model::KeepOutcome::Full
                                                ? QStringLiteral(" (nincs több hely)")
                                                : QStringLiteral(" (már megtartva)")));
        }
    }
    setStatus(QStringLiteral("Összehasonlításhoz megtartva: %1 görbe.").arg(kept) +
              (full ? QStringLiteral(" Legfeljebb négy görbe fér a grafikonra.") : QString()) +
              (notKept.isEmpty() ? QString()
                                 : QStringLiteral(" Nem került a grafikonra: %1.")
                                       .arg(notKept.join(QStringLiteral(", ")))));
}

void LibraryDialog::importFile() {
    const QString fileName = QFileDialog::getOpenFileName(
        this, QStringLiteral("Importálás"), QString(),
        QStringLiteral("CSV vagy JSON (*.csv *.json);;Minden fájl (*)"));
    if (fileName.isEmpty()) {
        return;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setStatus(QStringLiteral("A(z) %1 fájl nem olvasható (%2).")
                      .arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return;
    }
    importBytes(file.readAll(), fileName);
}

void LibraryDialog::importBytes(const QByteArray& bytes, const QString& fileName) {
    const library::ImportFile file = library::parseImport(bytes, store_.collectors());
    const library::ImportPreview preview = library::previewImport(file, store_.collectors());
    const Choice choice = confirmImport(file, preview, fileName, this);
    if (!choice.accepted) {
        setStatus(QStringLiteral("Az importálás elmaradt, semmi sem változott."));
        return;
    }
    const auto outcome = store_.importRows(file.rows, choice.existing, file.given);
    // Every row of the file is counted once.
    report(outcome, QStringLiteral(
                        "Importálva: %1 új, %2 cserélt, %3 kihagyott kollektor; %4 sor elutasítva.")
                        .arg(outcome.added)
                        .arg(outcome.replaced)
                        .arg(outcome.skipped)
                        .arg(file.refusals.size()));
}

void LibraryDialog::exportFile() {
    QList<Collector> chosen = selectedCollectors();
    if (!chosen.isEmpty() && chosen.size() < store_.collectors().size()) {
        QMessageBox ask(QMessageBox::Question, QStringLiteral("Exportálás"),
                        QStringLiteral("Csak a kijelölt %1 kollektort exportálja, vagy mindet?")
                            .arg(chosen.size()),
                        QMessageBox::NoButton, this);
        QPushButton* onlySelected =
            ask.addButton(QStringLiteral("A &kijelölteket"), QMessageBox::YesRole);
        ask.addButton(QStringLiteral("&Mindet"), QMessageBox::NoRole);
        ask.exec();
        if (ask.clickedButton() != onlySelected) {
            chosen = store_.collectors();
        }
    } else {
        chosen = store_.collectors();
    }
    const QString commaCsv = QStringLiteral("CSV, vessző és tizedespont (*.csv)");
    const QString semicolonCsv = QStringLiteral("CSV, pontosvessző és tizedesvessző (*.csv)");
    const QString json = QStringLiteral("JSON (*.json)");
    QString filter = window_.format().decimalSeparator() == u',' ? semicolonCsv : commaCsv;
    const QString typed = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportálás"), QString(),
        QStringList{semicolonCsv, commaCsv, json}.join(QStringLiteral(";;")), &filter);
    if (typed.isEmpty()) {
        return;
    }
    const ExportTarget target = exportTarget(typed,
                                             filter == json       ? ExportType::Json
                                             : filter == commaCsv ? ExportType::CommaCsv
                                                                  : ExportType::SemicolonCsv,
                                             window_.format().decimalSeparator());
    const QString& fileName = target.path;
    const QByteArray bytes =
        target.json ? library::exportJson(chosen) : library::exportCsv(chosen, target.style);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        setStatus(QStringLiteral("A(z) %1 fájl nem írható (%2).")
                      .arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return;
    }
    setStatus(QStringLiteral("Exportálva: %1 kollektor ide: %2")
                  .arg(chosen.size())
                  .arg(QDir::toNativeSeparators(fileName)));
}

void LibraryDialog::startNewLibrary() {
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Új könyvtár kezdése"),
        QStringLiteral(
            "A régi fájl időbélyeges néven megmarad, és üres könyvtár indul. Folytatja?"));
    if (answer != QMessageBox::Yes) {
        return;
    }
    QString aside;
    const auto outcome = store_.startNewLibrary(&aside);
    report(outcome, QStringLiteral("Új könyvtár indult; a régi fájl új neve: %1")
                        .arg(QDir::toNativeSeparators(aside)));
    updateButtons();
}

void openCollectorLibrary(CollectorHost& window) {
    LibraryDialog dialog(window);
    dialog.exec();
}

void restoreDeletedCollectors(CollectorHost& window) {
    LibraryDialog dialog(window);
    dialog.show();
    dialog.restoreDeleted();
    dialog.exec();
}

void storeCurrentCollector(CollectorHost& window) {
    if (const QString adopted = adoptEarlierLibrary(); !adopted.isEmpty()) {
        QMessageBox::information(&window.dialogParent(), QStringLiteral("Kollektorkönyvtár"),
                                 adopted);
    }
    CollectorStore store(libraryPath());
    store.reload();
    if (store.isReadOnly()) {
        QMessageBox::warning(&window.dialogParent(), QStringLiteral("Kollektorkönyvtár"),
                             store.problem());
        return;
    }
    const rt::NumberFormat& format = window.format();
    const ShownCollector shown = window.shownCollector();
    Collector current;
    current.name = shown.name;
    const std::array<std::pair<library::DecimalText*, rt::Fixed4>, 4> values = {{
        {&current.eta0, shown.eta0},
        {&current.a1, shown.a1},
        {&current.a2, shown.a2},
        {&current.grossArea, shown.area},
    }};
    for (const auto& [target, value] : values) {
        *target = library::DecimalText::parse(format.text(value), format.decimalSeparator())
                      .value_or(library::DecimalText());
    }
    QList<QString> names;
    for (const Collector& c : store.collectors()) {
        names.append(c.name);
    }
    CollectorForm form(current, names, format,
                       QStringLiteral("Jelenlegi kollektor mentése a könyvtárba"),
                       &window.dialogParent());
    while (form.exec() == QDialog::Accepted) {
        const auto outcome = store.add(form.collector());
        if (outcome.ok) {
            return;
        }
        QMessageBox::warning(&window.dialogParent(), QStringLiteral("Kollektorkönyvtár"),
                             outcome.message);
    }
}

}  // namespace ui
