#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

#include "chart_procedures.h"
#include "model/collector_state.h"
#include "runtime/number_text.h"

// What "the results" are when they leave the window: copied, printed or
// written by the command line. One table of names, one way to lay them out.
namespace chart {

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

// The texts a front end shows, read off its controls.
struct ShownResults {
    QString collectorType;                // the list's text
    QString eta0, a1, a2, collectorArea;  // the boxes' texts
    int collectorTemp = 0;                // °C, the sliders' values
    int ambientTemp = 0;                  // °C
    int irradiance = 0;                   // W/m²
    // The result labels, as shown.
    QString characteristic, operatingX, efficiency, specificOutput, output;
    QString zeroEfficiencyX;  // stagnationX in the regional format
    // The collectors kept for comparison, as the chart's legend shows them.
    std::vector<KeptResult> kept;
};

// The value of one result, as shown.
[[nodiscard]] const QString& valueOf(const ShownResults& shown, Result result);
// stagnationX as the results list it.
[[nodiscard]] QString zeroEfficiencyXText(const model::CollectorState& state,
                                          const rt::NumberFormat& format);

struct NamedValue {
    QString name;
    QString value;
};

// Inputs, then results: the collector type, the four boxes, the three
// sliders with their units, then the results in the order of Result, then
// each kept collector's efficiency and specific output.
[[nodiscard]] std::vector<NamedValue> resultLines(const ShownResults& shown,
                                                  const rt::NumberFormat& format);
// One "name<TAB>value" line each, every line ended.
[[nodiscard]] QString plainText(const std::vector<NamedValue>& lines);
// A two-column HTML table of the same lines.
[[nodiscard]] QString htmlTable(const std::vector<NamedValue>& lines);

// One row of the power table: the labels' texts, as the window shows them.
struct PowerRow {
    int deltaT = 0;  // K, collector minus ambient temperature
    QString operatingX, efficiency, specificOutput, output;
};

// The collector's results at collector temperatures ambient + 0, step,
// 2 step, ...: each row is what the chart procedure shows with the collector
// temperature there and everything else as in `state`, which must have been
// evaluated. Rows whose collector temperature lies outside its slider's range
// are left out; the table ends with the first row whose efficiency shows 0.
[[nodiscard]] std::vector<PowerRow> powerTable(const model::CollectorState& state,
                                               const rt::NumberFormat& format, int stepKelvin);

// Tab-separated with a header line; each cell without the unit its column's
// header carries.
[[nodiscard]] QString powerTablePlainText(const std::vector<PowerRow>& rows);
[[nodiscard]] QString powerTableHtml(const std::vector<PowerRow>& rows);

}  // namespace chart
