#include "calc_report.h"
#include "runtime/csv_text.h"

#include <QStringList>

#include "library/collector_import.h"
#include "present/result_texts.h"
#include "runtime/json_text.h"

namespace cli {
namespace {

// The digits the operating point's results show, without their units.
struct Shown {
    QString x, efficiency, specificOutput, output;
};

Shown operatingPoint(const model::Results& results, const rt::NumberFormat& format) {
    const model::OperatingPoint& point = results.operating.get();
    return {format.text(model::thousandthsDown(results.operatingX.get())),
            format.text(model::percentTenthsDown(point.eta)),
            format.text(model::wattsDown(point.specificOutput)),
            format.text(model::wattsDown(point.output))};
}

// The number formats of the machine-readable outputs, fixed whatever the
// user's locale.
const rt::NumberFormat& pointFormat() {
    static const rt::NumberFormat format(QLocale::c());
    return format;
}
const rt::NumberFormat& commaFormat() {
    static const rt::NumberFormat format(QLocale(QLocale::Hungarian, QLocale::Hungary));
    return format;
}

using rt::jsonObject;
using rt::jsonString;

// RFC 4180 lines, CRLF, as every CSV of the program.
struct Csv {
    QChar separator;
    const rt::NumberFormat& format;

    [[nodiscard]] QString line(const QStringList& fields) const {
        return rt::csvRecord(fields, separator);
    }
};

Csv csvFor(ReportFormat format) {
    return format == ReportFormat::Csv ? Csv{u',', pointFormat()} : Csv{u';', commaFormat()};
}

// The results a report shows: no curve is drawn, so none is computed past
// its first points.
model::Results resultsOf(const model::Collector& collector, const model::Conditions& conditions,
                         bool zeroEfficiencyX = true) {
    return model::calculate(collector, conditions,
                            {.zeroEfficiencyX = zeroEfficiencyX, .curveEndX = 0.0});
}

model::Conditions at(const model::Conditions& conditions, int deltaT) {
    model::Conditions shifted = conditions;
    shifted.collectorTemp = rt::Int16::checked(conditions.ambientTemp.value() + deltaT);
    return shifted;
}

const QStringList kCalcKeys{QStringLiteral("collector"),
                            QStringLiteral("eta0"),
                            QStringLiteral("a1"),
                            QStringLiteral("a2"),
                            QStringLiteral("area"),
                            QStringLiteral("collectorTemp"),
                            QStringLiteral("ambientTemp"),
                            QStringLiteral("irradiance"),
                            QStringLiteral("characteristic"),
                            QStringLiteral("x"),
                            QStringLiteral("efficiency"),
                            QStringLiteral("specificOutput"),
                            QStringLiteral("output"),
                            QStringLiteral("zeroEfficiencyX")};
const QStringList kTableRowKeys{QStringLiteral("deltaT"), QStringLiteral("x"),
                                QStringLiteral("efficiency"), QStringLiteral("specificOutput"),
                                QStringLiteral("output")};

rt::JsonMembers members(const QStringList& keys, const QStringList& values) {
    rt::JsonMembers out;
    out.reserve(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        out.append({keys[i], values[i]});
    }
    return out;
}

bool isCsv(ReportFormat format) {
    return format == ReportFormat::Csv || format == ReportFormat::CsvHungarian;
}

// The window's result labels, a line each: the names and texts it shows.
QString resultLines(const model::Results& results, const rt::NumberFormat& format) {
    const present::ResultTexts texts = present::formatResults(results, format);
    QString text;
    for (std::size_t i = 0; i < present::kResultNames.size(); ++i) {
        const auto result = static_cast<present::Result>(i);
        text += present::nameOf(result).toString() + QStringLiteral(": ") +
                present::valueOf(texts, result).get() + u'\n';
    }
    return text;
}

// Each --calc JSON member's text before its value.
QStringList jsonPrefixes() {
    QStringList prefixes;
    for (const QString& name : kCalcKeys) {
        prefixes << QStringLiteral(", \"%1\": ").arg(name);
    }
    return prefixes;
}

}  // namespace

ReportWriter::ReportWriter(const model::Conditions& conditions, const Report& report,
                           const QLocale& locale)
    : conditions_(conditions),
      report_(report),
      textFormat_(locale),
      conditionTexts_{textFormat_.text(conditions.collectorTemp),
                      textFormat_.text(conditions.ambientTemp),
                      textFormat_.text(conditions.irradiance)} {}

QString ReportWriter::header() const {
    if (!isCsv(report_.format)) {
        return {};
    }
    return csvFor(report_.format)
        .line(report_.tableStep ? QStringList{QStringLiteral("collector")} + kTableRowKeys
                                : kCalcKeys);
}

QString ReportWriter::collector(const model::Collector& collector) {
    QString text;
    if (report_.format == ReportFormat::Text && report_.named) {
        text += (first_ ? QString() : QStringLiteral("\n")) + present::kInputNames[0].toString() +
                QStringLiteral(": ") + collector.name + u'\n';
    }
    first_ = false;
    return text + (report_.tableStep ? tableLines(collector) : calcLines(collector));
}

QString ReportWriter::calcLines(const model::Collector& collector) const {
    const model::Results results = resultsOf(collector, conditions_);
    if (report_.format == ReportFormat::Text) {
        return resultLines(results, textFormat_);
    }
    // One line built in place: a batch writes one for every row it reads.
    const bool json = report_.format == ReportFormat::Json;
    const Csv csv = csvFor(report_.format);
    const rt::NumberFormat& numbers = json ? pointFormat() : csv.format;
    const model::OperatingPoint& point = results.operating.get();
    QString line;
    line.reserve(200 + collector.name.size());
    qsizetype key = 0;
    static const QStringList kJsonPrefixes = jsonPrefixes();
    const auto next = [&] {
        ++key;
        if (json) {
            line += kJsonPrefixes[key];
        } else {
            line += csv.separator;
        }
    };
    if (json) {
        line += QLatin1StringView("{\"collector\": ");
        line += jsonString(collector.name);
    } else {
        line += rt::csvField(collector.name, csv.separator);  // digits need no quoting
    }
    for (const rt::Fixed4 value : {collector.eta0, collector.a1, collector.a2, collector.area}) {
        next();
        numbers.appendTo(line, value);
    }
    for (const QString& condition : conditionTexts_) {
        next();
        line += condition;
    }
    for (const double value :
         {model::thousandthsDown(results.characteristic.get()),
          model::thousandthsDown(results.operatingX.get()), model::percentTenthsDown(point.eta)}) {
        next();
        numbers.appendTo(line, value);
    }
    for (const rt::Fixed4 value : {model::wattsDown(point.specificOutput),
                                   model::wattsDown(point.output), results.zeroEfficiencyX.get()}) {
        next();
        numbers.appendTo(line, value);
    }
    return line += json ? QLatin1StringView("}\n") : QLatin1StringView("\r\n");
}

QString ReportWriter::tableLines(const model::Collector& collector) const {
    // Which rows there are is the power table's own rule; the numbers are
    // computed again for the same points.
    const std::vector<present::PowerRow> rows =
        present::powerTable(collector, conditions_, textFormat_, *report_.tableStep);
    if (report_.format == ReportFormat::Text) {
        return present::powerTablePlainText(rows);
    }
    const rt::NumberFormat& numbers =
        report_.format == ReportFormat::Json ? pointFormat() : csvFor(report_.format).format;
    const auto shownRow = [&](const present::PowerRow& row) {
        const Shown s =
            operatingPoint(resultsOf(collector, at(conditions_, row.deltaT), false), numbers);
        return QStringList{QString::number(row.deltaT), s.x, s.efficiency, s.specificOutput,
                           s.output};
    };
    QString text;
    if (report_.format == ReportFormat::Json) {
        QStringList objects;
        for (const present::PowerRow& row : rows) {
            objects << jsonObject(members(kTableRowKeys, shownRow(row)));
        }
        return jsonObject({{QStringLiteral("collector"), jsonString(collector.name)},
                           {QStringLiteral("rows"), rt::jsonArray(objects)}}) +
               u'\n';
    }
    for (const present::PowerRow& row : rows) {
        text += csvFor(report_.format).line(QStringList{collector.name} + shownRow(row));
    }
    return text;
}

QString calcReport(const std::vector<model::Collector>& collectors,
                   const model::Conditions& conditions, const Report& report,
                   const QLocale& locale) {
    ReportWriter writer(conditions, report, locale);
    QString text = writer.header();
    for (const model::Collector& collector : collectors) {
        text += writer.collector(collector);
    }
    return text;
}

QString tableReport(const std::vector<model::Collector>& collectors,
                    const model::Conditions& conditions, int stepKelvin, const Report& report,
                    const QLocale& locale) {
    Report table = report;
    table.tableStep = stepKelvin;
    return calcReport(collectors, conditions, table, locale);
}

}  // namespace cli
