#include "annual_command.h"

#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "collector_input.h"
#include "input_file.h"
#include "library/stored_calculation.h"
#include "library_commands.h"
#include "model/annual_yield.h"
#include "model/datasheet.h"
#include "model/incidence_modifier.h"
#include "model/weather_file.h"
#include "option_values.h"
#include "present/annual_texts.h"
#include "present/datasheet_text.h"

namespace cli {
namespace {

// The options shared with --calc and --datasheet, by their names.
const QString kCollector = QStringLiteral("collector");
const QString kLibrary = QStringLiteral("library");
const QString kInput = QStringLiteral("input");
const QString kJson = QStringLiteral("json");
const QString kCsv = QStringLiteral("csv");
const QString kCsvHungarian = QStringLiteral("csv-hu");

// present/ words a reason as a clause, to follow "file:line:column: "; after
// "--option: " it becomes a sentence.
QString sentence(QString clause) {
    if (!clause.isEmpty()) {
        clause[0] = clause[0].toUpper();
    }
    return clause + u'.';
}

// The options that mean another command, or a sheet's table the year has no use for.
std::optional<QString> refuseOtherCommands(const QCommandLineParser& parser,
                                           const DatasheetOptions& d) {
    const QStringList others{QStringLiteral("calc"),           QStringLiteral("table"),
                             QStringLiteral("collector-temp"), QStringLiteral("ambient-temp"),
                             QStringLiteral("irradiance"),     QStringLiteral("step")};
    QStringList sheetOnly;
    for (const QCommandLineOption& option :
         {d.datasheet, d.reference, d.grossArea, d.apertureArea, d.deltaT, d.beam, d.diffuse}) {
        sheetOnly << nameOf(option);
    }
    for (const QString& name : others + sheetOnly) {
        if (parser.isSet(name)) {
            return QStringLiteral("--%1: az --annual mellett nem adható meg!").arg(name);
        }
    }
    if (int(parser.isSet(kJson)) + int(parser.isSet(kCsv)) + int(parser.isSet(kCsvHungarian)) > 1) {
        return QStringLiteral("A --json, a --csv és a --csv-hu közül csak az egyik adható meg!");
    }
    if (!parser.isSet(QStringLiteral("weather"))) {
        return QStringLiteral("--annual: Meg kell adni mellé az időjárási fájlt (--weather FÁJL).");
    }
    return std::nullopt;
}

// The plane and the temperatures, each within its range.
struct Setting {
    model::Plane plane;
    std::vector<double> temperatures{model::kDefaultFluidTemperatures.begin(),
                                     model::kDefaultFluidTemperatures.end()};
};

std::optional<QString> readSetting(const QCommandLineParser& parser, const AnnualOptions& o,
                                   Setting& setting) {
    OptionReader reader(parser);
    model::Plane& plane = setting.plane;
    reader.number(nameOf(o.tilt), plane.tilt);
    reader.number(nameOf(o.azimuth), plane.azimuth);
    reader.number(nameOf(o.albedo), plane.albedo);
    reader.list(nameOf(o.meanTemps), setting.temperatures);
    if (reader.refusal()) {
        return reader.refusal();
    }
    const struct {
        const QCommandLineOption& option;
        double value, lowest, highest;
        const char* message;
    } ranges[] = {
        {o.tilt, plane.tilt, 0, 90, "A dőlésszög 0° és 90° között lehet."},
        {o.azimuth, plane.azimuth, -180, 180, "Az azimut −180° és 180° között lehet."},
        {o.albedo, plane.albedo, 0, 1, "Az albedó 0 és 1 között lehet."},
    };
    for (const auto& r : ranges) {
        if (!(r.value >= r.lowest && r.value <= r.highest)) {
            return QStringLiteral("--%1: %2").arg(nameOf(r.option), QString::fromUtf8(r.message));
        }
    }
    if (parser.isSet(o.sky)) {
        const QString sky = parser.value(o.sky);
        if (sky != u"hay-davies" && sky != u"isotropic") {
            return QStringLiteral("--sky: Értéke hay-davies vagy isotropic lehet.");
        }
        plane.sky = sky == u"isotropic" ? model::SkyModel::Isotropic : model::SkyModel::HayDavies;
    }
    const model::Range temperatures{model::kLowestFluidTemperature, true,
                                    model::kHighestFluidTemperature};
    if (setting.temperatures.empty()) {
        return QStringLiteral("--mean-temps: Legalább egy hőmérsékletet meg kell adni.");
    }
    for (double t : setting.temperatures) {
        if (!temperatures.contains(t)) {
            return QStringLiteral("--mean-temps: Minden közepes folyadék-hőmérséklet %1 lehet.")
                .arg(present::rangeText(temperatures, u"°C"));
        }
    }
    return std::nullopt;
}

// The modifier the --iam- options give; none when none is given.
std::variant<std::optional<model::IncidenceModifier>, QString> readModifier(
    const QCommandLineParser& parser, const AnnualOptions& o) {
    using model::AngleTable;
    using model::IncidenceModifier;
    const bool transversal = parser.isSet(o.iamTransversal);
    if (transversal != parser.isSet(o.iamLongitudinal)) {
        return QStringLiteral(
            "Az --iam-transversal és az --iam-longitudinal csak együtt adható "
            "meg!");
    }
    if (int(parser.isSet(o.iamB0)) + int(parser.isSet(o.iamK50)) + int(parser.isSet(o.iamTable)) +
            int(transversal) >
        1) {
        return QStringLiteral(
            "Az --iam-b0, az --iam-k50, az --iam-table és az --iam-transversal "
            "közül csak az egyik adható meg!");
    }
    if (!parser.isSet(o.iamB0) && !parser.isSet(o.iamK50) && !parser.isSet(o.iamTable) &&
        !transversal) {
        return std::optional<IncidenceModifier>();
    }
    OptionReader reader(parser);
    double value = 0;
    std::vector<double> across, along;
    reader.number(nameOf(o.iamB0), value);
    reader.number(nameOf(o.iamK50), value);
    reader.list(nameOf(o.iamTable), across);
    reader.list(nameOf(o.iamTransversal), across);
    reader.list(nameOf(o.iamLongitudinal), along);
    if (reader.refusal()) {
        return *reader.refusal();
    }
    // An empty table would still make a modifier, the straight line from 1 to 0.
    for (const QCommandLineOption* table : {&o.iamTable, &o.iamTransversal, &o.iamLongitudinal}) {
        if (parser.isSet(*table) && (table == &o.iamLongitudinal ? along : across).empty()) {
            return QStringLiteral("--%1: Legalább egy értéket meg kell adni.").arg(nameOf(*table));
        }
    }
    // The option a refusal names: the first table that fails.
    const QCommandLineOption* current = &o.iamB0;
    try {
        if (parser.isSet(o.iamB0)) {
            return IncidenceModifier::fromB0(value);
        }
        current = &o.iamK50;
        if (parser.isSet(o.iamK50)) {
            return IncidenceModifier::fromK50(value);
        }
        current = transversal ? &o.iamTransversal : &o.iamTable;
        AngleTable first = AngleTable::everyTenDegrees(across);
        if (!transversal) {
            return IncidenceModifier::fromTable(std::move(first));
        }
        current = &o.iamLongitudinal;
        return IncidenceModifier::biaxial(std::move(first), AngleTable::everyTenDegrees(along));
    } catch (const model::IncidenceError& error) {
        return QStringLiteral("--%1: %2")
            .arg(nameOf(*current), sentence(present::incidenceReason(error.fault())));
    }
}

// One collector to compute: from the options or the library.
struct Named {
    QString name;
    model::ThermalCollector collector;
};

model::ThermalCollector thermalOf(const model::DatasheetInput& input) {
    const bool beam = input.peak == model::PeakEfficiency::Beam;
    const std::optional<double>& area =
        input.reference == model::ReferenceArea::Gross ? input.grossArea : input.apertureArea;
    return {.eta0b = input.eta0,
            .kd = beam ? input.kd : 1.0,
            .hemisphericalOnly = !beam,
            .a1 = input.a1,
            .a2 = input.a2,
            .area = area.value_or(1.0)};
}

// The collector options --collector and --input leave no place for.
const QStringList kCoefficientOptions{
    QStringLiteral("type"), QStringLiteral("eta0"), QStringLiteral("eta0b"), QStringLiteral("kd"),
    QStringLiteral("a1"),   QStringLiteral("a2"),   QStringLiteral("area")};

// The one collector of a command line without --input; `said` receives what
// taking over an earlier library says.
std::variant<Named, Outcome> singleCollector(const QCommandLineParser& parser,
                                             const DatasheetOptions& d, QString* said) {
    if (!parser.isSet(kCollector)) {
        auto input = optionCollector(parser, d);
        if (const QString* refusal = std::get_if<QString>(&input)) {
            return refused(*refusal);
        }
        const auto& checked = std::get<model::DatasheetInput>(input);
        return Named{checked.collector, thermalOf(checked)};
    }
    for (const QString& name : kCoefficientOptions) {
        if (parser.isSet(name)) {
            return refused(QStringLiteral("--%1: a --collector mellett nem adható meg, a "
                                          "kollektort a kollektorkönyvtár adja.")
                               .arg(name));
        }
    }
    const QString name = parser.value(kCollector);
    QString adopted;
    auto found = findStoredCollector(
        name, parser.isSet(kLibrary) ? parser.value(kLibrary) : QString(), &adopted);
    if (const Outcome* refusal = std::get_if<Outcome>(&found)) {
        return *refusal;
    }
    *said = adopted.isEmpty() ? QString() : adopted + u'\n';
    auto converted = library::thermalCollector(std::get<library::Collector>(found));
    if (const auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
        return refused(QStringLiteral("--collector: %1: %2")
                           .arg(printable(name), library::describe(*refusal)));
    }
    return Named{std::get<library::Collector>(found).name,
                 std::get<model::ThermalCollector>(converted)};
}

// The weather file read and refused in its own words: "file:line:column: reason".
std::variant<model::WeatherYear, Outcome> readWeatherFile(const QString& name) {
    QString error;
    const std::unique_ptr<QFile> file = openInputFile(name, &error);
    if (!file) {
        return refused(error);
    }
    // One byte past the largest year is enough to refuse a file too large.
    const QByteArray bytes = file->read(model::kLargestWeatherFile + 1);
    try {
        return model::readWeather(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            name.toStdString());
    } catch (const model::WeatherError& refusal) {
        return refused(present::weatherRefusal(refusal));
    }
}

QString report(const present::AnnualResults& results, const QCommandLineParser& parser,
               const QLocale& locale) {
    if (parser.isSet(kJson)) {
        return present::annualJson(results);
    }
    if (parser.isSet(kCsv) || parser.isSet(kCsvHungarian)) {
        return present::annualCsv(results, parser.isSet(kCsv) ? present::AnnualCsvStyle::Point
                                                              : present::AnnualCsvStyle::Hungarian);
    }
    return present::annualPlainText(results, locale);
}

}  // namespace

QList<QCommandLineOption> AnnualOptions::all() const {
    return {annual,    weather, tilt,   azimuth,  albedo,         sky,
            meanTemps, iamB0,   iamK50, iamTable, iamTransversal, iamLongitudinal};
}

std::optional<QString> annualOptionWithoutAnnual(const QCommandLineParser& parser,
                                                 const AnnualOptions& options) {
    for (const QCommandLineOption& option : options.all()) {
        if (parser.isSet(option) && !parser.isSet(options.annual)) {
            return QStringLiteral("--%1: csak az --annual mellett adható meg!").arg(nameOf(option));
        }
    }
    return std::nullopt;
}

QString annualHelp() {
    return QStringLiteral(
        "Éves hozam (--annual):\n"
        "A napkollektor egy évi hőhozama egy időjárási fájl óránkénti adataiból,\n"
        "állandó közepes folyadék-hőmérsékleten és folyamatos hőelvétel mellett:\n"
        "hőmérsékletenként az éves hozam m²-enként és kollektoronként, az éves\n"
        "hatásfok és a havi hozamok m²-enként. A kollektort a --type, --eta0 vagy\n"
        "--eta0b és --kd, --a1, --a2 és --area (a --datasheet tartományaival), a\n"
        "--collector NÉV vagy az --input FÁJL adja. Ha csak a félgömbi η0 ismert, a\n"
        "számítás η0,b = η0 és Kd = 1 értékkel készül, és az eredmény ezt jelzi.\n"
        "  --weather FÁJL      időjárási fájl: PVGIS TMY CSV, EPW vagy TMY3 CSV, egy év\n"
        "                      (8760 vagy 8784 óra); - a szabványos bemenet; kötelező\n"
        "  --tilt FOK          a kollektor síkjának dőlésszöge, 0 (vízszintes) és 90\n"
        "                      között, alapértéke 45\n"
        "  --azimuth FOK       a sík azimutja, −180 és 180 között: 0 dél, −90 kelet,\n"
        "                      90 nyugat; alapértéke 0\n"
        "  --albedo V          a talaj fényvisszaverő képessége, 0 és 1 között,\n"
        "                      alapértéke 0,2\n"
        "  --sky MODELL        égboltmodell: hay-davies (alapértelmezés) vagy isotropic\n"
        "  --mean-temps LISTA  a közepes folyadék-hőmérsékletek, °C, 0 és 150 között,\n"
        "                      vesszővel elválasztva (tizedesvesszős számoknál\n"
        "                      pontosvesszővel); alapértéke 25; 50; 75 °C\n"
        "  --iam-b0 V          beesésiszög-módosító a b0 együtthatóval, 0 és 1 között:\n"
        "                      Kθb = 1 − b0·(1/cos θ − 1)\n"
        "  --iam-k50 V         beesésiszög-módosító az 50°-nál mért értékéből (K50),\n"
        "                      0-nál nagyobb, legfeljebb 1\n"
        "  --iam-table LISTA   a beesésiszög-módosító 10°, 20°, … 90°-nál, legfeljebb\n"
        "                      kilenc érték, köztük lineárisan; 0°-nál 1, a meg nem\n"
        "                      adott 90°-nál 0\n"
        "  --iam-transversal LISTA és --iam-longitudinal LISTA\n"
        "                      vákuumcsöves kollektorhoz: a csövekre merőleges és a\n"
        "                      csövekkel párhuzamos síkban, mint az --iam-table;\n"
        "                      csak együtt adhatók meg\n"
        "                      A beesésiszög-módosító kapcsolói közül csak egy adható\n"
        "                      meg, és felülírja a tárolt kollektorét. Nélkülük a\n"
        "                      tárolt kollektor módosítójával, ennek hiányában\n"
        "                      módosító nélkül (Kθb = 1) számol.\n"
        "  --json              kollektoronként egy JSON-objektum egy sorban: {\"site\":\n"
        "                      {\"latitude\", \"longitude\", \"elevation\", \"source\"},\n"
        "                      \"plane\": {\"tilt\", \"azimuth\", \"albedo\", \"sky\",\n"
        "                      \"irradiation\"}, \"collector\", \"hemisphericalEta0Only\",\n"
        "                      \"rows\": [{\"meanTemperature\", \"perArea\", \"perCollector\",\n"
        "                      \"annualEfficiency\", \"monthlyPerArea\"}]}; kWh/m², kWh, %\n"
        "  --csv, --csv-hu     kollektoronként és hőmérsékletenként egy sor, a\n"
        "                      helyszínnel és a síkkal\n");
}

Outcome runAnnual(const QCommandLineParser& parser, const AnnualOptions& o,
                  const DatasheetOptions& d, const QLocale& locale) {
    if (const std::optional<QString> refusal = refuseOtherCommands(parser, d)) {
        return refused(*refusal);
    }
    Setting setting;
    if (const std::optional<QString> refusal = readSetting(parser, o, setting)) {
        return refused(*refusal);
    }
    auto modifier = readModifier(parser, o);
    if (const QString* refusal = std::get_if<QString>(&modifier)) {
        return refused(*refusal);
    }
    const auto& iam = std::get<std::optional<model::IncidenceModifier>>(modifier);
    const bool input = parser.isSet(kInput);
    for (const QString& name : kCoefficientOptions + QStringList{kCollector}) {
        if (input && parser.isSet(name)) {
            return refused(QStringLiteral("--%1: az --input mellett nem adható meg, a "
                                          "kollektorokat a fájl adja!")
                               .arg(name));
        }
    }
    Outcome outcome;
    std::optional<Named> single;
    if (!input) {
        auto chosen = singleCollector(parser, d, &outcome.standardError);
        if (const Outcome* refusal = std::get_if<Outcome>(&chosen)) {
            return *refusal;
        }
        single = std::get<Named>(std::move(chosen));
    }
    auto weather = readWeatherFile(parser.value(o.weather));
    if (const Outcome* refusal = std::get_if<Outcome>(&weather)) {
        return *refusal;
    }
    const auto& year = std::get<model::WeatherYear>(weather);
    const model::PreparedYear prepared = model::prepareYear(year, setting.plane);
    present::AnnualResults results{present::siteOf(year), setting.plane, prepared.irradiation, {}};
    const auto compute = [&](const QString& name, model::ThermalCollector collector) {
        if (iam) {
            collector.beamModifier = *iam;
        }
        try {
            results.collectors.push_back(
                {name, model::annualYield(prepared, collector, setting.temperatures)});
        } catch (const model::YieldError& error) {
            outcome.status = kUsageError;
            outcome.standardError +=
                QStringLiteral("%1: %2\n")
                    .arg(printable(name), sentence(present::yieldReason(error.fault())));
        }
    };
    if (single) {
        compute(single->name, single->collector);
    } else {
        QString error;
        const QString name = parser.value(kInput);
        const std::unique_ptr<QFile> file = openInputFile(name, &error);
        if (!file) {
            return refused(error);
        }
        const InputReport read = readThermalCollectors(*file, name, compute);
        for (const QString& line : read.notes + read.refusals) {
            outcome.standardError += line + u'\n';
        }
        if (!read.refusals.isEmpty()) {
            outcome.status = kUsageError;
        } else if (read.accepted == 0) {
            outcome.status = kUsageError;
            outcome.standardError += QStringLiteral("%1: nincs benne kollektor.\n").arg(name);
        }
    }
    if (!results.collectors.empty()) {
        outcome.standardOutput = report(results, parser, locale);
    }
    return outcome;
}

}  // namespace cli
