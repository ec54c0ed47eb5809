#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Standard output that cannot be lost silently: a script that reads it must
// learn when the results never reached it.
namespace cli {

// Makes a closed standard output fail every write rather than leave its
// descriptor free for the next file the program opens. Call before anything
// opens a file.
void guardClosedStandardOutput();

// Writes the bytes to standard output and flushes it; the reason, in
// Hungarian, when either fails.
[[nodiscard]] std::optional<QString> writeStandardOutput(const QByteArray& bytes);

// The line a failed write prints on standard error.
[[nodiscard]] QString outputFailure(const QString& reason);

}  // namespace cli
