#pragma once

#include <QPagedPaintDevice>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class QIODevice;
class QPainter;
class QWidget;

// What QtSvg and QtPrintSupport do for the window. They live in a module of
// their own (libefficiency-output.so), loaded at the first save, print,
// warning or picture at a scale the build prepared no pixels for, so that a
// start-up neither loads nor relocates them.
namespace ui {

class OutputModule {
public:
    virtual ~OutputModule() = default;

    // QtSvg: a picture's own size, drawing it, and writing an SVG file.
    [[nodiscard]] virtual QSize svgSize(const QString& file) const = 0;
    virtual void renderSvg(QPainter& painter, const QString& file, const QRectF& bounds) const = 0;
    // The file is complete once painting on the device has ended.
    [[nodiscard]] virtual std::unique_ptr<QPaintDevice> svgWriter(
        QIODevice& file, QSize size, int dpi, const QString& title,
        const QString& description) const = 0;

    // QtPrintSupport: a high-resolution printer, its document's name, the
    // printable area in device pixels, and the print dialog (true: print).
    [[nodiscard]] virtual std::unique_ptr<QPagedPaintDevice> printer() const = 0;
    virtual void nameDocument(QPagedPaintDevice& printer, const QString& name,
                              const QString& creator) const = 0;
    [[nodiscard]] virtual QRectF printableArea(const QPagedPaintDevice& printer) const = 0;
    [[nodiscard]] virtual bool askToPrint(QPagedPaintDevice& printer, QWidget* parent,
                                          const QString& title) const = 0;
};

// The module, loaded on the first call; null when it cannot be found or
// loaded, and the callers say so.
[[nodiscard]] const OutputModule* outputModule();

// The program's printed pages: A4 upright with 20 mm margins, the document
// named (the print dialog offers a file by that name) and the program as
// its creator.
void setUpPrintedPage(QPagedPaintDevice& printer, const QString& documentName);

// Starts painting one printed page named `documentName` (as above) in
// points, the units its fonts use: the printable area's size in points, or
// none where the module or the printer cannot be used.
[[nodiscard]] std::optional<QSizeF> beginPrintedPage(QPainter& painter, QPagedPaintDevice& printer,
                                                     const QString& documentName);

// The name the module's maker is exported under.
inline constexpr const char* kOutputModuleEntry = "efficiencyOutputModule";

}  // namespace ui
