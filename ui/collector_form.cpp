#include "collector_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "announcer.h"
#include "dialog_frame.h"

namespace ui {

using library::Collector;
using library::Field;

namespace {

struct FormRow {
    Field field;
    const char16_t* label;
    const char16_t* accessibleName;
};

constexpr std::array kRows{
    FormRow{Field::Name, u"&Név:", u"Név (kötelező)"},
    FormRow{Field::Maker, u"&Gyártó:", u"Gyártó"},
    FormRow{Field::Model, u"&Típus:", u"Típus"},
    FormRow{Field::Eta0, u"η&0 (félgömbi):", u"Optikai hatásfok, éta nulla, félgömbi sugárzásra"},
    FormRow{Field::Eta0b, u"η0,&b (direkt):", u"Optikai hatásfok direkt sugárzásra, éta nulla bé"},
    FormRow{Field::Kd, u"&Kd:", u"Szórt sugárzás beesésiszög-módosítója, Ká dé"},
    FormRow{Field::A1, u"a&1 [W/(m²·K)]:", u"Elsőfokú hőveszteségi együttható, a egy"},
    FormRow{Field::A2, u"a&2 [W/(m²·K²)]:", u"Másodfokú hőveszteségi együttható, a kettő"},
    FormRow{Field::A3, u"a&3 [J/(m³·K)]:", u"A hőveszteség szélsebesség-függése, a három"},
    FormRow{Field::A4, u"a&4 [–]:", u"A hosszúhullámú sugárzás együtthatója, a négy"},
    FormRow{Field::A6, u"a&6 [s/m]:", u"Az optikai hatásfok szélsebesség-függése, a hat"},
    FormRow{Field::A8, u"a&8 [W/(m²·K⁴)]:", u"A sugárzásos hőveszteség együtthatója, a nyolc"},
    FormRow{Field::Reference, u"&Vonatkoztatási felület:",
            u"Az együtthatók vonatkoztatási felülete"},
    FormRow{Field::GrossArea, u"B&ruttó felület [m²]:", u"Bruttó felület négyzetméterben"},
    FormRow{Field::ApertureArea, u"&Apertúrafelület [m²]:", u"Apertúrafelület négyzetméterben"},
    // The beam modifier's group: the rows of the form chosen are shown.
    FormRow{Field::IamB0, u"b0 &együttható:", u"A beesésiszög-módosító b0 együtthatója"},
    FormRow{Field::IamK50, u"K&50 (Kθb 50°-nál):",
            u"K50, a beesésiszög-módosító 50 fokos beesési szögnél"},
    FormRow{Field::IamTable, u"Kθb-&értékek:",
            u"A beesésiszög-módosító értékei 10, 20 … 90 fokos beesési szögnél"},
    FormRow{Field::IamTransversal, u"KθT-értékek (kere&sztirányú):",
            u"Keresztirányú beesésiszög-módosító értékei 10, 20 … 90 foknál"},
    FormRow{Field::IamLongitudinal, u"KθL-értékek (&hosszirányú):",
            u"Hosszirányú beesésiszög-módosító értékei 10, 20 … 90 foknál"},
    FormRow{Field::Certificate, u"Tan&úsítvány:", u"Tanúsítvány száma"},
    FormRow{Field::TestReport, u"Vizsgálati &jegyzőkönyv:", u"Vizsgálati jegyzőkönyv száma"},
    FormRow{Field::Lab, u"&Laboratórium:", u"Vizsgáló laboratórium"},
    FormRow{Field::Date, u"&Dátum (ÉÉÉÉ-HH-NN):", u"A vizsgálat dátuma, év-hónap-nap"},
    FormRow{Field::Note, u"&Megjegyzés:", u"Megjegyzés"},
};

std::size_t at(Field field) {
    return static_cast<std::size_t>(field);
}

bool inModifierGroup(Field field) {
    return field >= Field::IamB0 && field <= Field::IamLongitudinal;
}

// A field's stored text as typed: the format's decimal separator, a
// table's values apart.
QString typedText(const Collector& collector, Field field, QChar decimalSeparator) {
    QString text = library::fieldText(collector, field);
    if (library::isNumericField(field) || library::isAngleField(field)) {
        text.replace(u'.', decimalSeparator).replace(u';', QStringLiteral("; "));
    }
    return text;
}

// The reason takes half the line whatever its length, so that fields keep
// their width as reasons come and go; an empty one is hidden, so that
// screen readers meet no empty labels.
QLabel* reasonLabel(QWidget& form, QWidget& input) {
    auto* reason = new QLabel(&form);
    reason->setStyleSheet(QStringLiteral("color: #b00000"));
    reason->setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setRetainSizeWhenHidden(true);
    reason->setSizePolicy(policy);
    reason->hide();
    // Read with the field's label when the focus reaches it; a reason
    // that labels nothing would be read with the dialog every time.
    reason->setBuddy(&input);
    return reason;
}

}  // namespace

CollectorForm::CollectorForm(const Collector& collector, QList<QString> takenNames,
                             const rt::NumberFormat& format, const QString& title, QWidget* parent)
    : QDialog(parent), format_(format), takenNames_(std::move(takenNames)) {
    setWindowTitle(title);
    setAccessibleName(title);
    announcer_ = new Announcer(this);
    auto* form = new QFormLayout;
    QFormLayout* modifierRows = nullptr;
    for (const FormRow& row : kRows) {
        if (inModifierGroup(row.field) && modifierRows == nullptr) {
            modifierRows = modifierGroup(*form, collector);
        }
        QWidget* input = inputFor(row.field, collector);
        // The reference's combo box is named by its label, and its value read after it.
        if (input != reference_) {
            input->setAccessibleName(QString::fromUtf16(row.accessibleName));
        }
        QLabel* reason = reasonLabel(*this, *input);
        reasons_[at(row.field)] = reason;
        // A table's values take the line's width: its reason goes below.
        const bool table = library::isAngleField(row.field);
        if (table) {
            // On one line: a wrapped reason under a wide field makes the
            // scrolling body's layout swing between two heights.
            reason->setWordWrap(false);
            reason->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        }
        auto* line = new QBoxLayout(table ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
        line->addWidget(input, 1);
        line->addWidget(reason, 1);
        auto* label = new QLabel(QString::fromUtf16(row.label), this);
        label->setBuddy(input);
        (inModifierGroup(row.field) ? modifierRows : form)->addRow(label, line);
        lines_[at(row.field)] = line;
    }
    modifierRows_ = modifierRows;
    showModifierForm();
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Mentés"));
    buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("Mentés"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Mégse"));
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Mégse"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(scrollingBody(*this, buttons_));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addStretch(1);
    recheck();
    fitToScreen(*this);
    announceFaultsOnLeaving();
    opened_ = typed();
}

QFormLayout* CollectorForm::modifierGroup(QFormLayout& form, const Collector& collector) {
    auto* group = new QGroupBox(QStringLiteral("Beesésiszög-módosító (direkt sugárzás)"), this);
    auto* rows = new QFormLayout(group);
    modifierForm_ = new QComboBox(this);
    for (const char* item : {"nincs", "b0", "K50", "táblázat", "kéttengelyű (vákuumcsöves)"}) {
        modifierForm_->addItem(QString::fromUtf8(item));
    }
    modifierForm_->setCurrentIndex(static_cast<int>(library::modifierForm(collector)));
    connect(modifierForm_, &QComboBox::currentIndexChanged, this, [this] {
        showModifierForm();
        recheck();
    });
    voiceValue(*modifierForm_, *announcer_);
    auto* label = new QLabel(QStringLiteral("&Formája:"), this);
    label->setBuddy(modifierForm_);
    rows->addRow(label, modifierForm_);
    form.addRow(group);
    return rows;
}

QList<Field> CollectorForm::modifierFields() const {
    return library::modifierFields(
        static_cast<library::ModifierForm>(modifierForm_->currentIndex()));
}

void CollectorForm::showModifierForm() {
    const QList<Field> shown = modifierFields();
    for (const FormRow& row : kRows) {
        if (inModifierGroup(row.field)) {
            modifierRows_->setRowVisible(lines_[at(row.field)], shown.contains(row.field));
        }
    }
}

QWidget* CollectorForm::inputFor(Field field, const Collector& collector) {
    if (field == Field::Reference) {
        reference_ = new QComboBox(this);
        reference_->addItem(QStringLiteral("bruttó felület"));
        reference_->addItem(QStringLiteral("apertúrafelület"));
        reference_->setCurrentIndex(collector.reference == library::Reference::Gross ? 0 : 1);
        connect(reference_, &QComboBox::currentIndexChanged, this, &CollectorForm::recheck);
        voiceValue(*reference_, *announcer_);
        return reference_;
    }
    if (field == Field::Note) {
        note_ = new QPlainTextEdit(collector.note, this);
        note_->setTabChangesFocus(true);
        note_->setFixedHeight(note_->fontMetrics().lineSpacing() * 4);
        return note_;
    }
    auto* edit = new QLineEdit(typedText(collector, field, format_.decimalSeparator()), this);
    if (library::isAngleField(field)) {
        edit->setPlaceholderText(QStringLiteral("10°, 20° … 90°-nál, pontosvesszővel elválasztva"));
        // Room for a datasheet's nine values.
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(
            QStringLiteral("0,99; 0,99; 0,99; 0,99; 0,99; 0,99; 0,99; 0,99; 0,99")));
    }
    connect(edit, &QLineEdit::textChanged, this, &CollectorForm::recheck);
    edits_[at(field)] = edit;
    return edit;
}

// A field left with a fault says so at once; otherwise a screen reader
// would hear it only on coming back to the field.
// Only a field typed in: one merely passed through says nothing new.
void CollectorForm::announceFaultsOnLeaving() {
    for (const FormRow& row : kRows) {
        if (QLineEdit* edit = edits_[at(row.field)]) {
            connect(edit, &QLineEdit::editingFinished, this, [this, row, edit] {
                const QString reason = reasons_[at(row.field)]->text();
                if (edit->isModified() && !reason.isEmpty()) {
                    announcer_->announce(QStringLiteral("%1: %2").arg(
                        QString::fromUtf16(row.accessibleName), reason));
                }
                edit->setModified(false);
            });
        }
    }
}

QStringList CollectorForm::typed() const {
    QStringList texts;
    for (const QLineEdit* edit : edits_) {
        texts.append(edit != nullptr ? edit->text() : QString());
    }
    texts.append(QString::number(reference_->currentIndex()));
    texts.append(QString::number(modifierForm_->currentIndex()));
    texts.append(note_->toPlainText());
    return texts;
}

void CollectorForm::reject() {
    if (typed() != opened_) {
        QMessageBox ask(QMessageBox::Question, windowTitle(),
                        QStringLiteral("Elveti az űrlapon tett módosításokat?"),
                        QMessageBox::NoButton, this);
        QPushButton* discard =
            ask.addButton(QStringLiteral("Módosítások &elvetése"), QMessageBox::DestructiveRole);
        QPushButton* stay =
            ask.addButton(QStringLiteral("&Vissza az űrlapra"), QMessageBox::RejectRole);
        ask.setDefaultButton(stay);
        ask.setEscapeButton(stay);
        ask.exec();
        if (ask.clickedButton() != discard) {
            return;
        }
    }
    QDialog::reject();
}

QLineEdit* CollectorForm::edit(Field field) const {
    return edits_[at(field)];
}

QString CollectorForm::reasonShown(Field field) const {
    return reasons_[at(field)]->text();
}

Collector CollectorForm::collector() const {
    Collector c;
    const QList<Field> modifier = modifierFields();
    for (const FormRow& row : kRows) {
        if (inModifierGroup(row.field) && !modifier.contains(row.field)) {
            continue;  // kept as typed while another form is chosen, but not saved
        }
        if (const QLineEdit* edit = edits_[at(row.field)]) {
            // A number that does not read stays empty; recheck() says why.
            static_cast<void>(
                library::setFieldText(c, row.field, edit->text(), format_.decimalSeparator()));
        }
    }
    c.reference =
        reference_->currentIndex() == 0 ? library::Reference::Gross : library::Reference::Aperture;
    c.note = note_->toPlainText();
    return c;
}

void CollectorForm::recheck() {
    std::array<QString, library::kFieldCount> reasons;
    const Collector c = collector();
    for (const library::FieldProblem& problem : library::check(c)) {
        reasons[at(problem.field)] = problem.reason;
    }
    // What the typed text itself is wrong in says more than a missing value.
    const QList<Field> modifier = modifierFields();
    for (const FormRow& row : kRows) {
        const QLineEdit* edit = edits_[at(row.field)];
        if (edit == nullptr || (inModifierGroup(row.field) && !modifier.contains(row.field))) {
            continue;
        }
        if (library::isNumericField(row.field) || library::isAngleField(row.field)) {
            const QChar separator = format_.decimalSeparator();
            const QString reason =
                library::isAngleField(row.field)
                    ? library::checkAnglesText(row.field, edit->text(), separator)
                    : library::checkNumberText(row.field, edit->text(), separator);
            if (!reason.isEmpty()) {
                reasons[at(row.field)] = reason;
            }
        }
    }
    const QString key = library::nameKey(c.name);
    if (std::any_of(takenNames_.begin(), takenNames_.end(),
                    [&](const QString& n) { return library::nameKey(n) == key; })) {
        reasons[at(Field::Name)] = QStringLiteral("már van ilyen nevű kollektor");
    }
    for (const FormRow& row : kRows) {
        const QString& reason = reasons[at(row.field)];
        reasons_[at(row.field)]->setText(reason);
        reasons_[at(row.field)]->setVisible(!reason.isEmpty());
        // Orca reads a field's first label only: the reason goes into the
        // description as well, read when the focus reaches the field.
        QWidget* input = edits_[at(row.field)];
        if (input == nullptr) {
            input = row.field == Field::Reference ? static_cast<QWidget*>(reference_) : note_;
        }
        if (input != reference_) {  // the combo box's description is its value
            input->setAccessibleDescription(reason);
        }
    }
}

// Mentés stays reachable, so that a screen reader hears it; with a fault left
// it says which and takes the focus there.
void CollectorForm::accept() {
    for (const FormRow& row : kRows) {
        if (const QString reason = reasons_[at(row.field)]->text(); !reason.isEmpty()) {
            announcer_->announce(QStringLiteral("Nem menthető. %1: %2")
                                     .arg(QString::fromUtf16(row.accessibleName), reason));
            QWidget* input = edits_[at(row.field)];
            (input != nullptr ? input : static_cast<QWidget*>(reference_))->setFocus();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace ui
