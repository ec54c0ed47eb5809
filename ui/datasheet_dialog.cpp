#include "datasheet_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "announcer.h"
#include "collector_host.h"
#include "controls.h"
#include "dialog_frame.h"
#include "focus_frame.h"
#include "library/collector_record.h"
#include "output_module.h"

namespace ui {
namespace {

using model::DatasheetField;
using model::PeakEfficiency;
using model::ReferenceArea;

// Prefilled values keep the digits a stored collector may have.
constexpr int kPrefillDecimals = 6;

QString withoutMnemonic(QString label) {
    label.remove(u'&');
    if (label.endsWith(u':')) {
        label.chop(1);
    }
    return label;
}

QString notNumber(const QString& label) {
    return QStringLiteral("%1: számot kell megadni.").arg(withoutMnemonic(label));
}

QString eta0Caption(PeakEfficiency peak) {
    return peak == PeakEfficiency::Beam ? QStringLiteral("&Optikai hatásfok (η0,b):")
                                        : QStringLiteral("&Optikai hatásfok (η0):");
}

QString convertedCaption(ReferenceArea reference) {
    return reference == ReferenceArea::Gross ? QStringLiteral("Át&számítva az apertúrafelületre:")
                                             : QStringLiteral("Át&számítva a bruttó felületre:");
}

// An area's description while it is admitted.
const QString kEmptyArea = QStringLiteral("Üresen hagyva: nem ismert.");

const QString kDeltaTCaption = QStringLiteral("&Hőmérséklet-különbségek, ΔT [K]:");

QString prefilled(const present::DatasheetNumbers& numbers, double value) {
    return numbers.number(value, kPrefillDecimals);
}

QString prefilled(const present::DatasheetNumbers& numbers, const std::optional<double>& value) {
    return value ? prefilled(numbers, *value) : QString();
}

QLineEdit* readOnlyField(QWidget& dialog) {
    auto* edit = new QLineEdit(&dialog);
    edit->setReadOnly(true);
    return edit;
}

// The efficiency on the area the curve is drawn for, never below 0.
double efficiencyAt(const model::DatasheetInput& input, double deltaT, double shownArea) {
    const double referenceArea =
        input.reference == ReferenceArea::Gross ? *input.grossArea : *input.apertureArea;
    const double specific = std::max(model::specificPower(input, deltaT), 0.0);
    return specific * referenceArea / shownArea / (input.beam + input.diffuse);
}

void setPageFont(QPainter& painter, int points, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(points);
    f.setBold(bold);
    painter.setFont(f);
}

// The title, on one line; below it, where the next part starts.
double paintTitle(QPainter& painter, double width, const QString& collector) {
    setPageFont(painter, 16, true);
    const QString title = collector.isEmpty() ? QStringLiteral("Adatlap")
                                              : QStringLiteral("Adatlap – %1").arg(collector);
    // One line, elided: a long name must not run off the page.
    painter.drawText(QRectF(0, 0, width, 24), Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(title, Qt::ElideRight, qFloor(width)));
    return 30;
}

double paintLines(QPainter& painter, double width, double y,
                  const std::vector<present::NamedValue>& lines) {
    setPageFont(painter, 9, false);
    const double nameWidth = width * 0.6;
    for (const present::NamedValue& line : lines) {
        const QRectF name =
            painter.boundingRect(QRectF(0, y, nameWidth - 8, 100), Qt::TextWordWrap, line.name);
        const QRectF value = painter.boundingRect(QRectF(nameWidth, y, width - nameWidth, 100),
                                                  Qt::TextWordWrap, line.value);
        painter.drawText(name, Qt::TextWordWrap, line.name);
        painter.drawText(value, Qt::TextWordWrap, line.value);
        y += std::max(name.height(), value.height()) + 2;
    }
    return y + 12;
}

// The table with a grid, the header in bold over two lines.
double paintTable(QPainter& painter, double width, double y,
                  const std::vector<QStringList>& cells) {
    const double columnWidth = width / static_cast<double>(present::kDatasheetColumns.size());
    const auto cellRect = [&](std::size_t column, double top, double height) {
        return QRectF(static_cast<double>(column) * columnWidth, top, columnWidth, height);
    };
    setPageFont(painter, 9, true);
    for (std::size_t column = 0; column < present::kDatasheetColumns.size(); ++column) {
        const QRectF rect = cellRect(column, y, 26);
        painter.drawRect(rect);
        painter.drawText(rect.adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap,
                         present::kDatasheetColumns[column].toString());
    }
    y += 26;
    setPageFont(painter, 9, false);
    for (const QStringList& row : cells) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            const QRectF rect = cellRect(static_cast<std::size_t>(column), y, 15);
            painter.drawRect(rect);
            painter.drawText(rect.adjusted(3, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                             row[column].isEmpty() ? QStringLiteral("–") : row[column]);
        }
        y += 15;
    }
    return y + 24;
}

// The curve's frame: ΔT from 0 to xMax across, the efficiency from 0 to 1 up.
struct Plot {
    QRectF frame;
    double xMax;

    [[nodiscard]] QPointF at(double deltaT, double efficiency) const {
        return QPointF(frame.left() + frame.width() * deltaT / xMax,
                       frame.bottom() - frame.height() * efficiency);
    }
};

// The grid lines every 20 % and every 10 or 50 K, the scales and the frame.
void paintGrid(QPainter& painter, const Plot& plot) {
    const double xStep = plot.xMax <= 150 ? 10 : 50;
    setPageFont(painter, 8, false);
    painter.setPen(QPen(Qt::lightGray, 0.5));
    for (int percent = 0; percent <= 100; percent += 20) {
        const QPointF left = plot.at(0, percent / 100.0);
        painter.drawLine(left, plot.at(plot.xMax, percent / 100.0));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, left.y() - 6, plot.frame.left() - 4, 12),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(percent));
        painter.setPen(QPen(Qt::lightGray, 0.5));
    }
    for (double deltaT = 0; deltaT <= plot.xMax; deltaT += xStep) {
        const QPointF bottom = plot.at(deltaT, 0);
        painter.drawLine(bottom, plot.at(deltaT, 1));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(bottom.x() - 20, bottom.y() + 2, 40, 12), Qt::AlignCenter,
                         QString::number(deltaT));
        painter.setPen(QPen(Qt::lightGray, 0.5));
    }
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawRect(plot.frame);
    painter.drawText(QRectF(plot.frame.right() - 60, plot.frame.bottom() + 14, 60, 12),
                     Qt::AlignRight, QStringLiteral("ΔT [K]"));
    painter.drawText(QRectF(0, plot.frame.top() - 14, 40, 12), Qt::AlignLeft,
                     QStringLiteral("η [%]"));
}

// The efficiency curve over ΔT, on the gross area where it is known.
void paintCurve(QPainter& painter, QSizeF page, double y, const model::DatasheetInput& input) {
    const double width = page.width();
    const bool onGross = input.grossArea.has_value();
    const double shownArea = onGross ? *input.grossArea : *input.apertureArea;
    setPageFont(painter, 10, true);
    painter.drawText(QRectF(0, y, width, 16), Qt::AlignLeft,
                     QStringLiteral("Hatásfok %1, Gb %2 W/m², Gd %3 W/m² mellett")
                         .arg(onGross ? QStringLiteral("a bruttó felületre")
                                      : QStringLiteral("az apertúrafelületre"))
                         .arg(input.beam)
                         .arg(input.diffuse));
    y += 34;
    const double largestDeltaT = *std::max_element(input.deltaT.begin(), input.deltaT.end());
    const double xMax = std::ceil(std::max(largestDeltaT, 100.0) / 50) * 50;
    const Plot plot{QRectF(32, y, width - 40, std::min(page.height() - y - 30, 260.0)), xMax};
    paintGrid(painter, plot);

    QPainterPath curve(plot.at(0, efficiencyAt(input, 0, shownArea)));
    for (double deltaT = 1; deltaT <= xMax; deltaT += 1) {
        curve.lineTo(plot.at(deltaT, efficiencyAt(input, deltaT, shownArea)));
    }
    painter.save();
    painter.setClipRect(plot.frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 160), 1.5));
    painter.drawPath(curve);
    painter.setBrush(QColor(0, 0, 160));
    for (const double deltaT : input.deltaT) {
        painter.drawEllipse(plot.at(deltaT, efficiencyAt(input, deltaT, shownArea)), 2.2, 2.2);
    }
    painter.restore();
}

// The page in points: the title, the lines, the table and the curve.
void paintPage(QPainter& painter, QSizeF page, const model::DatasheetInput& input,
               const std::vector<present::NamedValue>& lines,
               const std::vector<QStringList>& cells) {
    double y = paintTitle(painter, page.width(), input.collector);
    y = paintLines(painter, page.width(), y, lines);
    y = paintTable(painter, page.width(), y, cells);
    paintCurve(painter, page, y, input);
}

}  // namespace

// A grid of fields, each with its label on its left, and the order Tab
// follows through the fields as they are placed.
struct DatasheetDialog::FieldGrid {
    QWidget& dialog;
    QGridLayout& grid;
    std::vector<QWidget*>& tabOrder;

    QLabel* place(QWidget* field, const QString& caption, int row, int column) const {
        auto* label = new QLabel(caption, &dialog);
        label->setBuddy(field);
        // A combo box is named by its label and keeps its value as its
        // name, which screen readers read after the label.
        if (qobject_cast<QComboBox*>(field) == nullptr) {
            field->setAccessibleName(withoutMnemonic(caption));
        }
        grid.addWidget(label, row, column * 2);
        grid.addWidget(field, row, column * 2 + 1);
        tabOrder.push_back(field);
        return label;
    }
};

DatasheetDialog::DatasheetDialog(const model::DatasheetInput& input, QWidget* parent,
                                 const QLocale& locale)
    : QDialog(parent), locale_(locale), numbers_(locale), input_(input) {
    setWindowTitle(QStringLiteral("Adatlap"));
    auto* form = new QGridLayout;
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    form->setColumnMinimumWidth(2, 12);
    auto* derived = new QGridLayout;
    derived->setColumnStretch(1, 1);
    std::vector<QWidget*> tabOrder;
    // The collector on the left, its areas and the conditions on the right.
    Announcer& announcer = buildCollectorFields({*this, *form, tabOrder}, input);
    buildConditionFields({*this, *form, tabOrder}, input, announcer);
    // What follows from the inputs, below them.
    buildDerivedFields({*this, *derived, tabOrder}, input);
    const auto [modifierLabel, modifierTable] =
        buildStoredExtras({*this, *derived, tabOrder}, input);
    QLabel* tableLabel = buildResults(tabOrder);
    QDialogButtonBox* buttons = buildButtons(tabOrder);

    auto* layout = new QVBoxLayout(scrollingBody(*this, buttons));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addLayout(derived);
    if (modifierTable != nullptr) {
        layout->addWidget(modifierLabel);
        layout->addWidget(modifierTable);
    }
    layout->addWidget(problemsLabel_);
    layout->addWidget(tableLabel);
    layout->addWidget(table_, 1);
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    // Where the screen is small, the body scrolls rather than squeezing the
    // table to nothing.
    table_->setMinimumHeight(table_->fontMetrics().lineSpacing() * 8);
    fitToScreen(*this, QSize(860, 580));
    recompute();
}

QLineEdit* DatasheetDialog::inputField(const QString& text) {
    auto* edit = new QLineEdit(text, this);
    connect(edit, &QLineEdit::textChanged, this, &DatasheetDialog::recompute);
    return edit;
}

QComboBox* DatasheetDialog::choiceField(std::initializer_list<const char*> items, int current) {
    auto* box = new QComboBox(this);
    for (const char* item : items) {
        box->addItem(QString::fromUtf8(item));
    }
    box->setCurrentIndex(current);
    connect(box, &QComboBox::currentIndexChanged, this, &DatasheetDialog::recompute);
    return box;
}

Announcer& DatasheetDialog::buildCollectorFields(const FieldGrid& grid,
                                                 const model::DatasheetInput& input) {
    name_ = inputField(input.collector);
    grid.place(name_, QStringLiteral("Kollektor n&eve:"), 0, 0);
    auto* announcer = new Announcer(this);
    // A field left with a fault says so at once, not only on coming back.
    connect(qApp, &QApplication::focusChanged, announcer, [this, announcer](QWidget* old) {
        const auto* edit = qobject_cast<QLineEdit*>(old);
        if (edit != nullptr && edit->window() == this && !edit->isReadOnly() &&
            !edit->accessibleDescription().isEmpty() &&
            edit->accessibleDescription() != kEmptyArea) {
            announcer->announce(edit->accessibleDescription());
        }
    });
    peak_ = choiceField({"η0 félgömbi sugárzásra", "η0,b (direkt sugárzásra) és Kd"},
                        input.peak == PeakEfficiency::Beam ? 1 : 0);
    grid.place(peak_, QStringLiteral("Hatásfok &fajtája:"), 1, 0);
    voiceValue(*peak_, *announcer);
    eta0_ = inputField(prefilled(numbers_, input.eta0));
    eta0Label_ = grid.place(eta0_, eta0Caption(input.peak), 2, 0);
    kd_ = inputField(prefilled(numbers_, input.kd));
    grid.place(kd_, QStringLiteral("&Kd, a szórt sugárzás beesésiszög-módosítója:"), 3, 0);
    a1_ = inputField(prefilled(numbers_, input.a1));
    grid.place(a1_, QStringLiteral("a&1 [W/(m²·K)]:"), 4, 0);
    a2_ = inputField(prefilled(numbers_, input.a2));
    grid.place(a2_, QStringLiteral("a&2 [W/(m²·K²)]:"), 5, 0);
    return *announcer;
}

void DatasheetDialog::buildConditionFields(const FieldGrid& grid,
                                           const model::DatasheetInput& input,
                                           Announcer& announcer) {
    reference_ = choiceField({"bruttó felület", "apertúrafelület"},
                             input.reference == ReferenceArea::Aperture ? 1 : 0);
    grid.place(reference_, QStringLiteral("&Vonatkoztatási felület:"), 0, 1);
    voiceValue(*reference_, announcer);
    grossArea_ = inputField(prefilled(numbers_, input.grossArea));
    grid.place(grossArea_, QStringLiteral("B&ruttó felület [m²]:"), 1, 1);
    apertureArea_ = inputField(prefilled(numbers_, input.apertureArea));
    grid.place(apertureArea_, QStringLiteral("&Apertúrafelület [m²]:"), 2, 1);
    QStringList deltaTs;
    for (const double deltaT : input.deltaT) {
        deltaTs << prefilled(numbers_, deltaT);
    }
    deltaT_ = inputField(deltaTs.join(QStringLiteral("; ")));
    grid.place(deltaT_, kDeltaTCaption, 3, 1);
    beam_ = inputField(prefilled(numbers_, input.beam));
    grid.place(beam_, QStringLiteral("&Gb, direkt sugárzás [W/m²]:"), 4, 1);
    diffuse_ = inputField(prefilled(numbers_, input.diffuse));
    grid.place(diffuse_, QStringLiteral("Gd, szór&t sugárzás [W/m²]:"), 5, 1);
    grossArea_->setPlaceholderText(QStringLiteral("nem ismert"));
    apertureArea_->setPlaceholderText(QStringLiteral("nem ismert"));
    deltaT_->setToolTip(QStringLiteral("Pontosvesszővel elválasztva, 0 és 300 K között"));
}

void DatasheetDialog::buildDerivedFields(const FieldGrid& grid,
                                         const model::DatasheetInput& input) {
    derivedEta0_ = readOnlyField(*this);
    grid.place(derivedEta0_, QStringLiteral("η0 félgömbi sugár&zásra:"), 0, 0);
    converted_ = readOnlyField(*this);
    convertedLabel_ = grid.place(converted_, convertedCaption(input.reference), 1, 0);
    stagnation_ = readOnlyField(*this);
    grid.place(
        stagnation_,
        present::stagnationName().replace(QStringLiteral("becslés"), QStringLiteral("be&cslés")) +
            u':',
        2, 0);
}

// What a stored collector gives for a year's yield, shown as it is: the
// beam modifier at 10° … 90° and the quasi-dynamic terms. A collector
// without them, as the window's, shows nothing of them. The modifier's
// table, with its label, is returned to go below the derived values.
std::pair<QLabel*, QTableWidget*> DatasheetDialog::buildStoredExtras(
    const FieldGrid& grid, const model::DatasheetInput& input) {
    int row = grid.grid.rowCount();
    QStringList terms;
    for (const present::NamedValue& line : present::quasiDynamicLines(input, numbers_)) {
        terms << line.name.section(u' ', 0, 0) + u' ' + line.value;
    }
    if (!terms.isEmpty()) {
        QLineEdit* shown = readOnlyField(*this);
        shown->setText(terms.join(QStringLiteral("; ")));
        grid.place(shown, QStringLiteral("Kvázi&dinamikus tagok:"), row++, 0);
    }
    const QString source = present::modifierSource(input, numbers_);
    if (source.isEmpty()) {
        return {};
    }
    QLineEdit* form = readOnlyField(*this);
    form->setText(source);
    grid.place(form, QStringLiteral("Beesés&iszög-módosító (direkt sugárzás):"), row, 0);
    const std::vector<model::ModifierRow> rows = model::modifierRows(input.beamModifier);
    auto* table = new QTableWidget(static_cast<int>(rows.size()),
                                   static_cast<int>(model::kModifierAngles.size()), this);
    table->setHorizontalHeaderLabels(present::modifierAngles());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        table->setVerticalHeaderItem(static_cast<int>(r),
                                     new QTableWidgetItem(present::modifierRowName(rows[r].axis)));
        const QStringList cells = present::modifierCells(rows[r], numbers_);
        for (qsizetype column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), static_cast<int>(column), item);
        }
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setMinimumSectionSize(
        table->fontMetrics().horizontalAdvance(QStringLiteral("0,999")) + 8);
    table->setWordWrap(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          table->verticalHeader()->length() + 2 * table->frameWidth());
    table->setAccessibleName(QStringLiteral("Beesésiszög-módosító 10°, 20° … 90°-nál"));
    auto* label = new QLabel(QStringLiteral("Kθ-&értékek 10°, 20° … 90°-nál:"), this);
    label->setBuddy(table);
    grid.tabOrder.push_back(table);
    modifierTable_ = table;
    return {label, table};
}

// The problems and the table, with the table's label.
QLabel* DatasheetDialog::buildResults(std::vector<QWidget*>& tabOrder) {
    problemsLabel_ = new QLabel(this);
    problemsLabel_->setWordWrap(true);
    problemsLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    problemsLabel_->setAccessibleName(QStringLiteral("Hibás adatok"));

    table_ = new QTableWidget(0, static_cast<int>(present::kDatasheetColumns.size()), this);
    QStringList header;
    for (QStringView column : present::kDatasheetColumns) {
        header << column.toString();
    }
    table_->setHorizontalHeaderLabels(header);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setAccessibleName(QStringLiteral("Teljesítménytáblázat"));
    auto* tableLabel = new QLabel(QStringLiteral("Teljesítménytáb&lázat:"), this);
    tableLabel->setBuddy(table_);
    tabOrder.push_back(table_);
    return tableLabel;
}

QDialogButtonBox* DatasheetDialog::buildButtons(std::vector<QWidget*>& tabOrder) {
    copyButton_ = new QPushButton(QStringLiteral("&Másolás"), this);
    copyButton_->setAccessibleName(QStringLiteral("Másolás a vágólapra"));
    printButton_ = new QPushButton(QStringLiteral("&Nyomtatás…"), this);
    printButton_->setAccessibleName(QStringLiteral("Nyomtatás"));
    auto* closeButton = new QPushButton(QStringLiteral("&Bezárás"), this);
    closeButton->setAccessibleName(QStringLiteral("Bezárás"));
    for (QPushButton* button : {copyButton_, printButton_, closeButton}) {
        button->setAutoDefault(false);
        tabOrder.push_back(button);
    }
    // No default button: Enter in a field keeps the dialog and what was typed,
    // which is computed as it is typed; only Esc or Bezárás closes it.
    connect(copyButton_, &QPushButton::clicked, this, &DatasheetDialog::copy);
    connect(printButton_, &QPushButton::clicked, this, &DatasheetDialog::print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(copyButton_, QDialogButtonBox::ActionRole);
    buttons->addButton(printButton_, QDialogButtonBox::ActionRole);
    buttons->addButton(closeButton, QDialogButtonBox::RejectRole);

    auto* frame = new FocusFrame(*this, {table_, copyButton_, printButton_, closeButton});
    if (modifierTable_ != nullptr) {
        frame->watch(modifierTable_);
    }
    return buttons;
}

void DatasheetDialog::readFields() {
    problems_.clear();
    const auto read = [&](QLineEdit* field, DatasheetField id) {
        bool ok = false;
        const double value = locale_.toDouble(field->text().trimmed(), &ok);
        if (ok) {
            return value;
        }
        // Too large for a double: the range check names the range.
        const QString reason = library::notANumberReason(
            field->text(), locale_.decimalPoint().front(), QStringLiteral("∞"));
        if (reason == u"∞") {
            return std::numeric_limits<double>::infinity();
        }
        problems_.push_back({id, reason.startsWith(u"tizedes")
                                     ? QStringLiteral("%1: %2").arg(
                                           withoutMnemonic(field->accessibleName()), reason)
                                     : notNumber(field->accessibleName())});
        return value;
    };
    const auto readArea = [&](QLineEdit* field, DatasheetField id) -> std::optional<double> {
        if (field->text().trimmed().isEmpty()) {
            return std::nullopt;
        }
        return read(field, id);
    };
    input_.collector = name_->text().trimmed();
    input_.peak = peak_->currentIndex() == 1 ? PeakEfficiency::Beam : PeakEfficiency::Hemispherical;
    input_.eta0 = read(eta0_, DatasheetField::Eta0);
    if (input_.peak == PeakEfficiency::Beam) {
        input_.kd = read(kd_, DatasheetField::Kd);
    }
    input_.a1 = read(a1_, DatasheetField::A1);
    input_.a2 = read(a2_, DatasheetField::A2);
    input_.reference =
        reference_->currentIndex() == 1 ? ReferenceArea::Aperture : ReferenceArea::Gross;
    input_.grossArea = readArea(grossArea_, DatasheetField::GrossArea);
    input_.apertureArea = readArea(apertureArea_, DatasheetField::ApertureArea);
    input_.deltaT.clear();
    bool deltaTsRead = true;
    for (const QString& part : deltaT_->text().split(u';', Qt::SkipEmptyParts)) {
        bool ok = false;
        input_.deltaT.push_back(locale_.toDouble(part.trimmed(), &ok));
        deltaTsRead = deltaTsRead && ok;
    }
    if (!deltaTsRead) {
        problems_.push_back(
            {DatasheetField::DeltaT,
             QStringLiteral("%1: pontosvesszővel elválasztott számokat kell megadni.")
                 .arg(withoutMnemonic(kDeltaTCaption))});
    }
    input_.beam = read(beam_, DatasheetField::Beam);
    input_.diffuse = read(diffuse_, DatasheetField::Diffuse);
}

void DatasheetDialog::showPeakKind() {
    const bool beam = input_.peak == PeakEfficiency::Beam;
    eta0Label_->setText(eta0Caption(input_.peak));
    eta0_->setAccessibleName(withoutMnemonic(eta0Label_->text()));
    kd_->setEnabled(beam);
    convertedLabel_->setText(convertedCaption(input_.reference));
    converted_->setAccessibleName(withoutMnemonic(convertedLabel_->text()));
}

void DatasheetDialog::recompute() {
    readFields();
    showPeakKind();
    if (problems_.empty()) {
        for (const model::DatasheetProblem& problem : model::checkDatasheet(input_)) {
            problems_.push_back({problem.field, present::problemText(problem, input_.peak)});
        }
    }
    const QStringList messages = describeProblems();
    problemsLabel_->setText(messages.join(u'\n'));
    problemsLabel_->setVisible(!messages.isEmpty());
    copyButton_->setEnabled(messages.isEmpty());
    printButton_->setEnabled(messages.isEmpty());
    if (!messages.isEmpty()) {
        result_.reset();
        table_->setRowCount(0);
        for (QLineEdit* derived : {derivedEta0_, converted_, stagnation_}) {
            derived->setText(QStringLiteral("–"));
        }
        return;
    }
    showResult();
}

// A refused field says why when the focus reaches it.
QStringList DatasheetDialog::describeProblems() {
    const std::pair<DatasheetField, QLineEdit*> fields[] = {
        {DatasheetField::Eta0, eta0_},
        {DatasheetField::Kd, kd_},
        {DatasheetField::A1, a1_},
        {DatasheetField::A2, a2_},
        {DatasheetField::GrossArea, grossArea_},
        {DatasheetField::ApertureArea, apertureArea_},
        {DatasheetField::DeltaT, deltaT_},
        {DatasheetField::Beam, beam_},
        {DatasheetField::Diffuse, diffuse_},
    };
    QStringList messages;
    for (const auto& [field, edit] : fields) {
        QStringList own;
        for (const FieldProblem& problem : problems_) {
            if (problem.field == field) {
                own << problem.message;
            }
        }
        const bool area = edit == grossArea_ || edit == apertureArea_;
        edit->setAccessibleDescription(own.isEmpty() ? (area ? kEmptyArea : QString())
                                                     : own.join(u' '));
        messages += own;
    }
    return messages;
}

void DatasheetDialog::showResult() {
    result_ = model::computeDatasheet(input_);
    derivedEta0_->setText(present::eta0Derivation(input_, *result_, numbers_));
    if (const std::optional<model::Coefficients>& other = result_->converted) {
        QString text;
        if (other->eta0b) {
            text += QStringLiteral("η0,b %1; ").arg(numbers_.number(*other->eta0b));
        }
        converted_->setText(text + QStringLiteral("η0 %1; a1 %2; a2 %3")
                                       .arg(numbers_.number(other->eta0),
                                            numbers_.number(other->a1),
                                            numbers_.number(other->a2)));
    } else {
        converted_->setText(
            QStringLiteral("nem számítható: ehhez mindkét felület megadása szükséges"));
    }
    stagnation_->setText(present::stagnationText(*result_, numbers_));

    const std::vector<QStringList> cells = present::datasheetCells(*result_, numbers_);
    table_->setRowCount(static_cast<int>(cells.size()));
    for (std::size_t row = 0; row < cells.size(); ++row) {
        for (qsizetype column = 0; column < cells[row].size(); ++column) {
            const QString& cell = cells[row][column];
            auto* item = new QTableWidgetItem(cell.isEmpty() ? QStringLiteral("–") : cell);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    }
}

void DatasheetDialog::copy() {
    if (!result_) {
        return;
    }
    const std::vector<present::NamedValue> lines =
        present::datasheetLines(input_, *result_, numbers_);
    const std::vector<QStringList> cells = present::datasheetCells(*result_, numbers_);
    auto* mime = new QMimeData;
    mime->setText(present::datasheetPlainText(lines, cells));
    mime->setHtml(present::datasheetHtml(lines, cells));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void DatasheetDialog::print() {
    const OutputModule* output = outputModule();
    if (output == nullptr) {
        return;
    }
    const std::unique_ptr<QPagedPaintDevice> printer = output->printer();
    setUpPrintedPage(*printer, QStringLiteral("Adatlap"));
    if (output->askToPrint(*printer, this, QStringLiteral("Nyomtatás"))) {
        (void)printTo(*printer);
    }
}

bool DatasheetDialog::printTo(QPagedPaintDevice& printer) {
    if (!result_) {
        return false;
    }
    QPainter painter;
    const std::optional<QSizeF> page =
        beginPrintedPage(painter, printer, QStringLiteral("Adatlap"));
    if (!page) {
        return false;
    }
    paintPage(painter, *page, input_, present::datasheetLines(input_, *result_, numbers_),
              present::datasheetCells(*result_, numbers_));
    return painter.end();
}

model::DatasheetInput currentDatasheetInput(const CollectorHost& window) {
    const ShownCollector shown = window.shownCollector();
    return {.collector = shown.name,
            .eta0 = shown.eta0.toDouble(),
            .a1 = shown.a1.toDouble(),
            .a2 = shown.a2.toDouble(),
            .grossArea = shown.area.toDouble()};
}

void openDatasheet(CollectorHost& window) {
    auto* dialog = new DatasheetDialog(currentDatasheetInput(window), &window.dialogParent(),
                                       window.numberLocale());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

}  // namespace ui
