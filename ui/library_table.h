#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>

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

// Filters on the search text as typed, ignoring case; sorts numbers as numbers.
class LibraryFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LibraryFilter(QObject* parent);
};

}  // namespace ui
