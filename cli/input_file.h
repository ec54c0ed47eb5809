#pragma once

#include <QFile>
#include <QString>
#include <memory>

namespace cli {

// The file a command reads, opened; "-" is standard input. Null with the
// reason, naming the file, when it cannot be read.
[[nodiscard]] std::unique_ptr<QFile> openInputFile(const QString& name, QString* error);

}  // namespace cli
