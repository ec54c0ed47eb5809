#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iterator>
#include <optional>

#include "chart/results.h"
#include "datasheet_command.h"
#include "model/calculation.h"
#include "model/entry_check.h"
#include "model/operating_conditions.h"
#include "model/presets.h"
#include "product/version.h"
#include "runtime/qt_translation.h"

namespace cli {
namespace {

using chart::Result;
using model::ConditionRange;
using model::EntryBox;

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
    QCommandLineOption json{QStringLiteral("json")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
    DatasheetOptions datasheet;

    [[nodiscard]] QList<QCommandLineOption> all() const {
        return {calc,          table,       type,       eta0, a1,   a2,   area,
                collectorTemp, ambientTemp, irradiance, step, json, help, version};
    }
};

QString helpText() {
    const auto range = [](const ConditionRange& r) {
        return QStringLiteral("%1 és %2 között, alapértéke %3").arg(r.min).arg(r.max).arg(r.start);
    };
    QString types;
    for (std::size_t row = 0; row < model::kCollectorTypes.size(); ++row) {
        types += QStringLiteral("                        %1: %2\n")
                     .arg(row)
                     .arg(model::kCollectorTypes[row].name);
    }
    return QStringLiteral(
               "Használat:\n"
               "  efficiency --calc [beállítások] [--json]\n"
               "  efficiency --table [beállítások] [--step K] [--json]\n"
               "  efficiency --datasheet [beállítások] [--json | --csv | --csv-hu]\n"
               "  efficiency --help | --version\n"
               "\n"
               "A napkollektor hatásfokát számolja ki ablak és kijelző nélkül, az ablak\n"
               "eljárásaival: a --calc az ablak eredményeit írja ki, a --table a\n"
               "teljesítménytáblázatot (ΔT = 0, K, 2K, … kelvin, az első 0 %-os sorig).\n"
               "Beállítás nélkül az ablak induló állapotával számol.\n"
               "\n"
               "Beállítások:\n"
               "  --type N            a napkollektor típusa, a lista N. sora:\n"
               "%1"
               "  --eta0 V            η0, optikai hatásfok\n"
               "  --a1 V              a1, elsőfokú hőveszteségi együttható\n"
               "  --a2 V              a2, másodfokú hőveszteségi együttható\n"
               "                      (bármelyik az egyedi kollektort választja; a meg nem\n"
               "                      adottak a sor értékei maradnak)\n"
               "  --area V            a napkollektorok hasznos felülete, m², alapértéke 1\n"
               "  --collector-temp T  napkollektor hőmérséklet, °C, %2\n"
               "  --ambient-temp T    környezeti hőmérséklet, °C, %3\n"
               "  --irradiance G      napsugárzás intenzitás, W/m², %4\n"
               "  --step K            a táblázat lépésköze, K, %5\n"
               "  --json              JSON-kimenet\n"
               "  -h, --help          ez a súgó\n"
               "  -v, --version       a program verziója\n"
               "\n"
               "%6"
               "\n"
               "A számokat a területi beállítás formájában kell megadni, ahogy az ablak\n"
               "mezőibe (magyarul tizedesvesszővel: 0,5). Kilépési kód: 0 siker,\n"
               "1 futásidejű hiba, 2 hibás beállítás vagy elutasított érték.\n")
        .arg(types, range(model::kCollectorTempRange), range(model::kAmbientTempRange),
             range(model::kIrradianceRange), range(kStepRange), datasheetHelp());
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

QString compact(const QJsonDocument& document) {
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact)) + u'\n';
}

QString calcOutput(const chart::ResultTexts& texts, bool json) {
    if (json) {
        return compact(QJsonDocument(QJsonObject{
            {"characteristic", texts.characteristic.get()},
            {"x", texts.operatingX.get()},
            {"efficiency", texts.efficiency.get()},
            {"specificOutput", texts.specificOutput.get()},
            {"output", texts.output.get()},
            {"zeroEfficiencyX", texts.zeroEfficiencyX.get()},
        }));
    }
    QString text;
    for (std::size_t i = 0; i < chart::kResultNames.size(); ++i) {
        const auto result = static_cast<Result>(i);
        text += chart::nameOf(result).toString() + QStringLiteral(": ") +
                chart::valueOf(texts, result).get() + u'\n';
    }
    return text;
}

// The collector as the window holds it after start-up, after picking `row`
// when one is given: the start coefficients are no row's.
model::Collector collectorAt(std::optional<int> row) {
    const model::StartCoefficients& start = model::kStartCoefficients;
    model::Collector collector{{}, start.eta0, start.a1, start.a2, start.collectorArea};
    if (row) {
        const model::CollectorType& type = model::kCollectorTypes[static_cast<std::size_t>(*row)];
        collector.eta0 = type.eta0;
        collector.a1 = type.a1;
        collector.a2 = type.a2;
    }
    return collector;
}

rt::Currency& fieldOf(model::Collector& collector, EntryBox box) {
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

QString tableOutput(const std::vector<chart::PowerRow>& rows, bool json) {
    if (!json) {
        return chart::powerTablePlainText(rows);
    }
    QJsonArray array;
    for (const chart::PowerRow& row : rows) {
        array.append(QJsonObject{{"deltaT", row.deltaT},
                                 {"x", row.operatingX},
                                 {"efficiency", row.efficiency},
                                 {"specificOutput", row.specificOutput},
                                 {"output", row.output}});
    }
    return compact(QJsonDocument(array));
}

void write(const QString& text, std::FILE* stream) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

}  // namespace

bool asksForCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option :
             {"--calc", "--table", "--datasheet", "--help", "-h", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0) {
                return true;
            }
        }
    }
    return false;
}

Outcome run(const QStringList& arguments, const QLocale& locale) {
    const Options o;
    QCommandLineParser parser;
    parser.addOptions(o.all());
    parser.addOptions(o.datasheet.all());
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(o.help)) {
        return {kSuccess, helpText(), {}};
    }
    if (parser.isSet(o.version)) {
        return {kSuccess, QString::fromUtf8(product::kDisplayVersion) + u'\n', {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(
            QStringLiteral("Ismeretlen argumentum: %1").arg(parser.positionalArguments().front()));
    }
    if (parser.isSet(o.datasheet.datasheet)) {
        return runDatasheet(parser, o.datasheet, locale);
    }
    if (const std::optional<QString> refusal =
            datasheetOptionWithoutDatasheet(parser, o.datasheet)) {
        return usageError(*refusal);
    }
    const bool table = parser.isSet(o.table);
    if (table == parser.isSet(o.calc)) {
        return usageError(
            table ? QStringLiteral("A --calc és a --table közül csak az egyik adható meg!")
                  : QStringLiteral("Adja meg a --calc, a --table vagy a --datasheet kapcsolót!"));
    }
    if (!table && parser.isSet(o.step)) {
        return usageError(QStringLiteral("A --step csak a --table mellett adható meg!"));
    }

    // Whole numbers first: nothing is computed from a command line with a bad one.
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
    const int collectorTemp = *wholes[1].value;
    const int ambientTemp = *wholes[2].value;
    const int irradiance = *wholes[3].value;
    const int step = *wholes[4].value;

    struct Entry {
        const QCommandLineOption& option;
        EntryBox box;
    };
    const Entry coefficients[] = {
        {o.eta0, EntryBox::Eta0}, {o.a1, EntryBox::A1}, {o.a2, EntryBox::A2}};
    const bool custom = std::any_of(std::begin(coefficients), std::end(coefficients),
                                    [&](const Entry& e) { return parser.isSet(e.option); });
    if (custom && parser.isSet(o.type) && *wholes[0].value != kCustomRow) {
        return usageError(
            QStringLiteral(
                "Az --eta0, --a1 és --a2 csak az egyedi kollektorhoz (--type %1) adható meg!")
                .arg(kCustomRow));
    }

    const rt::NumberFormat format(locale);
    try {
        model::Collector collector = collectorAt(custom ? std::optional<int>(kCustomRow)
                                                 : parser.isSet(o.type) ? wholes[0].value
                                                                        : std::nullopt);
        const Entry area{o.area, EntryBox::CollectorArea};
        for (const Entry& entry : {coefficients[0], coefficients[1], coefficients[2], area}) {
            if (!parser.isSet(entry.option)) {
                continue;
            }
            const QString text = parser.value(entry.option);
            const model::EntryRule& rule = model::ruleFor(entry.box);
            const model::EntryVerdict verdict = model::checkEntry(text, rule, format);
            if (verdict != model::EntryVerdict::Accepted) {
                return usageError((verdict == model::EntryVerdict::NotANumber
                                       ? model::kNotANumberMessage
                                       : rule.rangeMessage)
                                      .toString());
            }
            fieldOf(collector, entry.box) = format.toCurrency(text);
        }
        const model::Conditions conditions{rt::Integer::checked(collectorTemp),
                                           rt::Integer::checked(ambientTemp),
                                           rt::Integer::checked(irradiance)};
        const bool json = parser.isSet(o.json);
        const QString output =
            table
                ? tableOutput(chart::powerTable(collector, conditions, format, step), json)
                : calcOutput(chart::formatResults(model::calculate(collector, conditions), format),
                             json);
        return {kSuccess, output, {}};
    } catch (const std::exception& error) {  // rt::RuntimeError among them
        return {kRuntimeError,
                {},
                QStringLiteral("Futásidejű hiba: %1\n").arg(QString::fromUtf8(error.what()))};
    }
}

int runMain(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QLocale locale = QLocale::system();
    rt::installQtTranslation(locale);  // the parser's own messages
    const Outcome outcome = run(QCoreApplication::arguments(), locale);
    write(outcome.standardOutput, stdout);
    write(outcome.standardError, stderr);
    return outcome.status;
}

}  // namespace cli
