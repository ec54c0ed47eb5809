#include "datasheet_report.h"
#include "runtime/csv_text.h"

#include <QStringList>

#include "library/collector_import.h"
#include "present/datasheet_text.h"
#include "runtime/json_text.h"

namespace cli {
namespace {

// The table's columns as the JSON and the CSV name them, in the order of
// present::kDatasheetColumns.
const QStringList kRowKeys{QStringLiteral("deltaT"),          QStringLiteral("perCollector"),
                           QStringLiteral("perGrossArea"),    QStringLiteral("perApertureArea"),
                           QStringLiteral("efficiencyGross"), QStringLiteral("efficiencyAperture")};

// A cell's digits as a JSON number; null where the area is not known.
QString jsonCell(const QString& cell) {
    return cell.isEmpty() ? QStringLiteral("null") : cell;
}

QString json(const model::DatasheetInput& input, const model::DatasheetResult& result) {
    const present::DatasheetNumbers numbers(QLocale::c());
    const auto optional = [&](const std::optional<double>& value) {
        return value ? numbers.number(*value) : QStringLiteral("null");
    };
    QStringList rows;
    for (const QStringList& cells : present::datasheetCells(result, numbers)) {
        rt::JsonMembers members;
        for (qsizetype i = 0; i < kRowKeys.size(); ++i) {
            members.append({kRowKeys[i], jsonCell(cells[i])});
        }
        rows.append(rt::jsonObject(members));
    }
    const bool beam = input.peak == model::PeakEfficiency::Beam;
    const rt::JsonMembers members{
        {QStringLiteral("collector"),
         input.collector.isEmpty() ? QStringLiteral("null") : rt::jsonString(input.collector)},
        {QStringLiteral("eta0"), numbers.number(result.eta0)},
        {QStringLiteral("eta0Derived"),
         result.eta0Derived ? QStringLiteral("true") : QStringLiteral("false")},
        {QStringLiteral("eta0b"), beam ? numbers.number(input.eta0) : QStringLiteral("null")},
        {QStringLiteral("kd"), beam ? numbers.number(input.kd) : QStringLiteral("null")},
        {QStringLiteral("a1"), numbers.number(input.a1)},
        {QStringLiteral("a2"), numbers.number(input.a2)},
        {QStringLiteral("reference"), input.reference == model::ReferenceArea::Gross
                                          ? QStringLiteral("\"gross\"")
                                          : QStringLiteral("\"aperture\"")},
        {QStringLiteral("grossArea"), optional(input.grossArea)},
        {QStringLiteral("apertureArea"), optional(input.apertureArea)},
        {QStringLiteral("beam"), numbers.number(input.beam)},
        {QStringLiteral("diffuse"), numbers.number(input.diffuse)},
        {QStringLiteral("stagnationEstimate"), result.stagnationEstimate
                                                   ? numbers.number(*result.stagnationEstimate, 0)
                                                   : QStringLiteral("null")},
        {QStringLiteral("rows"), rt::jsonArray(rows)},
    };
    return rt::jsonObject(members) + u'\n';
}

QString csv(const model::DatasheetResult& result, const QLocale& locale, QChar separator) {
    QString text = rt::csvRecord(kRowKeys, separator);
    for (const QStringList& row :
         present::datasheetCells(result, present::DatasheetNumbers(locale))) {
        text += rt::csvRecord(row, separator);
    }
    return text;
}

}  // namespace

QString datasheetReport(const model::DatasheetInput& input, const model::DatasheetResult& result,
                        DatasheetFormat format, const QLocale& locale) {
    switch (format) {
        case DatasheetFormat::Text: {
            const present::DatasheetNumbers numbers(locale);
            return present::datasheetPlainText(present::datasheetLines(input, result, numbers),
                                               present::datasheetCells(result, numbers));
        }
        case DatasheetFormat::Json:
            return json(input, result);
        case DatasheetFormat::Csv:
            return csv(result, QLocale::c(), u',');
        case DatasheetFormat::CsvHungarian:
            return csv(result, QLocale(QLocale::Hungarian, QLocale::Hungary), u';');
    }
    return {};
}

}  // namespace cli
