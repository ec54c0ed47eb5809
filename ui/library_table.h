#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>
#include <QTableView>

#include "library/collector_record.h"
#include "runtime/number_text.h"

namespace ui {

// The stored collectors as the library dialog's table shows them: Név,
// Gyártó, η0, a1, a2, Felület (m²), Forrás. Numbers in the user's format,
// sorted by value. A collector stored before a rule it breaks is marked "⚠"
// and says, on hovering, what to mend.
class LibraryTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Maker, Eta0, A1, A2, Area, Source, ColumnCount };
    // Name, maker and model together: what the search field looks in.
    static constexpr int kSearchRole = Qt::UserRole + 1;

    LibraryTable(const rt::NumberFormat& format, QObject* parent);

    void setCollectors(const QList<library::Collector>& collectors);
    [[nodiscard]] const QList<library::Collector>& collectors() const { return collectors_; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    const rt::NumberFormat& format_;
    QList<library::Collector> collectors_;
    // Per row, what a collector stored before a rule it breaks must have
    // mended; empty for a sound one.
    QStringList flaws_;
};

// The search text folded for comparing: lower case, without accents, so
// that "sik" finds "Sík" and "ORSEGI" finds "Őrségi".
[[nodiscard]] QString searchKey(const QString& text);

// Filters on the search text as typed, ignoring case and accents; sorts
// numbers as numbers.
class LibraryFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LibraryFilter(QObject* parent);
    void setSearch(const QString& text);
    // Rows are numbered as shown, not as stored: screen readers read them.
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

protected:
    [[nodiscard]] bool filterAcceptsRow(int sourceRow, const QModelIndex& parent) const override;

private:
    QString search_;  // folded
};

// The table of the library dialog. Whatever the keyboard does, a row is
// selected where there is one: entering the table with Tab selects the
// current row (the first if none), and the arrow keys select a row even
// when the filter leaves only the current one. While the focus is
// elsewhere the table keeps its current row to itself: Qt marks the current
// cell focused, and screen readers would hear two controls claim the focus.
class LibraryView : public QTableView {
    Q_OBJECT
public:
    explicit LibraryView(QWidget* parent);

    // The row the keyboard goes on from, with or without the focus.
    [[nodiscard]] QModelIndex currentRow() const;
    void setCurrentRow(const QModelIndex& index);
    // Selects the row of `index` alone and makes it the current one.
    void selectOnly(const QModelIndex& index);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectCurrentRow();

    QPersistentModelIndex kept_;  // the current row while the focus is elsewhere
};

}  // namespace ui
