#include "annual_texts.h"

#include <QStringList>
#include <array>
#include <cmath>

#include "datasheet_text.h"
#include "runtime/csv_text.h"
#include "runtime/json_text.h"

namespace present {
namespace {

QString quoted(const std::string& text) {
    return QStringLiteral("„%1”").arg(QString::fromStdString(text));
}

constexpr std::array<QStringView, 12> kMonths{u"Január",     u"Február", u"Március",  u"Április",
                                              u"Május",      u"Június",  u"Július",   u"Augusztus",
                                              u"Szeptember", u"Október", u"November", u"December"};

QString skyKey(model::SkyModel sky) {
    return sky == model::SkyModel::HayDavies ? QStringLiteral("hay-davies")
                                             : QStringLiteral("isotropic");
}

// A signed coordinate as a compass direction: "45,5° É", "8° Ny".
QString coordinate(double value, QStringView positive, QStringView negative,
                   const DatasheetNumbers& numbers) {
    return QStringLiteral("%1° %2").arg(numbers.number(std::abs(value)),
                                        value < 0 ? negative : positive);
}

// The digits every format shares, in one locale.
struct RowTexts {
    QString temperature, perArea, perCollector, efficiency;
    QStringList months;
};

RowTexts rowTexts(const model::AnnualYield& row, const DatasheetNumbers& numbers) {
    RowTexts texts{numbers.number(row.meanFluidTemperature, 2),
                   numbers.fixed(row.perSquareMetre, 1),
                   numbers.fixed(row.perCollector, 1),
                   numbers.fixed(row.efficiency * 100, 1),
                   {}};
    for (double month : row.monthlyPerSquareMetre) {
        texts.months << numbers.fixed(month, 1);
    }
    return texts;
}

bool hemisphericalOnly(const CollectorYield& collector) {
    return !collector.rows.empty() && collector.rows.front().fromHemisphericalEta0;
}

QString line(QStringView name, const QString& value) {
    return name.toString() + u'\t' + value + u'\n';
}

QString siteAndPlaneLines(const AnnualResults& r, const DatasheetNumbers& numbers) {
    return line(u"Időjárási fájl", r.site.source) +
           line(u"Földrajzi szélesség", coordinate(r.site.latitude, u"É", u"D", numbers)) +
           line(u"Földrajzi hosszúság", coordinate(r.site.longitude, u"K", u"Ny", numbers)) +
           line(u"Tengerszint feletti magasság",
                numbers.number(r.site.elevation, 1) + QStringLiteral(" m")) +
           line(u"Dőlésszög", numbers.number(r.plane.tilt, 2) + u'°') +
           line(u"Azimut (0° dél, −90° kelet, 90° nyugat)",
                numbers.number(r.plane.azimuth, 2) + u'°') +
           line(u"Albedó", numbers.number(r.plane.albedo, 3)) +
           line(u"Égboltmodell", r.plane.sky == model::SkyModel::HayDavies
                                     ? QStringLiteral("Hay–Davies")
                                     : QStringLiteral("izotróp")) +
           line(u"Éves besugárzás a kollektor síkjában",
                numbers.fixed(r.irradiation, 1) + QStringLiteral(" kWh/m²"));
}

// The collector's table turned: a row per quantity, a column per temperature,
// so that twelve months fit a terminal's width.
QString collectorLines(const CollectorYield& c, const DatasheetNumbers& numbers) {
    QString text = line(u"Napkollektor", c.name);
    if (hemisphericalOnly(c)) {
        text += line(u"Megjegyzés",
                     QStringLiteral("Csak a félgömbi η0 ismert, ezért a számítás η0,b = η0 és "
                                    "Kd = 1 értékkel készült."));
    }
    std::vector<RowTexts> rows;
    for (const model::AnnualYield& row : c.rows) {
        rows.push_back(rowTexts(row, numbers));
    }
    const auto tableLine = [&](QStringView name, const auto& cell) {
        QString out = name.toString();
        for (const RowTexts& row : rows) {
            out += u'\t' + cell(row);
        }
        return out + u'\n';
    };
    text += tableLine(u"Közepes folyadék-hőmérséklet [°C]",
                      [](const RowTexts& r) { return r.temperature; });
    text += tableLine(u"Éves hozam [kWh/m²]", [](const RowTexts& r) { return r.perArea; });
    text +=
        tableLine(u"Éves hozam [kWh/kollektor]", [](const RowTexts& r) { return r.perCollector; });
    text += tableLine(u"Éves hatásfok [%]", [](const RowTexts& r) { return r.efficiency; });
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        text += tableLine(kMonths[m].toString() + QStringLiteral(" [kWh/m²]"),
                          [m](const RowTexts& r) { return r.months[static_cast<qsizetype>(m)]; });
    }
    return text;
}

QStringList monthKeys() {
    QStringList keys;
    for (int m = 1; m <= 12; ++m) {
        keys << QStringLiteral("monthlyPerArea%1").arg(m);
    }
    return keys;
}

QString boolean(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

}  // namespace

QString weatherReason(const model::WeatherProblem& p) {
    using model::WeatherFault;
    const QString text = QString::fromStdString(p.text);
    switch (p.fault) {
        case WeatherFault::Empty:
            return QStringLiteral("a fájl üres");
        case WeatherFault::TooLarge:
            return QStringLiteral(
                "a fájl nagyobb, mint amekkora egy év óránkénti adata lehet "
                "(legfeljebb 64 MiB)");
        case WeatherFault::UnknownFormat:
            return QStringLiteral("ismeretlen formátum: nem PVGIS TMY CSV, EPW vagy TMY3 fájl");
        case WeatherFault::TooFewFields:
            return QStringLiteral("túl kevés mező: %1 kellene, %2 van")
                .arg(p.expected)
                .arg(p.found);
        case WeatherFault::MissingValue:
            return QStringLiteral("hiányzó érték");
        case WeatherFault::NotANumber:
            return QStringLiteral("érvénytelen szám: ") + quoted(p.text);
        case WeatherFault::NotAWholeNumber:
            return QStringLiteral("érvénytelen egész szám: ") + quoted(p.text);
        case WeatherFault::IrradianceBelowLimit:
            return QStringLiteral("a sugárzás nem lehet −1 W/m²-nél kisebb");
        case WeatherFault::Implausible:
            return QStringLiteral("valószerűtlen érték: ") + text;
        case WeatherFault::InvalidTime:
            return QStringLiteral("érvénytelen időpont") +
                   (p.text.empty() ? QString() : QStringLiteral(": ") + quoted(p.text));
        case WeatherFault::HourCount:
            return QStringLiteral("a fájlnak 8760 vagy 8784 órát kell tartalmaznia, ebben %1 van")
                .arg(p.found);
        case WeatherFault::UnexpectedHour:
            return QStringLiteral("nem a várt óra: itt %1-%2 %3 h következne")
                .arg(p.month, 2, 10, QChar(u'0'))
                .arg(p.day, 2, 10, QChar(u'0'))
                .arg(p.hour, 2, 10, QChar(u'0'));
        case WeatherFault::MissingColumn:
            return QStringLiteral("hiányzó oszlop: ") + text;
        case WeatherFault::MissingColumnHeader:
            return QStringLiteral("hiányzik az oszlopfejléc: time(UTC),…");
        case WeatherFault::MissingHeaderValue:
            return QStringLiteral("hiányzik a fejlécből: ") + text;
        case WeatherFault::NoDataPeriods:
            return QStringLiteral("a 8. sornak a DATA PERIODS sornak kell lennie");
    }
    return {};
}

QString weatherRefusal(const model::WeatherError& error) {
    return QStringLiteral("%1:%2:%3: %4")
        .arg(QString::fromStdString(error.file()))
        .arg(error.line())
        .arg(error.column())
        .arg(weatherReason(error.problem()));
}

QString yieldReason(model::YieldFault fault) {
    switch (fault) {
        case model::YieldFault::HoursOutOfMonthOrder:
            return QStringLiteral("az órák nem hónapok szerinti sorrendben követik egymást");
        case model::YieldFault::TemperatureOutOfRange:
            return QStringLiteral(
                       "a közepes folyadék-hőmérsékletnek %1 és %2 °C között kell lennie")
                .arg(model::kLowestFluidTemperature)
                .arg(model::kHighestFluidTemperature);
        case model::YieldFault::NoLongwave:
            return QStringLiteral(
                "az a4 együtthatóhoz hosszúhullámú sugárzás kell, az időjárási fájlban nincs");
    }
    return {};
}

QString incidenceReason(model::IncidenceFault fault) {
    switch (fault) {
        case model::IncidenceFault::CountMismatch:
            return QStringLiteral("a szögek és a módosítók száma eltér");
        case model::IncidenceFault::AnglesOutOfOrder:
            return QStringLiteral("a szögeknek 0° és 90° között, növekvő sorrendben kell lenniük");
        case model::IncidenceFault::NegativeValue:
            return QStringLiteral("a beesésiszög-módosító nem lehet negatív");
        case model::IncidenceFault::TooManyValues:
            return QStringLiteral("legfeljebb kilenc érték adható meg, 10° és 90° között");
        case model::IncidenceFault::B0OutOfRange:
            return QStringLiteral("a b0-nak 0 és 1 között kell lennie");
        case model::IncidenceFault::K50OutOfRange:
            return QStringLiteral("a K50-nek 0-nál nagyobbnak és legfeljebb 1-nek kell lennie");
    }
    return {};
}

AnnualSite siteOf(const model::WeatherYear& weather) {
    return {QString::fromStdString(weather.source), weather.latitude, weather.longitude,
            weather.elevation};
}

QString annualPlainText(const AnnualResults& results, const QLocale& locale) {
    const DatasheetNumbers numbers(locale);
    QString text = siteAndPlaneLines(results, numbers);
    for (const CollectorYield& collector : results.collectors) {
        text += u'\n' + collectorLines(collector, numbers);
    }
    return text;
}

QString annualCsv(const AnnualResults& r, AnnualCsvStyle style) {
    const bool point = style == AnnualCsvStyle::Point;
    const DatasheetNumbers numbers(point ? QLocale::c()
                                         : QLocale(QLocale::Hungarian, QLocale::Hungary));
    const QChar separator = point ? u',' : u';';
    const QStringList site{numbers.number(r.site.latitude),     numbers.number(r.site.longitude),
                           numbers.number(r.site.elevation, 1), r.site.source,
                           numbers.number(r.plane.tilt, 2),     numbers.number(r.plane.azimuth, 2),
                           numbers.number(r.plane.albedo, 3),   skyKey(r.plane.sky),
                           numbers.fixed(r.irradiation, 1)};
    QString text = rt::csvRecord(
        QStringList{QStringLiteral("collector"), QStringLiteral("meanTemperature"),
                    QStringLiteral("perArea"), QStringLiteral("perCollector"),
                    QStringLiteral("annualEfficiency")} +
            monthKeys() +
            QStringList{QStringLiteral("hemisphericalEta0Only"), QStringLiteral("latitude"),
                        QStringLiteral("longitude"), QStringLiteral("elevation"),
                        QStringLiteral("source"), QStringLiteral("tilt"), QStringLiteral("azimuth"),
                        QStringLiteral("albedo"), QStringLiteral("sky"),
                        QStringLiteral("irradiation")},
        separator);
    for (const CollectorYield& c : r.collectors) {
        for (const model::AnnualYield& row : c.rows) {
            const RowTexts t = rowTexts(row, numbers);
            text += rt::csvRecord(
                QStringList{c.name, t.temperature, t.perArea, t.perCollector, t.efficiency} +
                    t.months + QStringList{boolean(hemisphericalOnly(c))} + site,
                separator);
        }
    }
    return text;
}

QString annualJson(const AnnualResults& r) {
    const DatasheetNumbers numbers(QLocale::c());
    const QString site = rt::jsonObject({
        {QStringLiteral("latitude"), numbers.number(r.site.latitude)},
        {QStringLiteral("longitude"), numbers.number(r.site.longitude)},
        {QStringLiteral("elevation"), numbers.number(r.site.elevation, 1)},
        {QStringLiteral("source"), rt::jsonString(r.site.source)},
    });
    const QString plane = rt::jsonObject({
        {QStringLiteral("tilt"), numbers.number(r.plane.tilt, 2)},
        {QStringLiteral("azimuth"), numbers.number(r.plane.azimuth, 2)},
        {QStringLiteral("albedo"), numbers.number(r.plane.albedo, 3)},
        {QStringLiteral("sky"), rt::jsonString(skyKey(r.plane.sky))},
        {QStringLiteral("irradiation"), numbers.fixed(r.irradiation, 1)},
    });
    QString text;
    for (const CollectorYield& c : r.collectors) {
        QStringList rows;
        for (const model::AnnualYield& row : c.rows) {
            const RowTexts t = rowTexts(row, numbers);
            rows << rt::jsonObject({{QStringLiteral("meanTemperature"), t.temperature},
                                    {QStringLiteral("perArea"), t.perArea},
                                    {QStringLiteral("perCollector"), t.perCollector},
                                    {QStringLiteral("annualEfficiency"), t.efficiency},
                                    {QStringLiteral("monthlyPerArea"), rt::jsonArray(t.months)}});
        }
        text += rt::jsonObject(
                    {{QStringLiteral("site"), site},
                     {QStringLiteral("plane"), plane},
                     {QStringLiteral("collector"), rt::jsonString(c.name)},
                     {QStringLiteral("hemisphericalEta0Only"), boolean(hemisphericalOnly(c))},
                     {QStringLiteral("rows"), rt::jsonArray(rows)}}) +
                u'\n';
    }
    return text;
}

}  // namespace present
