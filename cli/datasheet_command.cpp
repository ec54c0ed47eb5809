#include "datasheet_command.h"

#include <cmath>
#include <variant>
#include <vector>

#include "datasheet_report.h"
#include "library/stored_calculation.h"
#include "library_commands.h"
#include "model/datasheet.h"
#include "model/presets.h"
#include "option_values.h"
#include "present/datasheet_text.h"

namespace cli {
namespace {

using model::DatasheetField;
using model::PeakEfficiency;
using model::ReferenceArea;

constexpr int kCustomRow = static_cast<int>(model::kCollectorTypes.size()) - 1;

// The shared options, by the names --calc and --table give them.
const QString kType = QStringLiteral("type");
const QString kEta0 = QStringLiteral("eta0");
const QString kA1 = QStringLiteral("a1");
const QString kA2 = QStringLiteral("a2");
const QString kArea = QStringLiteral("area");
const QString kJson = QStringLiteral("json");

QString dashed(const QString& name) {
    return QStringLiteral("--") + name;
}

// The collector that --type and the coefficient options choose: the window's
// start collector, a preset row, or the custom row's values under the ones
// given. The refusal's text where they contradict each other.
std::optional<QString> chooseCollector(const QCommandLineParser& parser, const DatasheetOptions& o,
                                       model::DatasheetInput& input) {
    std::optional<int> type;
    if (parser.isSet(kType)) {
        bool ok = false;
        type = parser.value(kType).toInt(&ok);
        if (!ok || *type < 0 || *type > kCustomRow) {
            return QStringLiteral("--type: adjon meg 0 és %1 közötti egész számot!")
                .arg(kCustomRow);
        }
    }
    const bool custom = parser.isSet(kEta0) || parser.isSet(o.eta0b) || parser.isSet(o.kd) ||
                        parser.isSet(kA1) || parser.isSet(kA2);
    if (custom && type && *type != kCustomRow) {
        return QStringLiteral(
                   "Az --eta0, --eta0b, --kd, --a1 és --a2 csak az egyedi kollektorhoz (--type %1) "
                   "adható meg!")
            .arg(kCustomRow);
    }
    if (parser.isSet(kEta0) && parser.isSet(o.eta0b)) {
        return QStringLiteral("Az --eta0 és az --eta0b közül csak az egyik adható meg!");
    }
    // A sheet that prints η0,b prints Kd beside it: neither is guessed.
    if (parser.isSet(o.kd) && !parser.isSet(o.eta0b)) {
        return QStringLiteral("--kd: csak az --eta0b mellett adható meg!");
    }
    if (parser.isSet(o.eta0b) && !parser.isSet(o.kd)) {
        return QStringLiteral("--eta0b: csak a --kd-vel együtt adható meg!");
    }
    input.peak = parser.isSet(o.eta0b) ? PeakEfficiency::Beam : PeakEfficiency::Hemispherical;
    const int row = custom ? kCustomRow : type.value_or(model::kStartRow);
    const model::CollectorType& preset = model::kCollectorTypes[static_cast<std::size_t>(row)];
    input.collector = preset.name.toString();
    const bool startCollector = !custom && !type;
    input.eta0 = (startCollector ? model::kStartCoefficients.eta0 : preset.eta0).toDouble();
    input.a1 = (startCollector ? model::kStartCoefficients.a1 : preset.a1).toDouble();
    input.a2 = (startCollector ? model::kStartCoefficients.a2 : preset.a2).toDouble();
    return std::nullopt;
}

// The refusal of the options --datasheet does not take with it.
std::optional<Outcome> refuseWindowOptions(const QCommandLineParser& parser,
                                           const DatasheetOptions& o) {
    // The window's modes and operating point have no place in the sheet's table.
    for (const char* name :
         {"calc", "table", "collector-temp", "ambient-temp", "irradiance", "step", "input"}) {
        if (parser.isSet(QString::fromLatin1(name))) {
            return refused(QStringLiteral("--%1: a --datasheet mellett nem adható meg!")
                               .arg(QString::fromLatin1(name)));
        }
    }
    if (int(parser.isSet(kJson)) + int(parser.isSet(o.csv)) + int(parser.isSet(o.csvHungarian)) >
        1) {
        return refused(
            QStringLiteral("A --json, a --csv és a --csv-hu közül csak az egyik adható meg!"));
    }
    return std::nullopt;
}

// The stored collector whole: its coefficients, reference and areas, which
// no option may change. `said` receives what taking over an earlier library
// says.
std::variant<model::DatasheetInput, Outcome> storedInput(const QCommandLineParser& parser,
                                                         const DatasheetOptions& o,
                                                         const QString& storedName,
                                                         const QString& libraryPath,
                                                         QString* said) {
    for (const QString& name :
         {kType, kEta0, nameOf(o.eta0b), nameOf(o.kd), kA1, kA2, nameOf(o.reference), kArea,
          nameOf(o.grossArea), nameOf(o.apertureArea)}) {
        if (parser.isSet(name)) {
            return refused(QStringLiteral("%1: a --collector mellett nem adható meg, a "
                                          "kollektort a kollektorkönyvtár adja.")
                               .arg(dashed(name)));
        }
    }
    QString adopted;
    std::variant<library::Collector, Outcome> found =
        findStoredCollector(storedName, libraryPath, &adopted);
    if (const Outcome* refusal = std::get_if<Outcome>(&found)) {
        return *refusal;
    }
    *said = adopted.isEmpty() ? QString() : adopted + u'\n';
    auto converted = library::datasheetInput(std::get<library::Collector>(found));
    if (const auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
        return refused(QStringLiteral("--collector: %1: %2")
                           .arg(printable(storedName), library::describe(*refusal)));
    }
    return std::get<model::DatasheetInput>(std::move(converted));
}

// The options that set the fields whose option depends on the input: the
// peak efficiency's, and --area standing for the reference area's own.
struct FieldOptions {
    QString eta0;
    QString grossArea;
    QString apertureArea;
};

// Reads the options' values into `input`, the reference first, since the
// areas' options follow it; the first refusal, naming its option.
std::optional<QString> readValues(const QCommandLineParser& parser, const DatasheetOptions& o,
                                  bool stored, model::DatasheetInput& input, FieldOptions& names) {
    OptionReader reader(parser);
    names.eta0 = input.peak == PeakEfficiency::Beam ? nameOf(o.eta0b) : kEta0;
    reader.number(names.eta0, input.eta0);
    reader.number(nameOf(o.kd), input.kd);
    reader.number(kA1, input.a1);
    reader.number(kA2, input.a2);
    if (parser.isSet(o.reference)) {
        const QString kind = parser.value(o.reference);
        if (kind == u"aperture") {
            input.reference = ReferenceArea::Aperture;
        } else if (kind != u"gross") {
            reader.refuse(nameOf(o.reference), QStringLiteral("értéke gross vagy aperture lehet!"));
        }
    }
    // --area is the reference area's own option under the window's name.
    const bool gross = input.reference == ReferenceArea::Gross;
    const bool area = parser.isSet(kArea);
    names.grossArea = area && gross ? kArea : nameOf(o.grossArea);
    names.apertureArea = area && !gross ? kArea : nameOf(o.apertureArea);
    if (area && parser.isSet(gross ? o.grossArea : o.apertureArea)) {
        reader.refuse(kArea, gross ? QStringLiteral("a --gross-area mellett nem adható meg, "
                                                    "mindkettő a bruttó felület!")
                                   : QStringLiteral("az --aperture-area mellett nem adható meg, "
                                                    "mindkettő az apertúrafelület!"));
    }
    if (!stored && !area && !parser.isSet(o.grossArea) && !parser.isSet(o.apertureArea)) {
        (gross ? input.grossArea : input.apertureArea) =
            model::kStartCoefficients.collectorArea.toDouble();
    }
    reader.number(names.grossArea, input.grossArea);
    reader.number(names.apertureArea, input.apertureArea);
    reader.list(nameOf(o.deltaT), input.deltaT);
    reader.number(nameOf(o.beam), input.beam);
    reader.number(nameOf(o.diffuse), input.diffuse);
    return reader.refusal();
}

// The option a problem of the sheet's check is reported on.
QString optionOf(DatasheetField field, const FieldOptions& names, const DatasheetOptions& o) {
    switch (field) {
        case DatasheetField::Eta0:
            return names.eta0;
        case DatasheetField::Kd:
            return nameOf(o.kd);
        case DatasheetField::A1:
            return kA1;
        case DatasheetField::A2:
            return kA2;
        case DatasheetField::GrossArea:
            return names.grossArea;
        case DatasheetField::ApertureArea:
            return names.apertureArea;
        case DatasheetField::DeltaT:
            return nameOf(o.deltaT);
        case DatasheetField::Beam:
            return nameOf(o.beam);
        case DatasheetField::Diffuse:
            return nameOf(o.diffuse);
    }
    return QString();
}

// Reads the options' values into `input` and checks them in the sheet's
// ranges; the first refusal, naming its option.
std::optional<QString> checkedValues(const QCommandLineParser& parser, const DatasheetOptions& o,
                                     bool stored, model::DatasheetInput& input) {
    FieldOptions names;
    if (std::optional<QString> refusal = readValues(parser, o, stored, input, names)) {
        return refusal;
    }
    if (const std::vector<model::DatasheetProblem> problems = model::checkDatasheet(input);
        !problems.empty()) {
        const model::DatasheetProblem& first = problems.front();
        return QStringLiteral("%1: %2").arg(dashed(optionOf(first.field, names, o)),
                                            present::problemText(first, input.peak));
    }
    return std::nullopt;
}

DatasheetFormat datasheetFormat(const QCommandLineParser& parser, const DatasheetOptions& o) {
    return parser.isSet(kJson)            ? DatasheetFormat::Json
           : parser.isSet(o.csv)          ? DatasheetFormat::Csv
           : parser.isSet(o.csvHungarian) ? DatasheetFormat::CsvHungarian
                                          : DatasheetFormat::Text;
}

}  // namespace

QList<QCommandLineOption> DatasheetOptions::all() const {
    return {datasheet, eta0b, kd,      reference, grossArea,   apertureArea,
            deltaT,    beam,  diffuse, csv,       csvHungarian};
}

std::optional<QString> datasheetOptionWithoutDatasheet(const QCommandLineParser& parser,
                                                       const DatasheetOptions& options) {
    for (const QCommandLineOption& option : options.all()) {
        // The output formats are shared with --calc and --table.
        if (parser.isSet(option) && option.names() != options.csv.names() &&
            option.names() != options.csvHungarian.names()) {
            const bool annual =
                option.names() == options.eta0b.names() || option.names() == options.kd.names();
            return QStringLiteral("%1: csak a --datasheet%2 mellett adható meg!")
                .arg(dashed(nameOf(option)),
                     annual ? QStringLiteral(" vagy az --annual") : QString());
        }
    }
    return std::nullopt;
}

std::variant<model::DatasheetInput, QString> optionCollector(const QCommandLineParser& parser,
                                                             const DatasheetOptions& options) {
    model::DatasheetInput input;
    if (std::optional<QString> refusal = chooseCollector(parser, options, input)) {
        return *refusal;
    }
    if (std::optional<QString> refusal = checkedValues(parser, options, false, input)) {
        return *refusal;
    }
    return input;
}

QString datasheetHelp() {
    return QStringLiteral(
        "Adatlap (--datasheet):\n"
        "A tanúsított napkollektor-adatlapok (ISO 9806:2017) teljesítménytáblázata az\n"
        "adatlap saját számításával, nem az ablakéval: ΔT-nként a teljesítmény\n"
        "kollektoronként (W) és a bruttó, illetve az apertúrafelület m²-ére (W/m²), a\n"
        "hatásfok mindkét felületre, valamint a stagnálási hőmérséklet becslése\n"
        "(G = 1000 W/m², környezeti hőmérséklet 30 °C). A --type, --eta0, --a1, --a2\n"
        "és --area itt is megadható, de az ablak tartományai helyett az adatlapéi\n"
        "érvényesek: 0 < η0 ≤ 1, 0 ≤ a1 ≤ 100 W/(m²·K), 0 ≤ a2 ≤ 1 W/(m²·K²). A --calc,\n"
        "--table, --collector-temp, --ambient-temp, --irradiance és --step itt nem\n"
        "adható meg. A --collector NÉV a tárolt kollektor minden adatát veszi; mellette\n"
        "csak a --delta-t, --beam, --diffuse és a kimenet formája adható meg.\n"
        "  --eta0b V           η0,b, optikai hatásfok direkt sugárzásra, 0 < η0,b ≤ 1;\n"
        "                      az --eta0 helyett, a --kd-vel együtt\n"
        "  --kd V              Kd, a szórt sugárzás beesésiszög-módosítója,\n"
        "                      0 és 2 között\n"
        "  --reference R       az együtthatók vonatkoztatási felülete: gross (bruttó,\n"
        "                      alapértelmezés) vagy aperture (apertúrafelület)\n"
        "  --area V            a vonatkoztatási felület kollektoronként, m², 0-nál\n"
        "                      nagyobb, legfeljebb 100; 1, ha egyik felület sincs megadva\n"
        "  --gross-area A      a bruttó felület kollektoronként, m², 0-nál nagyobb,\n"
        "                      legfeljebb 100\n"
        "  --aperture-area A   az apertúrafelület kollektoronként, m², 0-nál nagyobb,\n"
        "                      legfeljebb 100\n"
        "  --delta-t LISTA     a ΔT-értékek, K, 0 és 300 között, vesszővel elválasztva\n"
        "                      (tizedesvesszős számoknál pontosvesszővel); alapértéke\n"
        "                      0; 10; 30; 50; 70 K\n"
        "  --beam G            direkt sugárzás (Gb), W/m², 0 és 1500 között, alapértéke 850\n"
        "  --diffuse G         szórt sugárzás (Gd), W/m², 0 és 1500 között, alapértéke 150\n"
        "  --json              JSON-objektum, számokkal\n"
        "  --csv               CSV: vessző, tizedespont\n"
        "  --csv-hu            CSV magyar táblázatkezelőnek: pontosvessző, tizedesvessző\n");
}

Outcome runDatasheet(const QCommandLineParser& parser, const DatasheetOptions& o,
                     const QString& storedName, const QString& libraryPath, const QLocale& locale) {
    if (std::optional<Outcome> refusal = refuseWindowOptions(parser, o)) {
        return *refusal;
    }
    model::DatasheetInput input;
    QString said;  // what taking over an earlier library says
    if (!storedName.isEmpty()) {
        auto stored = storedInput(parser, o, storedName, libraryPath, &said);
        if (const Outcome* refusal = std::get_if<Outcome>(&stored)) {
            return *refusal;
        }
        input = std::get<model::DatasheetInput>(std::move(stored));
    } else if (const std::optional<QString> refusal = chooseCollector(parser, o, input)) {
        return refused(*refusal);
    }
    if (const std::optional<QString> refusal =
            checkedValues(parser, o, !storedName.isEmpty(), input)) {
        return refused(*refusal);
    }
    return {
        kSuccess,
        datasheetReport(input, model::computeDatasheet(input), datasheetFormat(parser, o), locale),
        said};
}

}  // namespace cli
