#include "calc_report.h"

#include <QStringList>
#include <functional>

#include "chart/results.h"
#include "library/collector_import.h"
#include "runtime/json_text.h"

namespace cli {
namespace {

// The digits each result shows, without its unit.
struct Shown {
    QString characteristic, x, efficiency, specificOutput, output, zeroEfficiencyX;
};

Shown operatingPoint(const model::Results& results, const rt::NumberFormat& format) {
    const model::OperatingPoint& point = results.operating.get();
    return {{},
            format.text(model::thousandthsDown(results.operatingX.get())),
            format.text(model::percentTenthsDown(point.eta)),
            format.text(model::wattsDown(point.specificOutput)),
            format.text(model::wattsDown(point.output)),
            {}};
}

Shown shown(const model::Results& results, const rt::NumberFormat& format) {
    const QString characteristic =
        format.text(model::thousandthsDown(results.characteristic.get()));
    Shown values = operatingPoint(results, format);
    values.characteristic = characteristic;
    values.zeroEfficiencyX = format.text(results.zeroEfficiencyX.get());
    return values;
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
        return library::csvRecord(fields, separator);
    }
};

Csv csvFor(ReportFormat format) {
    return format == ReportFormat::Csv ? Csv{u',', pointFormat()} : Csv{u';', commaFormat()};
}

model::Conditions at(const model::Conditions& conditions, int deltaT) {
    model::Conditions shifted = conditions;
    shifted.collectorTemp = rt::Integer::checked(conditions.ambientTemp.value() + deltaT);
    return shifted;
}

QString blocks(const std::vector<model::Collector>& collectors, bool named,
               const std::function<QString(const model::Collector&)>& block) {
    QString text;
    for (const model::Collector& collector : collectors) {
        if (named) {
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) +
                    chart::kInputNames[0].toString() + QStringLiteral(": ") + collector.name +
                    u'\n';
        }
        text += block(collector);
    }
    return text;
}

}  // namespace

QString calcReport(const std::vector<model::Collector>& collectors,
                   const model::Conditions& conditions, const Report& report,
                   const QLocale& locale) {
    const auto inputs = [&](const model::Collector& c, const rt::NumberFormat& f) {
        return QStringList{f.text(c.eta0),
                           f.text(c.a1),
                           f.text(c.a2),
                           f.text(c.area),
                           f.text(conditions.collectorTemp),
                           f.text(conditions.ambientTemp),
                           f.text(conditions.irradiance)};
    };
    const auto results = [&](const Shown& s) {
        return QStringList{s.characteristic, s.x,      s.efficiency,
                           s.specificOutput, s.output, s.zeroEfficiencyX};
    };
    static const QStringList kKeys{QStringLiteral("collector"),
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

    switch (report.format) {
        case ReportFormat::Text: {
            const rt::NumberFormat format(locale);
            return blocks(collectors, report.named, [&](const model::Collector& collector) {
                const chart::ResultTexts texts =
                    chart::formatResults(model::calculate(collector, conditions), format);
                QString text;
                for (std::size_t i = 0; i < chart::kResultNames.size(); ++i) {
                    const auto result = static_cast<chart::Result>(i);
                    text += chart::nameOf(result).toString() + QStringLiteral(": ") +
                            chart::valueOf(texts, result).get() + u'\n';
                }
                return text;
            });
        }
        case ReportFormat::Json: {
            QString text;
            for (const model::Collector& collector : collectors) {
                const QStringList values =
                    QStringList{jsonString(collector.name)} + inputs(collector, pointFormat()) +
                    results(shown(model::calculate(collector, conditions), pointFormat()));
                QList<std::pair<QString, QString>> members;
                for (qsizetype i = 0; i < kKeys.size(); ++i) {
                    members.append({kKeys[i], values[i]});
                }
                text += jsonObject(members) + u'\n';
            }
            return text;
        }
        case ReportFormat::Csv:
        case ReportFormat::CsvHungarian:
            break;
    }
    const Csv csv = csvFor(report.format);
    QString text = csv.line(kKeys);
    for (const model::Collector& collector : collectors) {
        text += csv.line(QStringList{collector.name} + inputs(collector, csv.format) +
                         results(shown(model::calculate(collector, conditions), csv.format)));
    }
    return text;
}

QString tableReport(const std::vector<model::Collector>& collectors,
                    const model::Conditions& conditions, int stepKelvin, const Report& report,
                    const QLocale& locale) {
    const rt::NumberFormat format(locale);
    // Which rows there are is the power table's own rule; the numbers are
    // computed again for the same points.
    const auto rowsOf = [&](const model::Collector& collector) {
        return chart::powerTable(collector, conditions, format, stepKelvin);
    };
    const auto shownRow = [&](const model::Collector& collector, const chart::PowerRow& row,
                              const rt::NumberFormat& numbers) {
        const Shown s =
            operatingPoint(model::calculate(collector, at(conditions, row.deltaT)), numbers);
        return QStringList{QString::number(row.deltaT), s.x, s.efficiency, s.specificOutput,
                           s.output};
    };
    switch (report.format) {
        case ReportFormat::Text:
            return blocks(collectors, report.named, [&](const model::Collector& collector) {
                return chart::powerTablePlainText(rowsOf(collector));
            });
        case ReportFormat::Json: {
            static const QStringList kKeys{
                QStringLiteral("deltaT"), QStringLiteral("x"), QStringLiteral("efficiency"),
                QStringLiteral("specificOutput"), QStringLiteral("output")};
            QString text;
            for (const model::Collector& collector : collectors) {
                QStringList rows;
                for (const chart::PowerRow& row : rowsOf(collector)) {
                    const QStringList values = shownRow(collector, row, pointFormat());
                    QList<std::pair<QString, QString>> members;
                    for (qsizetype i = 0; i < kKeys.size(); ++i) {
                        members.append({kKeys[i], values[i]});
                    }
                    rows << jsonObject(members);
                }
                text += jsonObject({{QStringLiteral("collector"), jsonString(collector.name)},
                                    {QStringLiteral("rows"), rt::jsonArray(rows)}}) +
                        u'\n';
            }
            return text;
        }
        case ReportFormat::Csv:
        case ReportFormat::CsvHungarian:
            break;
    }
    const Csv csv = csvFor(report.format);
    QString text = csv.line({QStringLiteral("collector"), QStringLiteral("deltaT"),
                             QStringLiteral("x"), QStringLiteral("efficiency"),
                             QStringLiteral("specificOutput"), QStringLiteral("output")});
    for (const model::Collector& collector : collectors) {
        for (const chart::PowerRow& row : rowsOf(collector)) {
            text += csv.line(QStringList{collector.name} + shownRow(collector, row, csv.format));
        }
    }
    return text;
}

}  // namespace cli
