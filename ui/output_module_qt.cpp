// The output module: QtSvg and QtPrintSupport behind ui::OutputModule.
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "output_module.h"

namespace {

class QtOutput final : public ui::OutputModule {
public:
    [[nodiscard]] QSize svgSize(const QString& file) const override {
        return QSvgRenderer(file).defaultSize();
    }

    void renderSvg(QPainter& painter, const QString& file, const QRectF& bounds) const override {
        QSvgRenderer(file).render(&painter, bounds);
    }

    [[nodiscard]] std::unique_ptr<QPaintDevice> svgWriter(
        QIODevice& file, QSize size, int dpi, const QString& title,
        const QString& description) const override {
        auto svg = std::make_unique<QSvgGenerator>();
        svg->setOutputDevice(&file);
        svg->setSize(size);
        svg->setViewBox(QRect(QPoint(0, 0), size));
        svg->setResolution(dpi);
        svg->setTitle(title);
        svg->setDescription(description);
        return svg;
    }

    [[nodiscard]] std::unique_ptr<QPagedPaintDevice> printer() const override {
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    }

    void nameDocument(QPagedPaintDevice& printer, const QString& name,
                      const QString& creator) const override {
        if (auto* qprinter = dynamic_cast<QPrinter*>(&printer)) {
            qprinter->setDocName(name);
            qprinter->setCreator(creator);
        }
    }

    [[nodiscard]] QRectF printableArea(const QPagedPaintDevice& printer) const override {
        if (const auto* qprinter = dynamic_cast<const QPrinter*>(&printer)) {
            return qprinter->pageRect(QPrinter::DevicePixel);
        }
        return QRectF(printer.pageLayout().paintRectPixels(printer.logicalDpiX()));
    }

    [[nodiscard]] bool askToPrint(QPagedPaintDevice& printer, QWidget* parent,
                                  const QString& title) const override {
        auto* qprinter = dynamic_cast<QPrinter*>(&printer);
        if (qprinter == nullptr) {
            return false;
        }
        QPrintDialog dialog(qprinter, parent);
        dialog.setWindowTitle(title);
        // Qt's dialog names a file to print to only on X11; elsewhere (Wayland)
        // it offers the bare folder, which cannot be printed to.
        auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        if (file != nullptr && file->text().endsWith(u'/')) {
            file->setText(file->text() + qprinter->docName() + QStringLiteral(".pdf"));
        }
        return dialog.exec() == QDialog::Accepted;
    }
};

}  // namespace

extern "C" Q_DECL_EXPORT const ui::OutputModule* efficiencyOutputModule() {
    static const QtOutput output;
    return &output;
}
