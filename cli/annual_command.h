#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

#include "command_line.h"
#include "datasheet_command.h"

// `--annual`: a collector's yield over a year of hourly weather, at a few
// mean fluid temperatures.
namespace cli {

// The options only the year takes. It shares the collector's options with
// --datasheet (the sheet's ranges, --eta0b and --kd among them), and
// --collector, --input and the output formats with --calc.
struct AnnualOptions {
    QCommandLineOption annual{QStringLiteral("annual")};
    QCommandLineOption weather{QStringLiteral("weather"), {}, QStringLiteral("FÁJL")};
    QCommandLineOption tilt{QStringLiteral("tilt"), {}, QStringLiteral("FOK")};
    QCommandLineOption azimuth{QStringLiteral("azimuth"), {}, QStringLiteral("FOK")};
    QCommandLineOption albedo{QStringLiteral("albedo"), {}, QStringLiteral("V")};
    QCommandLineOption sky{QStringLiteral("sky"), {}, QStringLiteral("MODELL")};
    QCommandLineOption meanTemps{QStringLiteral("mean-temps"), {}, QStringLiteral("LISTA")};
    QCommandLineOption iamB0{QStringLiteral("iam-b0"), {}, QStringLiteral("V")};
    QCommandLineOption iamK50{QStringLiteral("iam-k50"), {}, QStringLiteral("V")};
    QCommandLineOption iamTable{QStringLiteral("iam-table"), {}, QStringLiteral("LISTA")};
    QCommandLineOption iamTransversal{
        QStringLiteral("iam-transversal"), {}, QStringLiteral("LISTA")};
    QCommandLineOption iamLongitudinal{
        QStringLiteral("iam-longitudinal"), {}, QStringLiteral("LISTA")};

    [[nodiscard]] QList<QCommandLineOption> all() const;
};

// The refusal of an option of the year's given without --annual, naming it.
[[nodiscard]] std::optional<QString> annualOptionWithoutAnnual(const QCommandLineParser& parser,
                                                               const AnnualOptions& options);

// The --help lines of the year and its options.
[[nodiscard]] QString annualHelp();

// Runs --annual on the parsed command line. The weather file is read and
// the plane's geometry prepared once; then each collector at each
// temperature is one pass over the year.
[[nodiscard]] Outcome runAnnual(const QCommandLineParser& parser, const AnnualOptions& options,
                                const DatasheetOptions& datasheet, const QLocale& locale);

}  // namespace cli
