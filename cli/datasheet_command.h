#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>
#include <variant>

#include "command_line.h"
#include "model/datasheet.h"

// `--datasheet`: a certified collector datasheet's power table from the
// command line, in the datasheet's own arithmetic and ranges rather than the
// window's.
namespace cli {

// The options only the datasheet takes. It shares --type, --eta0, --a1, --a2,
// --area and --json with --calc and --table.
struct DatasheetOptions {
    QCommandLineOption datasheet{QStringLiteral("datasheet")};
    QCommandLineOption eta0b{QStringLiteral("eta0b"), {}, QStringLiteral("V")};
    QCommandLineOption kd{QStringLiteral("kd"), {}, QStringLiteral("V")};
    QCommandLineOption reference{QStringLiteral("reference"), {}, QStringLiteral("R")};
    QCommandLineOption grossArea{QStringLiteral("gross-area"), {}, QStringLiteral("A")};
    QCommandLineOption apertureArea{QStringLiteral("aperture-area"), {}, QStringLiteral("A")};
    QCommandLineOption deltaT{QStringLiteral("delta-t"), {}, QStringLiteral("LISTA")};
    QCommandLineOption beam{QStringLiteral("beam"), {}, QStringLiteral("G")};
    QCommandLineOption diffuse{QStringLiteral("diffuse"), {}, QStringLiteral("G")};
    QCommandLineOption csv{QStringLiteral("csv")};
    QCommandLineOption csvHungarian{QStringLiteral("csv-hu")};

    [[nodiscard]] QList<QCommandLineOption> all() const;
};

// The refusal of a datasheet option given without --datasheet, naming it;
// none when there is none.
[[nodiscard]] std::optional<QString> datasheetOptionWithoutDatasheet(
    const QCommandLineParser& parser, const DatasheetOptions& options);

// The collector --type and the coefficient options describe (--eta0, or
// --eta0b with --kd, --a1, --a2, --area as the gross area), checked in the
// sheet's ranges rather than the window's; the refusal, naming its option.
[[nodiscard]] std::variant<model::DatasheetInput, QString> optionCollector(
    const QCommandLineParser& parser, const DatasheetOptions& options);

// The --help lines of the datasheet and its options.
[[nodiscard]] QString datasheetHelp();

// Runs --datasheet on the parsed command line; the shared options are found
// by their names. With `storedName`, the collector stored under it in the
// library at `libraryPath` (the user's own where empty). Numbers are read
// with a decimal point or comma and written in `locale`'s format.
[[nodiscard]] Outcome runDatasheet(const QCommandLineParser& parser,
                                   const DatasheetOptions& options, const QString& storedName,
                                   const QString& libraryPath, const QLocale& locale);

}  // namespace cli
