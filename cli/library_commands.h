#pragma once

#include <QLocale>
#include <QStringList>
#include <optional>
#include <variant>

#include "command_line.h"
#include "library/collector_store.h"

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

// The library at `path`, or the user's own where `path` is empty; the
// user's own first takes over the command line's earlier library, and
// `adopted` receives the line that says so.
[[nodiscard]] library::CollectorStore openStore(const QString& path, QString* adopted);

// The collector --collector NAME names in the library at `path` (the user's
// own where empty), or the refusal: not stored (a usage error), or the
// library unreadable (a runtime error). `adopted` receives what openStore
// says.
[[nodiscard]] std::variant<library::Collector, Outcome> findStoredCollector(const QString& name,
                                                                            const QString& path,
                                                                            QString* adopted);

// A name as a terminal may show it: control characters and direction
// overrides written as \uXXXX.
[[nodiscard]] QString printable(const QString& text);

}  // namespace cli
