#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

#include "model/calculation.h"
#include "runtime/number_text.h"

// What "the results" are when they leave the window: copied, printed or
// written by the command line. One table of names, one way to lay them out.
namespace present {

// The results in the order they are copied and listed.
enum class Result {
    Characteristic,
    OperatingX,
    Efficiency,
    SpecificOutput,
    Output,
    ZeroEfficiencyX
};

inline constexpr std::array<QStringView, 6> kResultNames{
    u"Jellemző hatásfok (ηx=0,05)",        u"x",
    u"Pillanatnyi kollektor hatásfok (η)", u"Fajlagos teljesítmény (q̇)",
    u"Kollektor teljesítmény (Q̇)",         u"x, ahol a hatásfok 0",
};

[[nodiscard]] constexpr QStringView nameOf(Result result) {
    return kResultNames[static_cast<std::size_t>(result)];
}

// The inputs, in the order they lead the copied results.
inline constexpr std::array<QStringView, 8> kInputNames{
    u"Napkollektor típusa",
    u"η0 – optikai hatásfok",
    u"a1 – elsőfokú hőveszteségi együttható",
    u"a2 – másodfokú hőveszteségi együttható",
    u"A napkollektorok hasznos felülete (m²)",
    u"Napkollektor hőmérséklet",
    u"Környezeti hőmérséklet",
    u"Napsugárzás intenzitás",
};

// The formatting: every front end turns the same results into the same texts
// here, with the regional number format it is given. A text the calculation
// did not reach holds the runtime error that kept it.
struct ResultTexts {
    model::Reached<QString> characteristic;
    model::Reached<QString> operatingX;
    model::Reached<QString> efficiency;
    model::Reached<QString> specificOutput;
    model::Reached<QString> output;
    model::Reached<QString> zeroEfficiencyX;
};

// Which texts to make. A chart run alone shows neither the characteristic
// efficiency, which changes only with an evaluation, nor the zero's x: the
// texts left out are empty.
struct TextsWanted {
    bool characteristic = true;
    bool zeroEfficiencyX = true;
};

[[nodiscard]] ResultTexts formatResults(const model::Results& results,
                                        const rt::NumberFormat& format,
                                        const TextsWanted& wanted = {});

// The value of one result.
[[nodiscard]] const model::Reached<QString>& valueOf(const ResultTexts& texts, Result result);

// A kept collector at the operating point, in the words the legend uses.
struct KeptResult {
    QString name;
    QString efficiency;      // as the efficiency label would show it: "60,1 %"
    QString specificOutput;  // as the specific-output label would: "481 W/m2"
};

[[nodiscard]] KeptResult keptResult(const QString& name, const model::OperatingPoint& point,
                                    const rt::NumberFormat& format);

// The inputs as the window's controls hold them: the list's text, the boxes'
// texts as typed, the sliders' values.
struct InputTexts {
    QString collectorType;
    QString eta0, a1, a2, collectorArea;
    model::Conditions conditions;
};

struct NamedValue {
    QString name;
    QString value;
};

// Inputs, then results: the collector type, the four boxes, the three
// sliders with their units, then the results in the order of Result, then
// each kept collector's efficiency and specific output. Raises the runtime
// error of a result not reached.
[[nodiscard]] std::vector<NamedValue> resultLines(const InputTexts& inputs,
                                                  const ResultTexts& results,
                                                  const std::vector<KeptResult>& kept,
                                                  const rt::NumberFormat& format);
// One "name<TAB>value" line each, every line ended.
[[nodiscard]] QString plainText(const std::vector<NamedValue>& lines);
// A two-column HTML table of the same lines.
[[nodiscard]] QString htmlTable(const std::vector<NamedValue>& lines);

// One row of the power table, in the words the window's labels use.
struct PowerRow {
    int deltaT = 0;  // K, collector minus ambient temperature
    QString operatingX, efficiency, specificOutput, output;
};

// The calculation over the collector temperatures ambient + 0, step,
// 2 step, ..., everything else as in `conditions`. Rows whose collector
// temperature lies outside its slider's range are left out; the table ends
// with the first row whose efficiency shows 0.
[[nodiscard]] std::vector<PowerRow> powerTable(const model::Collector& collector,
                                               const model::Conditions& conditions,
                                               const rt::NumberFormat& format, int stepKelvin);

// Tab-separated with a header line; each cell without the unit its column's
// header carries.
[[nodiscard]] QString powerTablePlainText(const std::vector<PowerRow>& rows);
[[nodiscard]] QString powerTableHtml(const std::vector<PowerRow>& rows);

}  // namespace present
