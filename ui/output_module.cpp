#include "output_module.h"

#include <QPageLayout>

#include "module_loader.h"
#include "product/version.h"

namespace ui {

const OutputModule* outputModule() {
    static const OutputModule* const loaded = []() -> const OutputModule* {
        using Maker = const OutputModule* (*)();
        const auto make = reinterpret_cast<Maker>(
            moduleEntry(QStringLiteral("libefficiency-output.so"), kOutputModuleEntry));
        return make ? make() : nullptr;
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
