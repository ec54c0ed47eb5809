#pragma once

#include <QLocale>
#include <QStringList>
#include <optional>
#include <variant>

#include "command_line.h"

// The collector library from the command line: a thin layer over
// library::CollectorStore and the import and export of library/.
namespace cli {

// Whether the arguments hold one of the library's commands.
[[nodiscard]] bool asksForLibraryCommand(const QStringList& arguments);

// --list [--json | --csv | --csv-hu], --import FILE [--replace], --export
// FILE [--csv-hu] and --remove NAME, each on --library FILE or the user's own
// library. The CSV has --input's columns first, whatever the locale; "-" as
// the export's file is standard output. Empty when the arguments hold none
// of them.
[[nodiscard]] std::optional<Outcome> runLibraryCommand(const QStringList& arguments,
                                                       const QLocale& locale);

// The arguments after --collector NAME (with --library FILE): the stored
// collector's --eta0, --a1, --a2 and --area in `locale`'s number format, so
// that the calculation takes them through the window's own checks, and its
// name for the output. An --area given as well takes the place of the stored
// one.
struct ExpandedArguments {
    QStringList arguments;
    QString collectorName;  // empty without --collector
};
// A usage error when the name is not stored or the library cannot be read.
[[nodiscard]] std::variant<ExpandedArguments, Outcome> expandCollector(const QStringList& arguments,
                                                                       const QLocale& locale);

}  // namespace cli
