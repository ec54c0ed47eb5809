#include "library_table.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "library/collector_store.h"

namespace ui {

using library::Collector;

LibraryTable::LibraryTable(const rt::NumberFormat& format, QObject* parent)
    : QAbstractTableModel(parent), format_(format) {}

void LibraryTable::setCollectors(const QList<Collector>& collectors) {
    beginResetModel();
    collectors_ = collectors;
    flaws_.clear();
    for (const Collector& c : collectors_) {
        const QList<library::FieldProblem> flaws = library::flaws(c, collectors_);
        flaws_.append(flaws.isEmpty() ? QString()
                                      : QStringLiteral("Javítandó (Szerkesztés): %1")
                                            .arg(library::describeProblems(flaws)));
    }
    endResetModel();
}

int LibraryTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(collectors_.size());
}

int LibraryTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

// What a numeric column, or the name, sorts by; none where the shown text does.
QVariant sortKey(const Collector& c, int column) {
    switch (column) {
        case LibraryTable::Eta0:
            return library::hemisphericalEta0(c);
        case LibraryTable::A1:
            return c.a1.value();
        case LibraryTable::A2:
            return c.a2.value();
        case LibraryTable::Area:
            return library::referenceArea(c).value();
        case LibraryTable::Name:
            return c.name;
        default:
            return {};
    }
}

// Where the coefficients come from: the parts of it that are given.
QString source(const Collector& c) {
    QStringList given;
    for (const QString* part : {&c.lab, &c.certificate, &c.testReport, &c.date}) {
        if (!part->isEmpty()) {
            given.append(*part);
        }
    }
    return given.join(QStringLiteral(", "));
}

// A cell's text; a flawed collector's name is marked.
QVariant shownText(const Collector& c, int column, bool flawed, const rt::NumberFormat& format) {
    const QChar point = format.decimalSeparator();
    switch (column) {
        case LibraryTable::Name:
            return flawed ? QStringLiteral("⚠ ") + c.name : c.name;
        case LibraryTable::Maker:
            return c.maker;
        case LibraryTable::Eta0:
            // η0,b and Kd give the hemispherical value the window uses.
            return !c.eta0.isEmpty()   ? c.eta0.text(point)
                   : c.eta0b.isEmpty() ? QString()
                                       : format.text(library::hemisphericalEta0(c));
        case LibraryTable::A1:
            return c.a1.text(point);
        case LibraryTable::A2:
            return c.a2.text(point);
        case LibraryTable::Area:
            return library::referenceArea(c).text(point);
        case LibraryTable::Source:
            return source(c);
        default:
            return {};
    }
}

}  // namespace

QVariant LibraryTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= collectors_.size()) {
        return {};
    }
    const Collector& c = collectors_[index.row()];
    if (role == kSearchRole) {
        return searchKey(QStringList{c.name, c.maker, c.model}.join(u'\n'));
    }
    const QString& flaw = flaws_[index.row()];
    if (role == Qt::ToolTipRole && !flaw.isEmpty()) {
        return flaw;
    }
    if (role == Qt::EditRole) {  // the sort key
        if (QVariant key = sortKey(c, index.column()); key.isValid()) {
            return key;
        }
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    return shownText(c, index.column(), !flaw.isEmpty(), format_);
}

QVariant LibraryTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case Name:
            return QStringLiteral("Név");
        case Maker:
            return QStringLiteral("Gyártó");
        case Eta0:
            return QStringLiteral("η0");
        case A1:
            return QStringLiteral("a1");
        case A2:
            return QStringLiteral("a2");
        case Area:
            return QStringLiteral("Felület (m²)");
        case Source:
            return QStringLiteral("Forrás");
        default:
            return {};
    }
}

QString searchKey(const QString& text) {
    QString key;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) {
            key.append(c);
        }
    }
    return key.toCaseFolded();
}

LibraryFilter::LibraryFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(Qt::EditRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setSortLocaleAware(true);
}

void LibraryFilter::setSearch(const QString& text) {
    search_ = searchKey(text);
    invalidateFilter();
}

QVariant LibraryFilter::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) {
        return section + 1;
    }
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex& parent) const {
    return search_.isEmpty() || sourceModel()
                                    ->index(sourceRow, LibraryTable::Name, parent)
                                    .data(LibraryTable::kSearchRole)
                                    .toString()
                                    .contains(search_);
}

LibraryView::LibraryView(QWidget* parent) : QTableView(parent) {}

QModelIndex LibraryView::currentRow() const {
    return currentIndex().isValid() ? currentIndex() : QModelIndex(kept_);
}

void LibraryView::setCurrentRow(const QModelIndex& index) {
    if (hasFocus()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else {
        kept_ = index;
    }
}

void LibraryView::selectOnly(const QModelIndex& index) {
    selectionModel()->select(index,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setCurrentRow(index);
}

void LibraryView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // A context menu leaves the focus where it was.
    if (event->reason() != Qt::PopupFocusReason && currentIndex().isValid()) {
        kept_ = currentIndex();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void LibraryView::focusInEvent(QFocusEvent* event) {
    if (!currentIndex().isValid() && kept_.isValid()) {
        selectionModel()->setCurrentIndex(kept_, QItemSelectionModel::NoUpdate);
    }
    kept_ = QPersistentModelIndex();
    QTableView::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        selectCurrentRow();
    }
    // Screen readers follow the focused cell; entering the table names the
    // table alone unless the current cell is announced too, after the
    // table's own focus event. Qt numbers a table's cells after a header row
    // and a header column.
    QTimer::singleShot(0, this, [this] {
        if (QAccessible::isActive() && hasFocus() && currentIndex().isValid()) {
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild((currentIndex().row() + 1) * (model()->columnCount() + 1) +
                           currentIndex().column() + 1);
            QAccessible::updateAccessibility(&focus);
        }
    });
}

void LibraryView::keyPressEvent(QKeyEvent* event) {
    QTableView::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            selectCurrentRow();
            break;
        default:
            break;
    }
}

void LibraryView::selectCurrentRow() {
    if (selectionModel() == nullptr || selectionModel()->hasSelection() ||
        model()->rowCount() == 0) {
        return;
    }
    QModelIndex current = currentIndex();
    if (!current.isValid()) {
        current = model()->index(0, 0);
    }
    selectionModel()->setCurrentIndex(
        current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace ui
