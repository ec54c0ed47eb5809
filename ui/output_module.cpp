#include "output_module.h"

#include <QPageLayout>
#include <QPainter>

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

std::optional<QSizeF> beginPrintedPage(QPainter& painter, QPagedPaintDevice& printer,
                                       const QString& documentName) {
    const OutputModule* output = outputModule();
    if (output == nullptr) {
        return std::nullopt;
    }
    setUpPrintedPage(printer, documentName);
    if (!painter.begin(&printer)) {
        return std::nullopt;
    }
    const double pointsPerPixel = 72.0 / printer.logicalDpiX();
    painter.scale(1 / pointsPerPixel, 1 / pointsPerPixel);
    return output->printableArea(printer).size() * pointsPerPixel;
}

}  // namespace ui
