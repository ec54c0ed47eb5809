#include "chart_painter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPen>
#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "list_changes.h"

namespace chart {
namespace {

// Enough for every tick value the chart can print, with room to spare.
constexpr qsizetype kMaxLayouts = 512;

QColor toQColor(rt::Color color) {
    return QColor(rt::redOf(color), rt::greenOf(color), rt::blueOf(color));
}

QPointF toPixels(float x, float y) {
    constexpr qreal twipsPerPixel = kTwipsPerPixel;
    return {x / twipsPerPixel, y / twipsPerPixel};
}

// The font a print is drawn in.
QFont printFont(const QFont& surfaceFont, const QString& name) {
    QFont font = surfaceFont;
    if (!name.isEmpty()) {
        font.setFamily(name);
    }
    return font;
}

// Whatever the print's glyphs, laid out in `layout`, can cover.
QRectF areaOf(const RecordedText& print, const QStaticText& layout) {
    const QSizeF size = layout.size();
    // Glyphs may reach beyond their line's box: a generous margin costs a
    // few pixels, a short one would leave old pixels standing.
    const qreal margin = size.height();
    return QRectF(toPixels(print.x, print.y), size)
        .adjusted(-margin, -margin / 2, margin, margin / 2);
}

}  // namespace

// Paints one display list: lines and texts in their recorded order, keeping
// the pen and the font until they change. Coordinates are converted to
// pixels here rather than through a scaled painter, which would send every
// wide line through the general stroker.
class ListPainter {
public:
    ListPainter(QPainter& painter, ChartPainter& layouts, const QFont& surfaceFont,
                const QRegion* area)
        : painter_(painter),
          layouts_(layouts),
          surfaceFont_(surfaceFont),
          area_(area),
          textPen_(painter.pen()) {}

    void drawLines(std::span<const RecordedLine> lines) {
        // Runs of one pen go to the paint engine in batches.
        std::array<QLineF, 64> batch;
        std::size_t count = 0;
        for (const RecordedLine& line : lines) {
            if (area_ != nullptr && !area_->intersects(areaOf(line))) {
                continue;
            }
            if (!hasPen_ || line.color != penColor_ || line.width != penWidth_) {
                flush(batch, count);
                usePen(line.color, line.width);
            }
            batch[count++] = QLineF(toPixels(line.x1, line.y1), toPixels(line.x2, line.y2));
            if (count == batch.size()) {
                flush(batch, count);
            }
        }
        flush(batch, count);
    }

    void drawText(const RecordedText& print) {
        if (!hasFont_ || print.fontName != fontName_) {
            useFont(print.fontName);
        }
        const QStaticText& layout = layouts_.layout(print.text, font_);
        if (area_ != nullptr && !area_->intersects(areaOf(print, layout).toAlignedRect())) {
            return;
        }
        if (!textPenSet_ || print.color != textColor_) {
            painter_.setPen(print.color ? QPen(toQColor(*print.color)) : textPen_);
            textPenSet_ = true;
            textColor_ = print.color;
            hasPen_ = false;
        }
        // QStaticText places the top of the text's line at the point.
        painter_.drawStaticText(toPixels(print.x, print.y), layout);
    }

    // Filled with the painter's background, which is the surface's back colour.
    void drawBox(const RecordedBox& box) {
        const QRectF rect(toPixels(box.x1, box.y1), toPixels(box.x2, box.y2));
        painter_.fillRect(rect, painter_.background());
        usePen(box.frame, 1);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(rect);
    }

private:
    void flush(std::array<QLineF, 64>& batch, std::size_t& count) {
        if (count > 0) {
            painter_.drawLines(batch.data(), static_cast<int>(count));
            count = 0;
        }
    }

    void usePen(rt::Color color, int width) {
        hasPen_ = true;
        textPenSet_ = false;
        penColor_ = color;
        penWidth_ = width;
        // Square caps close the joints between the curve's short segments.
        painter_.setPen(QPen(toQColor(color), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }

    void useFont(const QString& name) {
        hasFont_ = true;
        fontName_ = name;
        font_ = printFont(surfaceFont_, name);
        painter_.setFont(font_);
    }

    QPainter& painter_;
    ChartPainter& layouts_;
    const QFont& surfaceFont_;
    const QRegion* area_;
    QPen textPen_;
    bool textPenSet_ = false;
    std::optional<rt::Color> textColor_;  // the colour textPenSet_ refers to
    bool hasPen_ = false;
    rt::Color penColor_ = 0;
    int penWidth_ = 0;
    bool hasFont_ = false;
    QString fontName_;
    QFont font_;
};

const QStaticText& ChartPainter::layout(const QString& text, const QFont& font) {
    if (font != layoutFont_ || layouts_.size() >= kMaxLayouts) {
        layouts_.clear();
        layoutFont_ = font;
    }
    auto found = layouts_.find(text);
    if (found == layouts_.end()) {
        QStaticText layout(text);
        layout.setTextFormat(Qt::PlainText);
        layout.setPerformanceHint(QStaticText::AggressiveCaching);
        found = layouts_.insert(text, layout);
    }
    return *found;
}

QRectF ChartPainter::textArea(const RecordedText& print, const QFont& surfaceFont) {
    return areaOf(print, layout(print.text, printFont(surfaceFont, print.fontName)));
}

void ChartPainter::paint(QPainter& painter, const DisplayList& list, const QFont& surfaceFont,
                         const QRegion* area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    ListPainter paint(painter, *this, surfaceFont, area);
    const std::span<const RecordedLine> lines(list.lines);
    std::size_t drawn = 0;
    auto box = list.boxes.begin();
    const auto drawBoxesBefore = [&](std::size_t print) {
        for (; box != list.boxes.end() && box->printsBefore <= print; ++box) {
            paint.drawLines(lines.subspan(drawn, box->linesBefore - drawn));
            drawn = box->linesBefore;
            paint.drawBox(*box);
        }
    };
    for (std::size_t i = 0; i < list.prints.size(); ++i) {
        const RecordedText& print = list.prints[i];
        drawBoxesBefore(i);
        paint.drawLines(lines.subspan(drawn, print.linesBefore - drawn));
        drawn = print.linesBefore;
        paint.drawText(print);
    }
    drawBoxesBefore(list.prints.size());
    paint.drawLines(lines.subspan(drawn));
    painter.restore();
}

double textWidthInTwips(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text) * kTwipsPerPixel;
}

void paintDisplayList(QPainter& painter, const DisplayList& list, const QFont& surfaceFont) {
    ChartPainter().paint(painter, list, surfaceFont);
}

}  // namespace chart
