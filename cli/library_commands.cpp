#include "library_commands.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "library/collector_import.h"
#include "library/collector_store.h"
#include "runtime/number_text.h"

namespace cli {
namespace {

const QString kLibrary = QStringLiteral("library");
const QString kCollector = QStringLiteral("collector");

Outcome usage(const QString& message) {
    return {kUsageError, {}, message + u'\n'};
}

Outcome failure(const QString& message) {
    return {kRuntimeError, {}, message + u'\n'};
}

// The value after `name` ("--name VALUE" or "--name=VALUE"), removed from the
// arguments; empty when the option is not there.
std::optional<QString> takeOption(QStringList& arguments, const QString& name) {
    const QString option = QStringLiteral("--") + name;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size()) {
            const QString value = arguments[i + 1];
            arguments.remove(i, 2);
            return value;
        }
        if (arguments[i].startsWith(option + u'=')) {
            const QString value = arguments[i].mid(option.size() + 1);
            arguments.removeAt(i);
            return value;
        }
    }
    return std::nullopt;
}

QString listText(const QList<library::Collector>& collectors, const rt::NumberFormat& format) {
    const QChar point = format.decimalSeparator();
    QString text;
    for (const library::Collector& c : collectors) {
        text += QStringLiteral("%1: η0 %2; a1 %3; a2 %4; felület %5 m²\n")
                    .arg(c.name,
                         c.eta0.isEmpty() ? format.text(library::hemisphericalEta0(c))
                                          : c.eta0.text(point),
                         c.a1.text(point), c.a2.text(point), library::workingArea(c).text(point));
    }
    return text;
}

Outcome importFile(library::CollectorStore& store, const QString& fileName, bool replace) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(QStringLiteral("A(z) %1 fájl nem olvasható (%2).")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
    const library::ImportFile parsed = library::parseImport(file.readAll());
    if (!parsed.refusals.isEmpty()) {
        QString lines;
        for (const library::Refusal& r : parsed.refusals) {
            lines += QStringLiteral("%1:%2: %3%4\n")
                         .arg(QDir::toNativeSeparators(fileName))
                         .arg(r.line)
                         .arg(r.column.isEmpty() ? QString() : r.column + QStringLiteral(": "))
                         .arg(r.reason);
        }
        return {kUsageError, {}, lines + QStringLiteral("Semmi sem került mentésre.\n")};
    }
    const auto outcome = store.importRows(
        parsed.rows, replace ? library::ExistingNames::Replace : library::ExistingNames::Refuse);
    if (!outcome.ok) {
        return store.isReadOnly() ? failure(outcome.message) : usage(outcome.message);
    }
    return {kSuccess,
            QStringLiteral("Importálva: %1 új, %2 cserélt kollektor.\n")
                .arg(outcome.added)
                .arg(outcome.replaced),
            {}};
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
    const QCommandLineOption libraryOption{kLibrary, {}, QStringLiteral("FILE")};
    const QCommandLineOption list{QStringLiteral("list")};
    const QCommandLineOption json{QStringLiteral("json")};
    const QCommandLineOption csv{QStringLiteral("csv")};
    const QCommandLineOption csvHungarian{QStringLiteral("csv-hu")};
    const QCommandLineOption import{QStringLiteral("import"), {}, QStringLiteral("FILE")};
    const QCommandLineOption replace{QStringLiteral("replace")};
    const QCommandLineOption exportTo{QStringLiteral("export"), {}, QStringLiteral("FILE")};
    const QCommandLineOption remove{QStringLiteral("remove"), {}, QStringLiteral("NAME")};
    const QList<QCommandLineOption> options{libraryOption, list,    json,     csv,   csvHungarian,
                                            import,        replace, exportTo, remove};
    if (const std::optional<QString> refusal = misusedOption(arguments, options)) {
        return usage(*refusal);
    }
    QCommandLineParser parser;
    parser.addOptions(options);
    if (!parser.parse(arguments)) {
        return usage(parser.errorText());
    }
    const int commands = int(parser.isSet(list)) + int(parser.isSet(import)) +
                         int(parser.isSet(exportTo)) + int(parser.isSet(remove));
    if (commands != 1 || !parser.positionalArguments().isEmpty()) {
        return usage(QStringLiteral(
            "A --list, --import, --export és --remove közül pontosan egy adható meg!"));
    }
    if (int(parser.isSet(json)) + int(parser.isSet(csv)) + int(parser.isSet(csvHungarian)) > 1) {
        return usage(
            QStringLiteral("A --json, a --csv és a --csv-hu közül csak az egyik adható meg!"));
    }
    const library::CsvStyle style = parser.isSet(csvHungarian) ? library::CsvStyle::SemicolonComma
                                                               : library::CsvStyle::CommaPoint;
    library::CollectorStore store(parser.isSet(libraryOption)
                                      ? parser.value(libraryOption)
                                      : library::CollectorStore::defaultPath());
    store.reload();
    if (store.isReadOnly() && !parser.isSet(import) && !parser.isSet(remove)) {
        return failure(store.problem());
    }
    if (parser.isSet(import)) {
        return importFile(store, parser.value(import), parser.isSet(replace));
    }
    if (parser.isSet(exportTo)) {
        return exportFile(store, parser.value(exportTo), parser.isSet(json), style);
    }
    if (parser.isSet(remove)) {
        const auto outcome = store.remove(parser.value(remove));
        return outcome.ok
                   ? Outcome{}
                   : (store.isReadOnly() ? failure(outcome.message) : usage(outcome.message));
    }
    if (parser.isSet(json) || parser.isSet(csv) || parser.isSet(csvHungarian)) {
        return exportFile(store, QStringLiteral("-"), parser.isSet(json), style);
    }
    return Outcome{kSuccess, listText(store.collectors(), rt::NumberFormat(locale)), {}};
}

std::variant<ExpandedArguments, Outcome> expandCollector(const QStringList& arguments,
                                                         const QLocale& locale) {
    QStringList rest = arguments;
    const std::optional<QString> path = takeOption(rest, kLibrary);
    const std::optional<QString> name = takeOption(rest, kCollector);
    if (!name) {
        return ExpandedArguments{rest, {}};
    }
    library::CollectorStore store(path.value_or(library::CollectorStore::defaultPath()));
    store.reload();
    if (store.isReadOnly()) {
        return failure(store.problem());
    }
    const auto at = store.indexOf(*name);
    if (!at) {
        return usage(
            QStringLiteral("--collector: nincs ilyen nevű kollektor a könyvtárban: %1").arg(*name));
    }
    const library::Collector& c = store.collectors()[*at];
    const rt::NumberFormat format(locale);
    const QChar point = format.decimalSeparator();
    // First, so that an --area given as well (a field of several) wins.
    const QStringList stored = {
        QStringLiteral("--eta0"),
        c.eta0.isEmpty() ? format.text(library::hemisphericalEta0(c)) : c.eta0.text(point),
        QStringLiteral("--a1"),
        c.a1.text(point),
        QStringLiteral("--a2"),
        c.a2.text(point),
        QStringLiteral("--area"),
        library::workingArea(c).text(point)};
    for (qsizetype i = 0; i < stored.size(); ++i) {
        rest.insert(1 + i, stored[i]);
    }
    return ExpandedArguments{rest, c.name};
}

}  // namespace cli
