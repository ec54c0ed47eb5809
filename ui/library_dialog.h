#pragma once

#include <QDialog>
#include <QFileSystemWatcher>
#include <QList>
#include <utility>

#include "library/collector_import.h"
#include "library/collector_store.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace ui {

class Announcer;
class CollectorHost;
class LibraryFilter;
class LibraryTable;
class LibraryView;

// Where and how an export writes: the typed extension decides the format;
// without one, the chosen type's extension is added. A CSV typed under the
// JSON type takes the user's decimal separator's style.
enum class ExportType { SemicolonCsv, CommaCsv, Json };
struct ExportTarget {
    QString path;
    bool json = false;
    library::CsvStyle style = library::CsvStyle::SemicolonComma;
};
[[nodiscard]] ExportTarget exportTarget(const QString& typed, ExportType chosen,
                                        QChar decimalSeparator);

// The library file the window works on: the user's own unless set.
void setLibraryPath(const QString& path);
[[nodiscard]] QString libraryPath();

// The collector library: search, a sortable table, and the buttons that
// change it, take a collector into the window or onto the chart, import and
// export. Follows changes other programs make to the file.
class LibraryDialog : public QDialog {
    Q_OBJECT
public:
    explicit LibraryDialog(CollectorHost& window);

    [[nodiscard]] LibraryView& table() const { return *table_; }
    [[nodiscard]] QLineEdit& search() const { return *search_; }
    [[nodiscard]] QString status() const;
    [[nodiscard]] const library::CollectorStore& store() const { return store_; }
    // Selects the collector stored under `name` alone; false when none is.
    bool select(const QString& name);

    void newCollector();
    void editCollector();
    void duplicateCollector();
    void removeSelected();
    void undoRemove();
    // Offers the collectors of the last deletion, whenever and wherever it
    // was made, that are not back yet.
    void restoreDeleted();
    void loadIntoWindow();
    void keepForComparison();
    // The datasheet dialog for the first selected collector, with all its fields.
    void openDatasheet();
    void importFile();
    void exportFile();
    void startNewLibrary();

    // The import's preview and its writing, apart from the file dialog.
    void importBytes(const QByteArray& bytes, const QString& fileName);

private:
    // The buttons beside the table, in their order, and the one that closes.
    struct Buttons {
        QList<QPushButton*> side;
        QPushButton* close = nullptr;
    };
    // The widgets, each part's own, with the labels the layout places.
    [[nodiscard]] QLabel* buildSearch();
    void buildTable();
    [[nodiscard]] QLabel* buildSorting();
    void buildStatus();
    [[nodiscard]] Buttons buildButtons();
    void arrange(QLabel& searchLabel, QLabel& sortLabel, const Buttons& buttons);
    // The connections between the parts, made once all of them exist.
    void wire();
    void reload();
    void showCollectors();
    void watch();
    void report(const library::CollectorStore::Outcome& outcome, const QString& done);
    void setStatus(const QString& text);
    void updateButtons();
    [[nodiscard]] QList<library::Collector> selectedCollectors() const;
    [[nodiscard]] QList<QString> namesExcept(const QString& name) const;

    CollectorHost& window_;
    library::CollectorStore store_;
    QFileSystemWatcher watcher_;
    LibraryTable* model_ = nullptr;
    LibraryFilter* filter_ = nullptr;
    LibraryView* table_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* status_ = nullptr;
    Announcer* announcer_ = nullptr;  // says every status to screen readers
    QComboBox* sortColumn_ = nullptr;
    QCheckBox* descending_ = nullptr;
    QPushButton* startNew_ = nullptr;
    QList<QPushButton*> writing_;    // disabled while the file is read-only
    QList<QPushButton*> selecting_;  // disabled with nothing selected
    QPushButton* undo_ = nullptr;
    bool problemShown_ = false;  // the status holds why the file cannot be read
    // Removed in this dialog, with their places, most recent last.
    QList<std::pair<qsizetype, library::Collector>> removed_;
};

// The chart menu's entries.
void openCollectorLibrary(CollectorHost& window);
void restoreDeletedCollectors(CollectorHost& window);
void storeCurrentCollector(CollectorHost& window);

}  // namespace ui
