#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <vector>

#include "model/datasheet.h"
#include "result_texts.h"

// The datasheet's table as it leaves the program: shown in its dialog,
// copied, printed or written by the command line. The values are rounded
// here, when they become text: whole watts and tenths of a percent (always
// shown), a half to the even neighbour.
namespace present {

// The table's columns, in the order of model::DatasheetRow's fields.
inline constexpr std::array<QStringView, 6> kDatasheetColumns{
    u"ΔT [K]",       u"Q̇ [W/kollektor]", u"q̇ bruttó [W/m²]", u"q̇ apertúra [W/m²]",
    u"η bruttó [%]", u"η apertúra [%]",
};

// "0 és 100 W/(m²·K) között" or "0-nál nagyobb és legfeljebb 100 m²", with
// decimal commas; `unit` may be empty.
[[nodiscard]] QString rangeText(const model::Range& range, QStringView unit = {});

// A problem of the datasheet's input in words, naming its field: "Az a1
// (elsőfokú hőveszteségi együttható) 0 és 100 W/(m²·K) között lehet." The
// peak efficiency's name depends on what it is given for.
[[nodiscard]] QString problemText(const model::DatasheetProblem& problem,
                                  model::PeakEfficiency peak);

// Numbers in `locale`'s digits and decimal separator, without grouping.
class DatasheetNumbers {
public:
    explicit DatasheetNumbers(QLocale locale);

    // At most `decimals` places, no trailing zeros: 0.7399, 3.27, 2.
    [[nodiscard]] QString number(double value, int decimals = 4) const;
    // Exactly `decimals` places: 74.0.
    [[nodiscard]] QString fixed(double value, int decimals) const;
    // A coefficient of any size: below a thousandth as 5,67·10⁻⁸.
    [[nodiscard]] QString coefficient(double value) const;
    // One cell of each row, in the order of kDatasheetColumns; empty
    // where the area is not known.
    [[nodiscard]] QStringList cells(const model::DatasheetRow& row) const;

private:
    QLocale locale_;
};

// The inputs and what is derived from them, one named line each: the
// collector, the peak efficiency (and η0 derived), a1, a2, the quasi-dynamic
// terms and the beam modifier where given, the areas, the
// coefficients referred to the other area, the irradiance and the
// stagnation estimate.
[[nodiscard]] std::vector<NamedValue> datasheetLines(const model::DatasheetInput& input,
                                                     const model::DatasheetResult& result,
                                                     const DatasheetNumbers& numbers);

// The beam modifier as the datasheet gave it ("b0 = 0,05", "K50 = 0,94
// (b0 = 0,108)", "táblázat", "kéttengelyű (vákuumcsöves)"); empty for none.
[[nodiscard]] QString modifierSource(const model::DatasheetInput& input,
                                     const DatasheetNumbers& numbers);
// A modifier row's name ("Kθb", "KθT (keresztirányú)"), the angles heading
// its columns ("10°" … "90°") and its cells.
[[nodiscard]] QString modifierRowName(model::ModifierAxis axis);
[[nodiscard]] QStringList modifierAngles();
[[nodiscard]] QStringList modifierCells(const model::ModifierRow& row,
                                        const DatasheetNumbers& numbers);
// The quasi-dynamic terms given, one named line each, with their units.
[[nodiscard]] std::vector<NamedValue> quasiDynamicLines(const model::DatasheetInput& input,
                                                        const DatasheetNumbers& numbers);

// The stagnation estimate's line name and value, as the dialog shows it too.
[[nodiscard]] QString stagnationName();
[[nodiscard]] QString stagnationText(const model::DatasheetResult& result,
                                     const DatasheetNumbers& numbers);

// The hemispherical η0 with how it was derived from η0,b and Kd, at the
// split of the irradiance the table uses; η0 alone where it was given.
[[nodiscard]] QString eta0Derivation(const model::DatasheetInput& input,
                                     const model::DatasheetResult& result,
                                     const DatasheetNumbers& numbers);

// Every row's cells, the header not included.
[[nodiscard]] std::vector<QStringList> datasheetCells(const model::DatasheetResult& result,
                                                      const DatasheetNumbers& numbers);

// The lines as "name<TAB>value", an empty line, then the table tab-separated
// with its header; a cell without a value shows "–".
[[nodiscard]] QString datasheetPlainText(const std::vector<NamedValue>& lines,
                                         const std::vector<QStringList>& cells);
// The same as two HTML tables.
[[nodiscard]] QString datasheetHtml(const std::vector<NamedValue>& lines,
                                    const std::vector<QStringList>& cells);

}  // namespace present
