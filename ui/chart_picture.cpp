#include "chart_picture.h"

#include <QFileInfo>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QtMath>
#include <algorithm>

#include "chart_box.h"
#include "output_module.h"
#include "product/version.h"

namespace ui {
namespace {

// A font in pixels of the logical screen: a point size would be taken at the
// target's resolution (1200 dpi on a printer) and then scaled once more.
QFont inScreenPixels(QFont font, int logicalDpi) {
    if (font.pointSizeF() > 0) {
        font.setPixelSize(qRound(font.pointSizeF() * logicalDpi / 72.0));
    }
    return font;
}

void paintPictureChild(QPainter& painter, const PictureBox& box) {
    painter.fillRect(box.geometry(), box.palette().color(QPalette::Window));
    const OutputModule* output = outputModule();
    if (box.picture() != nullptr && output != nullptr) {
        const QString file = QString::fromLatin1(box.picture());
        const QPointF at = box.geometry().topLeft() + QPointF(box.borderWidth(), box.borderWidth());
        output->renderSvg(painter, file, QRectF(at, output->svgSize(file)));
    }
}

void paintLabelChild(QPainter& painter, const QLabel& label, int logicalDpi) {
    if (label.autoFillBackground()) {
        painter.fillRect(label.geometry(), label.palette().color(label.backgroundRole()));
    }
    painter.setFont(inScreenPixels(label.font(), logicalDpi));
    painter.setPen(label.palette().color(label.foregroundRole()));
    painter.drawText(label.geometry(), static_cast<int>(label.alignment()), label.text());
}

const QString kChartTitle = QStringLiteral("Hatásfokgörbe");

// False when the device cannot be painted on or its output not completed.
bool paintChartOnto(QPaintDevice& device, const ChartBox& chart) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    paintChart(painter, chart);
    return painter.end();
}

bool writeSvg(const ChartBox& chart, QIODevice& file) {
    const OutputModule* output = outputModule();
    if (output == nullptr) {
        return false;
    }
    const std::unique_ptr<QPaintDevice> svg =
        output->svgWriter(file, chart.size(), chart.logicalDpiX(), kChartTitle,
                          QString::fromUtf8(product::kDisplayName));
    return paintChartOnto(*svg, chart);
}

bool writePdf(const ChartBox& chart, QIODevice& file) {
    QPdfWriter pdf(&file);
    // One unit to the screen's pixel: the page is the chart box's size at 96 dpi.
    const int dpi = chart.logicalDpiX();
    pdf.setResolution(dpi);
    pdf.setPageSize(QPageSize(QSizeF(chart.size()) * 72.0 / dpi, QPageSize::Point, kChartTitle,
                              QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(kChartTitle);
    pdf.setCreator(QString::fromUtf8(product::kDisplayName));
    return paintChartOnto(pdf, chart);
}

}  // namespace

void paintChart(QPainter& painter, const ChartBox& chart) {
    const int dpi = chart.logicalDpiY();
    painter.save();
    // The ticks' values may run past the chart box's edge, where the screen cuts them off.
    painter.setClipRect(chart.rect(), Qt::IntersectClip);
    painter.fillRect(chart.rect(), chart.palette().color(QPalette::Window));

    const int border = chart.borderWidth();
    painter.save();
    painter.translate(border, border);
    painter.setPen(chart.palette().color(chart.foregroundRole()));   // the texts' colour
    painter.setBackground(chart.palette().color(QPalette::Window));  // the legend box's
    chart::paintDisplayList(painter, chart.list(), inScreenPixels(chart.font(), dpi));
    painter.restore();

    // The children cover the drawing, each clipped to itself and to the
    // inner area, as on the screen.
    const QRect inner = chart.innerArea();
    for (const QObject* object : chart.children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (child == nullptr || !child->isVisibleTo(&chart)) {
            continue;
        }
        painter.save();
        painter.setClipRect(child->geometry() & inner, Qt::IntersectClip);
        if (const auto* box = qobject_cast<const PictureBox*>(child)) {
            paintPictureChild(painter, *box);
        } else if (const auto* label = qobject_cast<const QLabel*>(child)) {
            paintLabelChild(painter, *label, dpi);
        }
        painter.restore();
    }
    chart.paintFrame(painter);
    painter.restore();
}

QImage chartImage(const ChartBox& chart, qreal ratio) {
    QImage image(qCeil(chart.width() * ratio), qCeil(chart.height() * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintChart(painter, chart);
    return image;
}

std::optional<ChartFileFormat> chartFileFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png") {
        return ChartFileFormat::Png;
    }
    if (suffix == u"svg") {
        return ChartFileFormat::Svg;
    }
    if (suffix == u"pdf") {
        return ChartFileFormat::Pdf;
    }
    return std::nullopt;
}

bool writeChart(const ChartBox& chart, const QString& path, ChartFileFormat format) {
    // QSaveFile writes beside the target and renames on commit: a failed
    // write leaves neither a partial file nor a damaged old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    bool written = false;
    switch (format) {
        case ChartFileFormat::Png:
            written = chartImage(chart, 2.0).save(&file, "PNG");
            break;
        case ChartFileFormat::Svg:
            written = writeSvg(chart, file);
            break;
        case ChartFileFormat::Pdf:
            written = writePdf(chart, file);
            break;
    }
    if (!written) {
        file.cancelWriting();
    }
    return file.commit();
}

void paintPage(QPainter& painter, const QRectF& page, const PageText& text, const ChartBox& chart) {
    painter.save();
    QFont titleFont(QStringLiteral("Liberation Sans"), 16, QFont::Bold);
    QFont bodyFont(QStringLiteral("Liberation Sans"), 10);
    qreal y = page.top();

    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    const qreal titleHeight = painter.fontMetrics().height();
    painter.drawText(QRectF(page.left(), y, page.width(), titleHeight), Qt::AlignLeft, text.title);
    y += titleHeight;
    painter.setFont(bodyFont);
    const QFontMetricsF body(painter.fontMetrics());
    painter.drawText(QRectF(page.left(), y, page.width(), body.height()), Qt::AlignLeft, text.date);
    y += body.height() * 2.5;

    // Two columns: the names, then the values beside the longest name.
    qreal nameWidth = 0;
    for (const present::NamedValue& line : text.lines) {
        nameWidth = std::max(nameWidth, body.horizontalAdvance(line.name));
    }
    const qreal gap = body.height() * 1.5;
    const qreal row = body.height() * 1.5;
    const qreal tableWidth = std::min(page.width(), nameWidth + gap + page.width() / 4);
    QPen rule(QColor(160, 160, 160));
    rule.setWidthF(body.height() / 20);
    for (const present::NamedValue& line : text.lines) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(page.left(), y, nameWidth, row), Qt::AlignLeft | Qt::AlignVCenter,
                         line.name);
        painter.drawText(
            QRectF(page.left() + nameWidth + gap, y, tableWidth - nameWidth - gap, row),
            Qt::AlignLeft | Qt::AlignVCenter, line.value);
        y += row;
        painter.setPen(rule);
        painter.drawLine(QPointF(page.left(), y), QPointF(page.left() + tableWidth, y));
    }
    y += body.height() * 2;

    // The chart as wide as the page, or as high as what is left of it.
    const qreal scale =
        std::min(page.width() / chart.width(), (page.bottom() - y) / chart.height());
    if (scale > 0) {
        painter.translate(page.left(), y);
        painter.scale(scale, scale);
        paintChart(painter, chart);
    }
    painter.restore();
}

}  // namespace ui
