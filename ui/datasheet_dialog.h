#pragma once

#include <QDialog>
#include <QLocale>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "model/datasheet.h"
#include "present/datasheet_text.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPushButton;
class QTableWidget;

namespace ui {

class Announcer;
class CollectorHost;

// The power table of a collector's datasheet, recomputed as its inputs are
// typed, with the stagnation estimate; copied to the clipboard or printed
// on one A4 page with the efficiency curve. It admits every physically
// meaningful collector, also those the window's entry checks refuse.
class DatasheetDialog : public QDialog {
    Q_OBJECT
public:
    // Prefilled from `input`; numbers read and shown in `locale`'s format.
    DatasheetDialog(const model::DatasheetInput& input, QWidget* parent,
                    const QLocale& locale = QLocale());

    // Why a field's value cannot be computed with, in words.
    struct FieldProblem {
        model::DatasheetField field;
        QString message;
    };
    // The inputs as the fields read, or the reasons they cannot be computed.
    [[nodiscard]] const std::vector<FieldProblem>& problems() const { return problems_; }
    [[nodiscard]] const model::DatasheetInput& input() const { return input_; }

    // Plain text and an HTML table on the clipboard; nothing while the
    // inputs are refused.
    void copy();
    // Asks for a printer and prints the page there.
    void print();
    // One A4 page: the inputs, the table and the efficiency curve.
    bool printTo(QPagedPaintDevice& printer);

private:
    struct FieldGrid;
    // A field that recomputes the datasheet as it changes.
    [[nodiscard]] QLineEdit* inputField(const QString& text);
    [[nodiscard]] QComboBox* choiceField(std::initializer_list<const char*> items, int current);
    // The dialog's parts, prefilled from `input`, in the order Tab follows.
    Announcer& buildCollectorFields(const FieldGrid& grid, const model::DatasheetInput& input);
    void buildConditionFields(const FieldGrid& grid, const model::DatasheetInput& input,
                              Announcer& announcer);
    void buildDerivedFields(const FieldGrid& grid, const model::DatasheetInput& input);
    [[nodiscard]] std::pair<QLabel*, QTableWidget*> buildStoredExtras(
        const FieldGrid& grid, const model::DatasheetInput& input);
    [[nodiscard]] QLabel* buildResults(std::vector<QWidget*>& tabOrder);
    [[nodiscard]] QDialogButtonBox* buildButtons(std::vector<QWidget*>& tabOrder);
    void recompute();
    // Each field's problems in its description; all of them, field by field.
    [[nodiscard]] QStringList describeProblems();
    // The derived values and the table, for inputs without problems.
    void showResult();
    // The fields' texts as an input; problems_ says what does not read.
    void readFields();
    void showPeakKind();

    QLocale locale_;
    present::DatasheetNumbers numbers_;
    model::DatasheetInput input_;
    std::optional<model::DatasheetResult> result_;
    std::vector<FieldProblem> problems_;

    QLineEdit* name_ = nullptr;
    QComboBox* peak_ = nullptr;
    QLabel* eta0Label_ = nullptr;
    QLineEdit* eta0_ = nullptr;
    QLineEdit* kd_ = nullptr;
    QLineEdit* a1_ = nullptr;
    QLineEdit* a2_ = nullptr;
    QComboBox* reference_ = nullptr;
    QLineEdit* grossArea_ = nullptr;
    QLineEdit* apertureArea_ = nullptr;
    QLineEdit* deltaT_ = nullptr;
    QLineEdit* beam_ = nullptr;
    QLineEdit* diffuse_ = nullptr;
    QLineEdit* derivedEta0_ = nullptr;
    QLabel* convertedLabel_ = nullptr;
    QLineEdit* converted_ = nullptr;
    QLineEdit* stagnation_ = nullptr;
    QLabel* problemsLabel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QTableWidget* modifierTable_ = nullptr;  // where the collector gives a beam modifier
    QPushButton* copyButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
};

// The datasheet input of the window's current collector: its coefficients,
// and its area as the gross area.
[[nodiscard]] model::DatasheetInput currentDatasheetInput(const CollectorHost& window);

// Opens the dialog for the window's current collector, window-modal; it is
// deleted when closed.
void openDatasheet(CollectorHost& window);

}  // namespace ui
