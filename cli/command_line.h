#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

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

// A refused option or value: the message on standard error, a usage error.
[[nodiscard]] inline Outcome refused(const QString& message) {
    return {kUsageError, {}, message + u'\n'};
}

// An option's long name, as its messages name it.
[[nodiscard]] inline QString nameOf(const QCommandLineOption& option) {
    return option.names().front();
}

// Whether the arguments ask for the command line rather than the window: any
// argument but Qt's own options (-platform, -style, -reverse ...) does, so
// that a mistyped command is refused rather than opening a window.
[[nodiscard]] bool asksForCommandLine(int argc, char* argv[]);

// The refusal, naming it, of the first argument that is not one of
// `options`, a long option written with one dash, or a flag given a value.
[[nodiscard]] std::optional<QString> misusedOption(const QStringList& arguments,
                                                   const QList<QCommandLineOption>& options);

// Takes each block of standard output as it is made: the reason, in
// Hungarian, when it could not be written, which ends the run.
using OutputSink = std::function<std::optional<QString>(const QString& text)>;

// Runs one command line; arguments[0] is the program's name. Numbers are
// read with a decimal point or comma and written in `locale`'s format. With
// a sink, --calc and --table hand it their output as they go; without one,
// the outcome holds it.
[[nodiscard]] Outcome run(const QStringList& arguments, const QLocale& locale,
                          const OutputSink& sink = {});

// The program's entry for the command line: a QCoreApplication, the run in
// the system's locale, its output written out and checked. Returns the exit
// status; 1 when standard output could not take the output.
[[nodiscard]] int runMain(int argc, char* argv[]);

}  // namespace cli
