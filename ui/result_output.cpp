#include "result_output.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <array>
#include <utility>
#include <vector>

#include "chart_box.h"
#include "chart_picture.h"
#include "output_module.h"
#include "product/version.h"
#include "runtime/control_interfaces.h"

namespace ui {
namespace {

void putOnClipboard(const QString& text, const QString& html) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data);
}

struct FileFilter {
    QStringView text;
    QStringView extension;
};

constexpr std::array kFileFilters{
    FileFilter{u"PNG-kép (*.png)", u"png"},
    FileFilter{u"SVG-vektorgrafika (*.svg)", u"svg"},
    FileFilter{u"PDF-dokumentum (*.pdf)", u"pdf"},
};

const QString kDefaultFileName = QStringLiteral("hatasfokgorbe.png");

}  // namespace

ResultOutput::ResultOutput(const ResultSources& sources, rt::MessageBox& messageBox)
    : sources_(sources), messageBox_(messageBox) {}

std::vector<present::NamedValue> ResultOutput::resultLines() const {
    const Controls& c = sources_.controls;
    const auto valueOf = [](const ScrollBar* slider) {
        return rt::Int16::checked(slider->QScrollBar::value());
    };
    const present::InputTexts inputs{
        .collectorType = sources_.loadedName && !sources_.loadedName().isEmpty()
                             ? sources_.loadedName()
                             : c.collectorType->currentText(),
        .eta0 = c.eta0Box->text(),
        .a1 = c.a1Box->text(),
        .a2 = c.a2Box->text(),
        .collectorArea = c.areaBox->text(),
        .conditions = {valueOf(c.collectorTempSlider), valueOf(c.ambientTempSlider),
                       valueOf(c.irradianceSlider)},
    };
    const model::Inputs& values = sources_.inputs;
    const model::Results results = model::calculate(values.collector(), values.conditions());
    return present::resultLines(inputs, present::formatResults(results, sources_.format),
                                sources_.kept, sources_.format);
}

void ResultOutput::copyResults() {
    const std::vector<present::NamedValue> lines = resultLines();
    putOnClipboard(present::plainText(lines), present::htmlTable(lines));
}

void ResultOutput::copyPowerTable() {
    const std::vector<present::PowerRow> rows = present::powerTable(
        sources_.inputs.collector(), sources_.inputs.conditions(), sources_.format, 10);
    putOnClipboard(present::powerTablePlainText(rows), present::powerTableHtml(rows));
}

void ResultOutput::copyChart() {
    const ChartBox& chart = *sources_.controls.chart;
    QGuiApplication::clipboard()->setImage(chartImage(chart, chart.devicePixelRatioF()));
}

void ResultOutput::saveChartAs() {
    QStringList filters;
    for (const FileFilter& filter : kFileFilters) {
        filters.append(filter.text.toString());
    }
    QString chosenFilter = filters.front();
    QString path = QFileDialog::getSaveFileName(
        &sources_.window, QStringLiteral("Grafikon mentése"),
        QDir(saveFolder()).filePath(kDefaultFileName), filters.join(u";;"), &chosenFilter);
    if (path.isEmpty()) {
        return;
    }
    lastSaveFolder_ = QFileInfo(path).absolutePath();
    // A name without one of the three extensions gets the chosen type's, as
    // the desktop's save dialogs do.
    if (!chartFileFormatOf(path)) {
        for (const FileFilter& filter : kFileFilters) {
            if (filter.text == chosenFilter) {
                path += u'.' + filter.extension.toString();
            }
        }
    }
    (void)saveChart(path);
}

QString ResultOutput::saveFolder() const {
    if (!lastSaveFolder_.isEmpty()) {
        return lastSaveFolder_;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool ResultOutput::saveChart(const QString& path) {
    const std::optional<ChartFileFormat> format = chartFileFormatOf(path);
    if (!format) {
        warn(QStringLiteral("Mentés"),
             QStringLiteral("A grafikon csak PNG, SVG vagy PDF formátumban menthető: %1")
                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!writeChart(*sources_.controls.chart, path, *format)) {
        warn(QStringLiteral("Mentés"),
             QStringLiteral("A grafikon nem menthető ide: %1").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

void ResultOutput::setUpPrinter(QPagedPaintDevice& printer) {
    setUpPrintedPage(printer, QStringLiteral("Hatásfokgörbe"));
}

void ResultOutput::print() {
    const OutputModule* output = outputModule();
    if (output == nullptr) {
        warn(QStringLiteral("Nyomtatás"), QStringLiteral("A nyomtatás nem indítható el."));
        return;
    }
    const std::unique_ptr<QPagedPaintDevice> printer = output->printer();
    setUpPrinter(*printer);
    if (output->askToPrint(*printer, &sources_.window, QStringLiteral("Nyomtatás"))) {
        (void)printTo(*printer);
    }
}

bool ResultOutput::printTo(QPagedPaintDevice& printer, QDate date) {
    const OutputModule* output = outputModule();
    QPainter painter;
    if (output == nullptr || !painter.begin(&printer)) {
        warn(QStringLiteral("Nyomtatás"), QStringLiteral("A nyomtatás nem indítható el."));
        return false;
    }
    const PageText text{
        .title = QString::fromUtf8(product::kDisplayName),
        .date = QLocale(QLocale::Hungarian, QLocale::Hungary).toString(date, QLocale::LongFormat),
        .lines = resultLines(),
    };
    const QRectF page = output->printableArea(printer);
    paintPage(painter, page.translated(-page.topLeft()), text, *sources_.controls.chart);
    return painter.end();
}

void ResultOutput::warn(const QString& title, const QString& text) {
    messageBox_.show(text, rt::MessageBox::kWarningOk, title);
}

}  // namespace ui
