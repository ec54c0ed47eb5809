#pragma once

#include <QDialog>
#include <QList>
#include <array>

#include "library/collector_record.h"
#include "runtime/number_text.h"

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace ui {

class Announcer;

// One collector's fields, each checked as it is typed, with the reason beside
// the field; OK only when every field is right and the name is not taken.
class CollectorForm : public QDialog {
    Q_OBJECT
public:
    // `takenNames`: the other collectors' names, which this one may not take.
    CollectorForm(const library::Collector& collector, QList<QString> takenNames,
                  const rt::NumberFormat& format, const QString& title, QWidget* parent);

    // The fields as typed; call after exec() returns Accepted.
    [[nodiscard]] library::Collector collector() const;
    // The line edit of a field (nullptr for the reference and the note).
    [[nodiscard]] QLineEdit* edit(library::Field field) const;
    [[nodiscard]] QString reasonShown(library::Field field) const;

    // Escape or Mégse on a form with changes asks before discarding them.
    void reject() override;
    // Saves only a faultless form; otherwise says the first fault and goes there.
    void accept() override;

private:
    // The field's input, filled from `collector`; a line edit is kept in edits_.
    [[nodiscard]] QWidget* inputFor(library::Field field, const library::Collector& collector);
    // The beam modifier's group with its form's combo box, added to `form`;
    // its rows go into the layout returned.
    [[nodiscard]] QFormLayout* modifierGroup(QFormLayout& form,
                                             const library::Collector& collector);
    // The fields of the modifier's form chosen, and only their rows shown.
    [[nodiscard]] QList<library::Field> modifierFields() const;
    void showModifierForm();
    void announceFaultsOnLeaving();
    void recheck();
    // Every field's text as typed, to tell whether anything changed.
    [[nodiscard]] QStringList typed() const;

    const rt::NumberFormat& format_;
    QList<QString> takenNames_;
    std::array<QLineEdit*, library::kFieldCount> edits_{};
    std::array<QLabel*, library::kFieldCount> reasons_{};
    std::array<QLayout*, library::kFieldCount> lines_{};  // each field's input and reason
    QComboBox* modifierForm_ = nullptr;
    QFormLayout* modifierRows_ = nullptr;
    QComboBox* reference_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QStringList opened_;
    Announcer* announcer_ = nullptr;
};

}  // namespace ui
