#include "output_module.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QPageLayout>

#include "product/version.h"

namespace ui {

const OutputModule* outputModule() {
    static const OutputModule* const loaded = []() -> const OutputModule* {
        // Beside the program in the build tree, beside the tests and tools
        // one folder over, or where the package installs it.
        const QString here = QCoreApplication::applicationDirPath();
        for (const QString& folder :
             {here, here + QStringLiteral("/../ui"),
              here + QStringLiteral("/" EFFICIENCY_MODULE_DIR_FROM_PROGRAM)}) {
            QLibrary library(folder + QStringLiteral("/libefficiency-output.so"));
            if (!library.load()) {
                continue;
            }
            using Maker = const OutputModule* (*)();
            if (const auto make = reinterpret_cast<Maker>(library.resolve(kOutputModuleEntry))) {
                return make();  // loaded for good: QLibrary never unloads on its own
            }
        }
        return nullptr;
    }();
    return loaded;
}

void setUpPrintedPage(QPagedPaintDevice& printer, const QString& documentName) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    if (const OutputModule* output = outputModule()) {
        output->nameDocument(printer, documentName, QString::fromUtf8(product::kDisplayName));
    }
}

}  // namespace ui
