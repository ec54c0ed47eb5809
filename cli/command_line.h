#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The calculation from the command line: the window's calculation and its
// formatting, with no display and no GUI application.
namespace cli {

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kRuntimeError = 1;
inline constexpr int kUsageError = 2;  // a bad option or a refused value

struct Outcome {
    int status = kSuccess;
    QString standardOutput;
    QString standardError;
};

// Whether the arguments ask for the command line rather than the window:
// --calc, --table, --datasheet, --help/-h or --version/-v among them.
[[nodiscard]] bool asksForCommandLine(int argc, char* argv[]);

// Runs one command line; arguments[0] is the program's name. Numbers are
// read and written in `locale`'s format.
[[nodiscard]] Outcome run(const QStringList& arguments, const QLocale& locale);

// The program's entry for the command line: a QCoreApplication, the run in
// the system's locale, its output written out. Returns the exit status.
[[nodiscard]] int runMain(int argc, char* argv[]);

}  // namespace cli
