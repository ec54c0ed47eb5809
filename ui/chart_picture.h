#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "present/result_texts.h"

class QPainter;

// The chart as it leaves the window: drawn again from what the chart box holds (the
// display list, its child pictures from their SVG files, the result labels
// as text), so that a file or a printer gets vectors and letters, never a
// copy of the screen's pixels.
namespace ui {

class ChartBox;

// Draws the chart box as it shows, without the focus mark, with the painter's origin
// at the chart box's top-left corner, one unit to the chart box's device-independent pixel.
// Fonts are given in those units, so the painter may be scaled to any size.
void paintChart(QPainter& painter, const ChartBox& chart);

// The same as pixels, at the given device pixel ratio.
[[nodiscard]] QImage chartImage(const ChartBox& chart, qreal ratio);

enum class ChartFileFormat { Png, Svg, Pdf };

// By the file name's extension, in any case; none for another extension.
[[nodiscard]] std::optional<ChartFileFormat> chartFileFormatOf(const QString& path);

// Writes the chart: PNG at twice the chart box's pixels, SVG and PDF as vectors at
// the chart box's size. The file appears only once it is complete; false, and no
// file, when it cannot be written.
[[nodiscard]] bool writeChart(const ChartBox& chart, const QString& path, ChartFileFormat format);

// What a printed page shows above the chart.
struct PageText {
    QString title;  // the program's name
    QString date;
    std::vector<present::NamedValue> lines;  // the copied results, as a table
};

// One printed page inside `page` (device units of the painter): the title,
// the date, the results as a two-column table and the chart scaled to the
// page's width.
void paintPage(QPainter& painter, const QRectF& page, const PageText& text, const ChartBox& chart);

}  // namespace ui
