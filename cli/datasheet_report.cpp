#include "datasheet_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "chart/datasheet_text.h"

namespace cli {
namespace {

QJsonValue jsonNumber(const std::optional<double>& value, int decimals) {
    return value ? QJsonValue(model::roundHalfEven(*value, decimals) + 0.0)
                 : QJsonValue(QJsonValue::Null);
}

// Whole watts, efficiencies to a thousandth, as the text shows them.
QString json(const model::DatasheetInput& input, const model::DatasheetResult& result) {
    QJsonArray rows;
    for (const model::DatasheetRow& row : result.rows) {
        rows.append(QJsonObject{
            {"deltaT", row.deltaT},
            {"perCollector", jsonNumber(row.perCollector, 0)},
            {"perGrossArea", jsonNumber(row.perGrossArea, 0)},
            {"perApertureArea", jsonNumber(row.perApertureArea, 0)},
            {"efficiencyGross", jsonNumber(row.efficiencyGross, 3)},
            {"efficiencyAperture", jsonNumber(row.efficiencyAperture, 3)},
        });
    }
    const QJsonObject object{
        {"collector",
         input.collector.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(input.collector)},
        {"eta0", jsonNumber(result.eta0, 4)},
        {"eta0Derived", result.eta0Derived},
        {"stagnationEstimate", jsonNumber(result.stagnationEstimate, 0)},
        {"rows", rows},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n';
}

QString csv(const model::DatasheetResult& result, const QLocale& locale, QChar separator) {
    // No field holds a separator, a quote or a line break: the header's
    // names and plain numbers need no quoting.
    const auto line = [separator](const QStringList& fields) {
        return fields.join(separator) + QStringLiteral("\r\n");
    };
    QStringList header;
    for (QStringView column : model::kDatasheetColumns) {
        header << column.toString();
    }
    QString text = line(header);
    for (const QStringList& row : chart::datasheetCells(result, chart::DatasheetNumbers(locale))) {
        text += line(row);
    }
    return text;
}

}  // namespace

QString datasheetReport(const model::DatasheetInput& input, const model::DatasheetResult& result,
                        DatasheetFormat format, const QLocale& locale) {
    switch (format) {
        case DatasheetFormat::Text: {
            const chart::DatasheetNumbers numbers(locale);
            return chart::datasheetPlainText(chart::datasheetLines(input, result, numbers),
                                             chart::datasheetCells(result, numbers));
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
