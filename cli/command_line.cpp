#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <variant>

#include "annual_command.h"
#include "calc_report.h"
#include "checked_output.h"
#include "collector_input.h"
#include "datasheet_command.h"
#include "input_file.h"
#include "library/collector_store.h"
#include "library/stored_calculation.h"
#include "library_commands.h"
#include "model/calculation.h"
#include "model/entry_check.h"
#include "model/operating_conditions.h"
#include "model/presets.h"
#include "present/entry_messages.h"
#include "present/result_texts.h"
#include "product/version.h"
#include "runtime/qt_translation.h"

namespace cli {
namespace {

using model::ConditionRange;
using model::EntryBox;
using present::Result;

constexpr int kCustomRow = static_cast<int>(model::kCollectorTypes.size()) - 1;
constexpr ConditionRange kTypeRange{0, kCustomRow, model::kStartRow};
constexpr ConditionRange kStepRange{1, model::kCollectorTempRange.max, 10};  // K

struct Options {
    QCommandLineOption calc{QStringLiteral("calc")};
    QCommandLineOption table{QStringLiteral("table")};
    QCommandLineOption type{QStringLiteral("type"), {}, QStringLiteral("N")};
    QCommandLineOption eta0{QStringLiteral("eta0"), {}, QStringLiteral("V")};
    QCommandLineOption a1{QStringLiteral("a1"), {}, QStringLiteral("V")};
    QCommandLineOption a2{QStringLiteral("a2"), {}, QStringLiteral("V")};
    QCommandLineOption area{QStringLiteral("area"), {}, QStringLiteral("V")};
    QCommandLineOption collectorTemp{QStringLiteral("collector-temp"), {}, QStringLiteral("T")};
    QCommandLineOption ambientTemp{QStringLiteral("ambient-temp"), {}, QStringLiteral("T")};
    QCommandLineOption irradiance{QStringLiteral("irradiance"), {}, QStringLiteral("G")};
    QCommandLineOption step{QStringLiteral("step"), {}, QStringLiteral("K")};
    QCommandLineOption input{QStringLiteral("input"), {}, QStringLiteral("FÁJL")};
    QCommandLineOption json{QStringLiteral("json")};
    QCommandLineOption library{QStringLiteral("library"), {}, QStringLiteral("FÁJL")};
    QCommandLineOption collector{QStringLiteral("collector"), {}, QStringLiteral("NÉV")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    DatasheetOptions datasheet;
    AnnualOptions annual;

    [[nodiscard]] QList<QCommandLineOption> all() const {
        return {calc, table,         type,        eta0,       a1,     a2,
                area, collectorTemp, ambientTemp, irradiance, step,   input,
                json, library,       collector,   help,       version};
    }
};

// The collector types' list, a row a line, as --type numbers them.
QString typeLines() {
    QString types;
    for (std::size_t row = 0; row < model::kCollectorTypes.size(); ++row) {
        types += QStringLiteral("                        %1: %2\n")
                     .arg(row)
                     .arg(model::kCollectorTypes[row].name);
    }
    return types;
}

QString usageHelp() {
    return QStringLiteral(
        "Használat:\n"
        "  efficiency --calc [beállítások] [--input FÁJL] [--json | --csv | --csv-hu]\n"
        "  efficiency --table [beállítások] [--input FÁJL] [--step K]\n"
        "                     [--json | --csv | --csv-hu]\n"
        "  efficiency --datasheet [beállítások] [--json | --csv | --csv-hu]\n"
        "  efficiency --annual --weather FÁJL [beállítások] [--input FÁJL]\n"
        "             [--json | --csv | --csv-hu]\n"
        "  efficiency --calc | --table | --datasheet | --annual --collector NÉV\n"
        "             [--library FÁJL] [beállítások]\n"
        "  efficiency --list [--json | --csv | --csv-hu] [--library FÁJL]\n"
        "  efficiency --import FÁJL [--replace] | --export FÁJL [--csv-hu]\n"
        "             | --remove NÉV [--library FÁJL]\n"
        "  efficiency --help | --version\n"
        "\n"
        "A napkollektor hatásfokát számolja ki ablak és kijelző nélkül, az ablak\n"
        "számításával és kijelzési szabályaival: a --calc az ablak eredményeit\n"
        "írja ki, a --table a teljesítménytáblázatot (ΔT = 0, K, 2K, … kelvin, az\n"
        "első 0 %-os sorig).\n"
        "Beállítás nélkül az ablak induló állapotával számol. Argumentum nélkül az\n"
        "ablak nyílik meg; a Qt saját kapcsolóin (-platform, -style …) kívül bármely\n"
        "argumentum parancssori futást jelent.\n"
        "\n");
}

// The options --calc and --table share, with the ranges the window accepts.
QString settingsHelp() {
    const auto range = [](const ConditionRange& r) {
        return QStringLiteral("%1 és %2 között, alapértéke %3").arg(r.min).arg(r.max).arg(r.start);
    };
    // The boxes' ranges, their bounds excluded, as the warnings give them.
    const auto open = [](EntryBox box) {
        const model::EntryRule& rule = model::ruleFor(box);
        return QStringLiteral("%1 és %2 között")
            .arg(QString::number(rule.lower).replace(u'.', u','),
                 QString::number(rule.upper).replace(u'.', u','));
    };
    return QStringLiteral(
               "Beállítások (a tizedes értékek tartományának határai nem megengedettek, az\n"
               "egész számokéi igen):\n"
               "  --type N            a napkollektor típusa, a lista N. sora:\n"
               "%1"
               "  --eta0 V            η0, optikai hatásfok, %2\n"
               "  --a1 V              a1, elsőfokú hőveszteségi együttható, W/(m²·K),\n"
               "                      %3\n"
               "  --a2 V              a2, másodfokú hőveszteségi együttható, W/(m²·K²),\n"
               "                      %4\n"
               "                      (bármelyik az egyedi kollektort választja; a meg nem\n"
               "                      adottak a sor értékei maradnak)\n"
               "  --area V            a napkollektorok hasznos felülete, m², %5,\n"
               "                      alapértéke 1\n"
               "  --collector-temp T  a napkollektor hőmérséklete, °C, egész,\n"
               "                      %6\n"
               "  --ambient-temp T    környezeti hőmérséklet, °C, egész,\n"
               "                      %7\n"
               "  --irradiance G      a napsugárzás intenzitása, W/m², egész,\n"
               "                      %8\n"
               "  --step K            a táblázat lépésköze, K, egész,\n"
               "                      %9\n")
        .arg(typeLines(), open(EntryBox::Eta0), open(EntryBox::A1), open(EntryBox::A2),
             open(EntryBox::CollectorArea), range(model::kCollectorTempRange),
             range(model::kAmbientTempRange), range(model::kIrradianceRange), range(kStepRange));
}

QString inputAndFormatHelp() {
    return QStringLiteral(
        "  --input FÁJL        kollektorok táblázata (- a szabványos bemenet): CSV\n"
        "                      fejléccel, a name, eta0, a1, a2 és area vagy a\n"
        "                      kollektorkönyvtár mezőinek oszlopaival (az eta0 vagy\n"
        "                      az eta0b és a kd, az a1 és az a2 kötelező), vesszővel\n"
        "                      és tizedesponttal vagy pontosvesszővel és\n"
        "                      tizedesvesszővel; vagy JSON-tömb, JSON Lines, illetve\n"
        "                      a kollektorkönyvtár JSON-ja. Felület oszlop nélkül\n"
        "                      1 m²; a nem UTF-8 fájlt Windows-1250-ként olvassa.\n"
        "                      Minden sort a megadott üzemi pontban számol, a bemenet\n"
        "                      sorrendjében, és olvasás közben írja ki; az elutasított\n"
        "                      sort így jelzi: <fájl>:<sor>: [<n>. elem: ]<oszlop>: <ok>\n"
        "  --json              JSON: kollektoronként egy objektum egy sorban, a számok\n"
        "                      JSON-számok, egység nélkül: efficiency %-ban,\n"
        "                      specificOutput W/m²-ben, output W-ban; a --table\n"
        "                      mellett {\"collector\", \"rows\": [{\"deltaT\", \"x\",\n"
        "                      \"efficiency\", \"specificOutput\", \"output\"}]}\n"
        "  --csv               CSV (RFC 4180, UTF-8): fejléc, vessző, tizedespont\n"
        "  --csv-hu            CSV magyar táblázatkezelőnek: pontosvessző, tizedesvessző\n"
        "\n");
}

QString libraryHelp() {
    return QStringLiteral(
        "A kollektorkönyvtár (alapértéke a felhasználó saját könyvtára):\n"
        "  --library FÁJL      ezt a könyvtárfájlt használja\n"
        "  --collector NÉV     a tárolt kollektorral számol: a --calc és a --table az\n"
        "                      η0, a1, a2 és a vonatkoztatási felület értékével, a\n"
        "                      --datasheet minden tárolt adatával, az --annual az\n"
        "                      η0,b és Kd (vagy η0), a1, a2, a vonatkoztatási felület\n"
        "                      és a beesésiszög-módosító értékével\n"
        "  --list              kiírja a tárolt kollektorokat; --json: a könyvtár JSON-ja,\n"
        "                      --csv, --csv-hu: CSV az --input oszlopaival (name, eta0,\n"
        "                      a1, a2, area), utánuk a kollektorkönyvtár többi mezőjével\n"
        "  --import FÁJL       CSV vagy JSON beolvasása (- a szabványos bemenet); egyetlen\n"
        "                      hibás sor vagy meglévő név esetén semmit sem ír\n"
        "                      (--replace: a meglévőt cseréli)\n"
        "  --export FÁJL       kiírás; a formátum a kiterjesztésből (.csv, .json); a CSV\n"
        "                      olyan, mint a --list --csv (--csv-hu: pontosvesszővel),\n"
        "                      így érvényes --input; a - a szabványos kimenet\n"
        "  --remove NÉV        a kollektor törlése\n"
        "  -h, --help          ez a súgó\n"
        "  -v, --version       a program verziója\n"
        "\n");
}

QString numbersAndExitHelp() {
    return QStringLiteral(
        "\n"
        "A számok tizedesponttal és tizedesvesszővel is megadhatók (0.5 vagy 0,5),\n"
        "bármely területi beállítás mellett. A szöveges kimenet magyar számformájú\n"
        "(tizedesvessző), így ugyanaz a parancs minden beállítás mellett ugyanazt írja\n"
        "ki; a JSON és a CSV is.\n"
        "\n"
        "Kilépési kód: 0 siker; 1 futásidejű hiba, vagy a kimenet nem írható;\n"
        "2 hibás kapcsoló, elutasított érték vagy elutasított bemeneti sor.\n");
}

QString helpText() {
    return usageHelp() + settingsHelp() + inputAndFormatHelp() + libraryHelp() + datasheetHelp() +
           u'\n' + annualHelp() + numbersAndExitHelp();
}

// A whole number within `range`, written with digits and an optional sign.
std::optional<int> wholeNumber(const QString& text, const ConditionRange& range) {
    static const QRegularExpression kWhole(QStringLiteral("^[+-]?[0-9]{1,9}$"));
    if (!kWhole.match(text).hasMatch()) {
        return std::nullopt;
    }
    const int value = text.toInt();
    return range.contains(value) ? std::optional<int>(value) : std::nullopt;
}

Outcome usageError(const QString& message) {
    return {kUsageError, {}, message + u'\n'};
}

QString rangeMessage(const QString& option, const ConditionRange& range) {
    return QStringLiteral("--%1: adjon meg %2 és %3 közötti egész számot!")
        .arg(option)
        .arg(range.min)
        .arg(range.max);
}

// The collector as the window holds it after start-up, after picking `row`
// when one is given: the start coefficients are no row's.
model::Collector collectorAt(std::optional<int> row) {
    const model::StartCoefficients& start = model::kStartCoefficients;
    const model::CollectorType& type =
        model::kCollectorTypes[static_cast<std::size_t>(row.value_or(model::kStartRow))];
    model::Collector collector{type.name.toString(), start.eta0, start.a1, start.a2,
                               start.collectorArea};
    if (row) {
        collector.eta0 = type.eta0;
        collector.a1 = type.a1;
        collector.a2 = type.a2;
    }
    return collector;
}

rt::Fixed4& fieldOf(model::Collector& collector, EntryBox box) {
    switch (box) {
        case EntryBox::Eta0:
            return collector.eta0;
        case EntryBox::A1:
            return collector.a1;
        case EntryBox::A2:
            return collector.a2;
        case EntryBox::CollectorArea:
            break;
    }
    return collector.area;
}

// Qt's own options, which the window's QApplication takes: with a value
// after them, or (the flags) without one. Qt admits one dash or two.
constexpr const char* kQtValueOptions[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "geometry",
                                           "qwindowtitle",
                                           "title",
                                           "qwindowicon",
                                           "icon",
                                           "session",
                                           "display",
                                           "name",
                                           "visual",
                                           "style",
                                           "stylesheet"};
constexpr const char* kQtFlags[] = {"reverse", "sync",   "widgetcount",
                                    "nograb",  "dograb", "testability"};

// How many arguments from `i` on are one of Qt's options; 0 when none.
int qtOptionLength(const QStringList& arguments, qsizetype i) {
    QString name = arguments[i];
    if (!name.startsWith(u'-')) {
        return 0;
    }
    name.remove(0, name.startsWith(QStringLiteral("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(u'=');
    const bool valueAttached = equals >= 0;
    name.truncate(valueAttached ? equals : name.size());
    if (name == u"qmljsdebugger" && valueAttached) {
        return 1;
    }
    for (const char* option : kQtFlags) {
        if (name == QLatin1String(option) && !valueAttached) {
            return 1;
        }
    }
    for (const char* option : kQtValueOptions) {
        if (name == QLatin1String(option)) {
            if (valueAttached) {  // only QApplication's own take "=value"
                return name == u"style" || name == u"stylesheet" ? 1 : 0;
            }
            return i + 1 == arguments.size() ? 1 : 2;
        }
    }
    return 0;
}

// The arguments without Qt's options.
QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size();) {
        const int length = i == 0 ? 0 : qtOptionLength(arguments, i);
        if (length == 0) {
            kept << arguments[i];
        }
        i += std::max(length, 1);
    }
    return kept;
}

// The number formats every command-line number is read in, whatever the
// locale: a decimal point, or a decimal comma (no grouping is possible in
// these ranges).
const rt::NumberFormat& formatFor(QStringView text) {
    static const rt::NumberFormat point(QLocale::c());
    static const rt::NumberFormat comma(QLocale(QLocale::Hungarian, QLocale::Hungary));
    return text.contains(u',') ? comma : point;
}

// The stored collector --collector names, converted as every front end
// converts it; the refusal when it is not stored or cannot be calculated.
// `adopted` receives what taking over an earlier library says.
std::variant<model::Collector, Outcome> storedCollector(const QString& name,
                                                        const QString& libraryPath,
                                                        QString* adopted) {
    std::variant<library::Collector, Outcome> found =
        findStoredCollector(name, libraryPath, adopted);
    if (const Outcome* refusal = std::get_if<Outcome>(&found)) {
        return *refusal;
    }
    auto converted = library::windowCollector(std::get<library::Collector>(found));
    if (const auto* refusal = std::get_if<library::NotCalculable>(&converted)) {
        return usageError(QStringLiteral("--collector: %1: %2%3")
                              .arg(printable(name), library::describe(*refusal),
                                   refusal->outsideWindow
                                       ? QStringLiteral(" (a --datasheet ezzel is számol)")
                                       : QString()));
    }
    return std::get<model::Collector>(std::move(converted));
}

using Take = std::function<void(const model::Collector&)>;

// Writes the report of the collectors `produce` hands to its Take, each as
// soon as it comes, to `sink` or into the outcome; the header before the
// first. A runtime error ends the report where it arises; output that could
// not be written ends it too.
Outcome report_(const model::Conditions& conditions, const Report& report, const QLocale& locale,
                const OutputSink& sink, const std::function<Outcome(const Take&)>& produce) {
    ReportWriter writer(conditions, report, locale);
    QString kept;
    std::optional<QString> failed;
    bool started = false;
    const auto write = [&](const QString& text) {
        if (failed) {
            return;
        }
        if (sink) {
            failed = sink(text);
        } else {
            kept += text;
        }
    };
    try {
        Outcome outcome = produce([&](const model::Collector& collector) {
            if (!started) {
                started = true;
                write(writer.header());
            }
            write(writer.collector(collector));
        });
        if (failed) {
            return {kRuntimeError, {}, outcome.standardError + outputFailure(*failed)};
        }
        outcome.standardOutput = std::move(kept);
        return outcome;
    } catch (const std::exception& error) {  // rt::RuntimeError among them
        return {kRuntimeError,
                {},
                QStringLiteral("Futásidejű hiba: %1\n").arg(QString::fromUtf8(error.what()))};
    }
}

// Parses the arguments into `parser`; the outcome when that alone ends the
// run: a refusal, --help or --version.
std::optional<Outcome> parseArguments(const QStringList& arguments, const Options& o,
                                      QCommandLineParser& parser) {
    QList<QCommandLineOption> all = o.all();
    all += o.datasheet.all();
    all += o.annual.all();
    if (const std::optional<QString> refusal = misusedOption(arguments, all)) {
        return usageError(*refusal);
    }
    parser.addOptions(all);
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(o.help)) {
        return Outcome{kSuccess, helpText(), {}};
    }
    if (parser.isSet(o.version)) {
        return Outcome{kSuccess, QString::fromUtf8(product::kDisplayVersion) + u'\n', {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(
            QStringLiteral("Ismeretlen argumentum: %1").arg(parser.positionalArguments().front()));
    }
    if (parser.isSet(o.library) && !parser.isSet(o.collector)) {
        return usageError(QStringLiteral("--library: itt csak a --collector mellett adható meg."));
    }
    return std::nullopt;
}

// The library --library names; empty for the user's own.
QString libraryPath(const QCommandLineParser& parser, const Options& o) {
    return parser.isSet(o.library) ? parser.value(o.library) : QString();
}

// The refusal of --calc and --table options that do not go together.
std::optional<Outcome> refuseCombination(const QCommandLineParser& parser, const Options& o) {
    if (const std::optional<QString> refusal =
            datasheetOptionWithoutDatasheet(parser, o.datasheet)) {
        return usageError(*refusal);
    }
    const bool table = parser.isSet(o.table);
    if (table == parser.isSet(o.calc)) {
        return usageError(
            table ? QStringLiteral("A --calc és a --table közül csak az egyik adható meg!")
                  : QStringLiteral("Adja meg a --calc, a --table, a --datasheet vagy az --annual "
                                   "kapcsolót (a többit a --help sorolja fel)!"));
    }
    if (!table && parser.isSet(o.step)) {
        return usageError(QStringLiteral("A --step csak a --table mellett adható meg!"));
    }
    const int formats = int(parser.isSet(o.json)) + int(parser.isSet(o.datasheet.csv)) +
                        int(parser.isSet(o.datasheet.csvHungarian));
    if (formats > 1) {
        return usageError(
            QStringLiteral("A --json, a --csv és a --csv-hu közül csak az egyik adható meg!"));
    }
    if (!parser.isSet(o.input)) {
        return std::nullopt;
    }
    if (parser.isSet(o.collector)) {
        return usageError(QStringLiteral(
            "--collector: az --input mellett nem adható meg, a kollektorokat a fájl adja!"));
    }
    for (const QCommandLineOption& collectorOption : {o.type, o.eta0, o.a1, o.a2, o.area}) {
        if (parser.isSet(collectorOption)) {
            return usageError(QStringLiteral("--%1: az --input mellett nem adható meg, a "
                                             "kollektorokat a fájl adja!")
                                  .arg(collectorOption.names().front()));
        }
    }
    return std::nullopt;
}

// The whole-number options, each within its range.
struct WholeNumbers {
    std::optional<int> type;  // only when given
    int collectorTemp;
    int ambientTemp;
    int irradiance;
    int step;
};

// Whole numbers first: nothing is computed from a command line with a bad one.
std::variant<WholeNumbers, Outcome> readWholeNumbers(const QCommandLineParser& parser,
                                                     const Options& o) {
    const auto whole = [&](const QCommandLineOption& option,
                           const ConditionRange& range) -> std::optional<int> {
        return parser.isSet(option) ? wholeNumber(parser.value(option), range) : range.start;
    };
    struct Whole {
        const QCommandLineOption& option;
        ConditionRange range;
        std::optional<int> value;
    };
    const Whole wholes[] = {
        {o.type, kTypeRange, whole(o.type, kTypeRange)},
        {o.collectorTemp, model::kCollectorTempRange,
         whole(o.collectorTemp, model::kCollectorTempRange)},
        {o.ambientTemp, model::kAmbientTempRange, whole(o.ambientTemp, model::kAmbientTempRange)},
        {o.irradiance, model::kIrradianceRange, whole(o.irradiance, model::kIrradianceRange)},
        {o.step, kStepRange, whole(o.step, kStepRange)},
    };
    for (const Whole& w : wholes) {
        if (!w.value) {
            return usageError(rangeMessage(w.option.names().front(), w.range));
        }
    }
    return WholeNumbers{parser.isSet(o.type) ? wholes[0].value : std::nullopt, *wholes[1].value,
                        *wholes[2].value, *wholes[3].value, *wholes[4].value};
}

// An option that sets a collector's field as the window's box does.
struct Entry {
    const QCommandLineOption& option;
    EntryBox box;
};

// Writes the entries given into `collector`; the refusal of the first the
// window's box would not accept.
std::optional<Outcome> enterValues(const QCommandLineParser& parser,
                                   std::initializer_list<Entry> entries,
                                   model::Collector& collector) {
    for (const Entry& entry : entries) {
        if (!parser.isSet(entry.option)) {
            continue;
        }
        const QString text = parser.value(entry.option);
        const rt::NumberFormat& format = formatFor(text);
        const model::EntryRule& rule = model::ruleFor(entry.box);
        const model::EntryVerdict verdict = model::checkEntry(text, rule, format);
        if (verdict != model::EntryVerdict::Accepted) {
            return usageError(QStringLiteral("--%1: %2")
                                  .arg(entry.option.names().front(),
                                       present::refusal(verdict, entry.box).toString()));
        }
        fieldOf(collector, entry.box) = format.toFixed4(text);
    }
    return std::nullopt;
}

// The collector --type, --collector and the coefficient options choose, with
// the values given; `type` is --type's row when given. `adopted` receives
// what taking over an earlier library says.
std::variant<model::Collector, Outcome> pickCollector(const QCommandLineParser& parser,
                                                      const Options& o, std::optional<int> type,
                                                      QString* adopted) {
    const Entry coefficients[] = {
        {o.eta0, EntryBox::Eta0}, {o.a1, EntryBox::A1}, {o.a2, EntryBox::A2}};
    const bool custom = std::any_of(std::begin(coefficients), std::end(coefficients),
                                    [&](const Entry& e) { return parser.isSet(e.option); });
    const bool stored = parser.isSet(o.collector);
    if (stored && (custom || type)) {
        return usageError(QStringLiteral(
            "--collector: a --type, --eta0, --a1 és --a2 mellett nem adható meg, a kollektort "
            "a kollektorkönyvtár adja."));
    }
    if (custom && type && *type != kCustomRow) {
        return usageError(
            QStringLiteral(
                "Az --eta0, --a1 és --a2 csak az egyedi kollektorhoz (--type %1) adható meg!")
                .arg(kCustomRow));
    }
    model::Collector collector = collectorAt(custom ? std::optional<int>(kCustomRow) : type);
    if (stored) {
        auto found = storedCollector(parser.value(o.collector), libraryPath(parser, o), adopted);
        if (const Outcome* refusal = std::get_if<Outcome>(&found)) {
            return *refusal;
        }
        collector = std::get<model::Collector>(std::move(found));
    }
    if (std::optional<Outcome> refusal = enterValues(
            parser,
            {coefficients[0], coefficients[1], coefficients[2], {o.area, EntryBox::CollectorArea}},
            collector)) {
        return *refusal;
    }
    return collector;
}

// A --calc or --table command line, checked.
struct CalcRequest {
    model::Collector collector;  // the one collector, without --input
    QString adopted;             // what taking over an earlier library says
    std::optional<QString> inputFile;
    model::Conditions conditions;
    Report report;
};

ReportFormat reportFormat(const QCommandLineParser& parser, const Options& o) {
    return parser.isSet(o.json)                     ? ReportFormat::Json
           : parser.isSet(o.datasheet.csv)          ? ReportFormat::Csv
           : parser.isSet(o.datasheet.csvHungarian) ? ReportFormat::CsvHungarian
                                                    : ReportFormat::Text;
}

// Checks a --calc or --table command line; the refusal of its first fault.
std::variant<CalcRequest, Outcome> checkCalc(const QCommandLineParser& parser, const Options& o) {
    if (std::optional<Outcome> refusal = refuseCombination(parser, o)) {
        return *refusal;
    }
    const std::variant<WholeNumbers, Outcome> read = readWholeNumbers(parser, o);
    if (const Outcome* refusal = std::get_if<Outcome>(&read)) {
        return *refusal;
    }
    const WholeNumbers& numbers = std::get<WholeNumbers>(read);
    QString adopted;
    std::variant<model::Collector, Outcome> collector =
        pickCollector(parser, o, numbers.type, &adopted);
    if (const Outcome* refusal = std::get_if<Outcome>(&collector)) {
        return *refusal;
    }
    const bool input = parser.isSet(o.input);
    const bool table = parser.isSet(o.table);
    return CalcRequest{
        std::get<model::Collector>(std::move(collector)),
        adopted,
        input ? std::optional(parser.value(o.input)) : std::nullopt,
        {rt::Int16::checked(numbers.collectorTemp), rt::Int16::checked(numbers.ambientTemp),
         rt::Int16::checked(numbers.irradiance)},
        {reportFormat(parser, o), input, table ? std::optional(numbers.step) : std::nullopt}};
}

// Reports each collector of the input file as it is read; the file's
// refusals and notes go to standard error.
Outcome reportInputFile(const QString& name, const CalcRequest& request, const QLocale& locale,
                        const OutputSink& sink) {
    QString error;
    const std::unique_ptr<QFile> file = openInputFile(name, &error);
    if (!file) {
        return usageError(error);
    }
    return report_(request.conditions, request.report, locale, sink, [&](const Take& take) {
        const InputReport read = readCollectors(*file, name, take);
        Outcome outcome;
        const QStringList messages = read.notes + read.refusals;
        if (!messages.isEmpty()) {
            outcome.standardError = messages.join(u'\n') + u'\n';
        }
        if (!read.refusals.isEmpty()) {
            outcome.status = kUsageError;
        } else if (read.accepted == 0) {
            outcome.status = kUsageError;
            outcome.standardError += QStringLiteral("%1: nincs benne kollektor.\n").arg(name);
        }
        return outcome;
    });
}

Outcome runCalc(const CalcRequest& request, const QLocale& locale, const OutputSink& sink) {
    if (request.inputFile) {
        return reportInputFile(*request.inputFile, request, locale, sink);
    }
    return report_(request.conditions, request.report, locale, sink, [&](const Take& take) {
        take(request.collector);
        return Outcome{
            kSuccess, {}, request.adopted.isEmpty() ? QString() : request.adopted + u'\n'};
    });
}

}  // namespace

// QCommandLineParser would read "-calc" as -c -a -l -c and report a "c".
std::optional<QString> misusedOption(const QStringList& arguments,
                                     const QList<QCommandLineOption>& options) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") {
            break;
        }
        if (!argument.startsWith(u'-') || argument == u"-") {
            continue;
        }
        const bool twoDashes = argument.startsWith(QStringLiteral("--"));
        const QString written = argument.section(u'=', 0, 0);
        const QString name = written.mid(twoDashes ? 2 : 1);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const auto& o) { return o.names().contains(name); });
        if (option == options.end()) {
            return QStringLiteral("%1: ismeretlen kapcsoló!").arg(written);
        }
        if (!twoDashes && name.size() > 1) {
            return QStringLiteral(
                       "%1: ismeretlen kapcsoló; a hosszú kapcsolók két kötőjellel "
                       "kezdődnek: -%1")
                .arg(written);
        }
        const bool attached = argument.contains(u'=');
        if (option->valueName().isEmpty() && attached) {
            return QStringLiteral("%1: ehhez a kapcsolóhoz nem adható meg érték.").arg(written);
        }
        if (!option->valueName().isEmpty() && !attached) {
            if (i + 1 == arguments.size()) {
                return QStringLiteral("%1: hiányzik az értéke!").arg(written);
            }
            ++i;
        }
    }
    return std::nullopt;
}

bool asksForCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return withoutQtOptions(arguments).size() > 1;
}

Outcome run(const QStringList& arguments, const QLocale& locale, const OutputSink& sink) {
    if (auto outcome = runLibraryCommand(arguments, locale)) {
        return *outcome;
    }
    const Options o;
    QCommandLineParser parser;
    if (std::optional<Outcome> answer = parseArguments(arguments, o, parser)) {
        return *answer;
    }
    if (parser.isSet(o.annual.annual)) {
        return runAnnual(parser, o.annual, o.datasheet, locale);
    }
    if (std::optional<QString> refusal = annualOptionWithoutAnnual(parser, o.annual)) {
        return usageError(*refusal);
    }
    if (parser.isSet(o.datasheet.datasheet)) {
        return runDatasheet(parser, o.datasheet, parser.value(o.collector), libraryPath(parser, o),
                            locale);
    }
    std::variant<CalcRequest, Outcome> request = checkCalc(parser, o);
    if (const Outcome* refusal = std::get_if<Outcome>(&request)) {
        return *refusal;
    }
    return runCalc(std::get<CalcRequest>(request), locale, sink);
}

int runMain(int argc, char* argv[]) {
    guardClosedStandardOutput();
    QCoreApplication application(argc, argv);
    library::identifyApplication();
    rt::installQtTranslation(QLocale::system());  // the parser's own messages
    // Hungarian digits whatever the locale: a script prints the same bytes
    // under C as on a Hungarian desktop. Output leaves in blocks as it is
    // made, so that a long batch keeps its memory flat.
    QString pending;
    bool lost = false;  // a write failed, and the run has said so
    const auto flush = [&]() -> std::optional<QString> {
        std::optional<QString> failure = writeStandardOutput(pending.toUtf8());
        pending.resize(0);
        lost = failure.has_value();
        return failure;
    };
    const OutputSink sink = [&](const QString& text) -> std::optional<QString> {
        pending += text;
        return pending.size() < (1 << 15) ? std::nullopt : flush();
    };
    Outcome outcome = run(withoutQtOptions(QCoreApplication::arguments()),
                          QLocale(QLocale::Hungarian, QLocale::Hungary), sink);
    if (lost) {
        std::fputs(outcome.standardError.toUtf8().constData(), stderr);
        return kRuntimeError;
    }
    pending += outcome.standardOutput;
    if (const std::optional<QString> failure = flush()) {
        std::fputs(outcome.standardError.toUtf8().constData(), stderr);
        std::fputs(outputFailure(*failure).toUtf8().constData(), stderr);
        return kRuntimeError;
    }
    std::fputs(outcome.standardError.toUtf8().constData(), stderr);
    return outcome.status;
}

}  // namespace cli
