#include "input_file.h"

#include <QFileInfo>
#include <cstdio>

namespace cli {

std::unique_ptr<QFile> openInputFile(const QString& name, QString* error) {
    auto file = std::make_unique<QFile>(name);
    const bool standardInput = name == u"-";
    const QFileInfo info(name);
    if (!standardInput && info.isDir()) {
        *error = QStringLiteral("%1: ez egy mappa, nem fájl.").arg(name);
        return nullptr;
    }
    const bool opened =
        standardInput ? file->open(stdin, QIODevice::ReadOnly) : file->open(QIODevice::ReadOnly);
    if (!opened) {
        *error = !info.exists() ? QStringLiteral("%1: nincs ilyen fájl.").arg(name)
                 : !info.isReadable()
                     ? QStringLiteral("%1: nincs jog az olvasásához.").arg(name)
                     : QStringLiteral("%1: nem olvasható: %2.").arg(name, file->errorString());
        return nullptr;
    }
    return file;
}

}  // namespace cli
