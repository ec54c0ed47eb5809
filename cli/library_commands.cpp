#include "library_commands.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "input_file.h"
#include "library/collector_import.h"
#include "library/collector_store.h"
#include "library/earlier_library.h"
#include "runtime/number_text.h"

namespace cli {
namespace {

Outcome usage(const QString& message) {
    return {kUsageError, {}, message + u'\n'};
}

Outcome failure(const QString& message) {
    return {kRuntimeError, {}, message + u'\n'};
}

// One line a collector; a collector stored before a rule it breaks is
// marked with what keeps it from a calculation.
QString listText(const QList<library::Collector>& collectors, const rt::NumberFormat& format) {
    const QChar point = format.decimalSeparator();
    const auto shown = [point](const library::DecimalText& number) {
        return number.isEmpty() ? QStringLiteral("–") : number.text(point);
    };
    QString text;
    for (const library::Collector& c : collectors) {
        const QString eta0 = !c.eta0.isEmpty()   ? c.eta0.text(point)
                             : c.eta0b.isEmpty() ? QStringLiteral("–")
                                                 : format.text(library::hemisphericalEta0(c));
        text += QStringLiteral("%1: η0 %2; a1 %3; a2 %4; felület %5 m²")
                    .arg(printable(c.name), eta0, shown(c.a1), shown(c.a2),
                         shown(library::referenceArea(c)));
        if (const QList<library::FieldProblem> flaws = library::flaws(c, collectors);
            !flaws.isEmpty()) {
            text += QStringLiteral(" [hibás, javítandó: %1]").arg(library::describeProblems(flaws));
        }
        text += u'\n';
    }
    return text;
}

// What the whole file's reading says: its encoding, an area it assumed.
QString readingNotes(const library::ImportFile& parsed, const QString& fileName) {
    QString notes;
    if (parsed.windows1250) {
        notes += QStringLiteral("%1: a fájl nem UTF-8, Windows-1250 kódolásúként olvasva.\n")
                     .arg(fileName);
    }
    if (parsed.areaAssumed) {
        notes +=
            QStringLiteral("%1: nincs felület oszlop, minden kollektor 1 m²-es.\n").arg(fileName);
    }
    return notes;
}

Outcome importFile(library::CollectorStore& store, const QString& fileName, bool replace) {
    QString error;
    const std::unique_ptr<QFile> file = openInputFile(fileName, &error);
    if (!file) {
        return failure(error);
    }
    const library::ImportFile parsed = library::parseImport(*file, store.collectors());
    const QString notes = readingNotes(parsed, fileName);
    if (!parsed.refusals.isEmpty()) {
        QString lines;
        for (const library::Refusal& r : parsed.refusals) {
            lines += library::describe(r, QDir::toNativeSeparators(fileName)) + u'\n';
        }
        return {kUsageError, {}, notes + lines + QStringLiteral("Semmi sem változott.\n")};
    }
    const auto outcome = store.importRows(
        parsed.rows, replace ? library::ExistingNames::Replace : library::ExistingNames::Refuse,
        parsed.given);
    if (!outcome.ok) {
        return store.isReadOnly() ? failure(outcome.message) : usage(outcome.message);
    }
    return {kSuccess,
            QStringLiteral("Importálva: %1 új, %2 cserélt kollektor.\n")
                .arg(outcome.added)
                .arg(outcome.replaced),
            notes};
}

Outcome exportFile(const library::CollectorStore& store, const QString& fileName, bool json,
                   library::CsvStyle style) {
    if (fileName == u"-") {  // through the checked standard output
        return {kSuccess,
                json ? QString::fromUtf8(library::exportJson(store.collectors()))
                     : QString::fromUtf8(library::exportCsv(store.collectors(), style).mid(3)),
                {}};
    }
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != u"csv" && suffix != u"json") {
        return usage(QStringLiteral("--export: a fájl kiterjesztése .csv vagy .json legyen!"));
    }
    const QByteArray bytes = suffix == u"json" ? library::exportJson(store.collectors())
                                               : library::exportCsv(store.collectors(), style);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return failure(QStringLiteral("A(z) %1 fájl nem írható (%2).")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
    return {};
}

struct LibraryOptions {
    QCommandLineOption library{QStringLiteral("library"), {}, QStringLiteral("FILE")};
    QCommandLineOption list{QStringLiteral("list")};
    QCommandLineOption json{QStringLiteral("json")};
    QCommandLineOption csv{QStringLiteral("csv")};
    QCommandLineOption csvHungarian{QStringLiteral("csv-hu")};
    QCommandLineOption import{QStringLiteral("import"), {}, QStringLiteral("FILE")};
    QCommandLineOption replace{QStringLiteral("replace")};
    QCommandLineOption exportTo{QStringLiteral("export"), {}, QStringLiteral("FILE")};
    QCommandLineOption remove{QStringLiteral("remove"), {}, QStringLiteral("NAME")};

    [[nodiscard]] QList<QCommandLineOption> all() const {
        return {library, list, json, csv, csvHungarian, import, replace, exportTo, remove};
    }
};

// Runs the one command the checked arguments give on `store`.
Outcome runOnStore(library::CollectorStore& store, const QCommandLineParser& parser,
                   const LibraryOptions& o, const QLocale& locale) {
    const library::CsvStyle style = parser.isSet(o.csvHungarian) ? library::CsvStyle::SemicolonComma
                                                                 : library::CsvStyle::CommaPoint;
    if (store.isReadOnly() && !parser.isSet(o.import) && !parser.isSet(o.remove)) {
        return failure(store.problem());
    }
    if (parser.isSet(o.import)) {
        return importFile(store, parser.value(o.import), parser.isSet(o.replace));
    }
    if (parser.isSet(o.exportTo)) {
        return exportFile(store, parser.value(o.exportTo), parser.isSet(o.json), style);
    }
    if (parser.isSet(o.remove)) {
        const auto removed = store.remove(parser.value(o.remove));
        return removed.ok
                   ? Outcome{}
                   : (store.isReadOnly() ? failure(removed.message) : usage(removed.message));
    }
    if (parser.isSet(o.json) || parser.isSet(o.csv) || parser.isSet(o.csvHungarian)) {
        return exportFile(store, QStringLiteral("-"), parser.isSet(o.json), style);
    }
    return Outcome{kSuccess, listText(store.collectors(), rt::NumberFormat(locale)), {}};
}

}  // namespace

bool asksForLibraryCommand(const QStringList& arguments) {
    for (const QString& a : arguments.mid(1)) {
        for (const char* command : {"--list", "--import", "--export", "--remove"}) {
            if (a == QLatin1String(command) || a.startsWith(QLatin1String(command) + u'=')) {
                return true;
            }
        }
    }
    return false;
}

std::optional<Outcome> runLibraryCommand(const QStringList& arguments, const QLocale& locale) {
    if (!asksForLibraryCommand(arguments)) {
        return std::nullopt;
    }
    const LibraryOptions o;
    const QList<QCommandLineOption> options = o.all();
    if (const std::optional<QString> refusal = misusedOption(arguments, options)) {
        return usage(*refusal);
    }
    QCommandLineParser parser;
    parser.addOptions(options);
    if (!parser.parse(arguments)) {
        return usage(parser.errorText());
    }
    const int commands = int(parser.isSet(o.list)) + int(parser.isSet(o.import)) +
                         int(parser.isSet(o.exportTo)) + int(parser.isSet(o.remove));
    if (commands != 1 || !parser.positionalArguments().isEmpty()) {
        return usage(QStringLiteral(
            "A --list, --import, --export és --remove közül pontosan egy adható meg!"));
    }
    if (int(parser.isSet(o.json)) + int(parser.isSet(o.csv)) + int(parser.isSet(o.csvHungarian)) >
        1) {
        return usage(
            QStringLiteral("A --json, a --csv és a --csv-hu közül csak az egyik adható meg!"));
    }
    QString adopted;
    library::CollectorStore store =
        openStore(parser.isSet(o.library) ? parser.value(o.library) : QString(), &adopted);
    Outcome outcome = runOnStore(store, parser, o, locale);
    if (!adopted.isEmpty()) {
        outcome.standardError.prepend(adopted + u'\n');
    }
    return outcome;
}

library::CollectorStore openStore(const QString& path, QString* adopted) {
    library::CollectorStore store(path.isEmpty() ? library::CollectorStore::defaultPath() : path);
    if (path.isEmpty()) {
        *adopted = library::adoptEarlierLibrary(store, library::earlierCommandLinePath());
    }
    store.reload();
    return store;
}

std::variant<library::Collector, Outcome> findStoredCollector(const QString& name,
                                                              const QString& path,
                                                              QString* adopted) {
    const library::CollectorStore store = openStore(path, adopted);
    const QString said = adopted->isEmpty() ? QString() : *adopted + u'\n';
    if (store.isReadOnly()) {
        return failure(said + store.problem());
    }
    const auto at = store.indexOf(name);
    if (!at) {
        return usage(
            said + QStringLiteral("--collector: nincs ilyen nevű kollektor a kollektorkönyvtárban: "
                                  "%1.")
                       .arg(printable(name)));
    }
    return store.collectors()[*at];
}

QString printable(const QString& text) {
    QString shown;
    for (const char32_t c : text.toUcs4()) {
        if (library::textProblem(library::Field::Name, QString::fromUcs4(&c, 1)).isEmpty()) {
            shown += QString::fromUcs4(&c, 1);
        } else {
            shown += QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QChar(u'0'));
        }
    }
    return shown;
}

}  // namespace cli
