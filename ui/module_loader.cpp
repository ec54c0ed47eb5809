#include "module_loader.h"

#include <QCoreApplication>
#include <QLibrary>

namespace ui {

void* moduleEntry(const QString& fileName, const char* entry) {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& folder : {here, here + QStringLiteral("/../ui"),
                                  here + QStringLiteral("/" EFFICIENCY_MODULE_DIR_FROM_PROGRAM)}) {
        QLibrary library(folder + u'/' + fileName);
        if (!library.load()) {
            continue;
        }
        if (QFunctionPointer function = library.resolve(entry)) {
            return reinterpret_cast<void*>(function);  // QLibrary never unloads on its own
        }
    }
    return nullptr;
}

}  // namespace ui
