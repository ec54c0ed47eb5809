#include "chart_painter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPen>
#include <array>
#include <cstddef>
#include <span>

namespace chart {
namespace {

constexpr qreal kTwipsPerPixel = 15.0;

QColor toQColor(rt::Color color) {
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

// Paints one display list: lines and texts in their recorded order, keeping
// the pen and the font until they change.
class ListPainter {
public:
    ListPainter(QPainter& painter, const QFont& surfaceFont)
        : painter_(painter), surfaceFont_(surfaceFont), textPen_(painter.pen()) {}

    void drawLines(std::span<const RecordedLine> lines) {
        // Runs of one pen go to the paint engine in batches.
        std::array<QLineF, 64> batch;
        std::size_t count = 0;
        for (const RecordedLine& line : lines) {
            if (!hasPen_ || line.color != penColor_ || line.width != penWidth_) {
                flush(batch, count);
                usePen(line.color, line.width);
            }
            batch[count++] = QLineF(line.x1, line.y1, line.x2, line.y2);
            if (count == batch.size()) {
                flush(batch, count);
            }
        }
        flush(batch, count);
    }

    void drawText(const RecordedPrint& print) {
        if (!hasFont_ || print.fontName != fontName_) {
            useFont(print.fontName);
        }
        // Texts keep their size in pixels: undo the twips scale around each.
        painter_.save();
        painter_.translate(print.x, print.y);
        painter_.scale(kTwipsPerPixel, kTwipsPerPixel);
        painter_.setFont(font_);
        painter_.setPen(textPen_);
        painter_.drawText(QPointF(0.0, ascent_), print.text);
        painter_.restore();
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
        penColor_ = color;
        penWidth_ = width;
        // Square caps close the joints between the curve's short segments.
        painter_.setPen(QPen(toQColor(color), width * kTwipsPerPixel, Qt::SolidLine, Qt::SquareCap,
                             Qt::MiterJoin));
    }

    void useFont(const QString& name) {
        hasFont_ = true;
        fontName_ = name;
        font_ = surfaceFont_;
        if (!name.isEmpty()) {
            font_.setFamily(name);
        }
        ascent_ = QFontMetricsF(font_, painter_.device()).ascent();
    }

    QPainter& painter_;
    const QFont& surfaceFont_;
    QPen textPen_;
    bool hasPen_ = false;
    rt::Color penColor_ = 0;
    int penWidth_ = 0;
    bool hasFont_ = false;
    QString fontName_;
    QFont font_;
    qreal ascent_ = 0.0;
};

}  // namespace

void paintDisplayList(QPainter& painter, const RecordingSurface& list, const QFont& surfaceFont) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    ListPainter paint(painter, surfaceFont);
    const std::span<const RecordedLine> lines(list.lines());
    std::size_t drawn = 0;
    for (const RecordedPrint& print : list.prints()) {
        paint.drawLines(lines.subspan(drawn, print.linesBefore - drawn));
        drawn = print.linesBefore;
        paint.drawText(print);
    }
    paint.drawLines(lines.subspan(drawn));
    painter.restore();
}

}  // namespace chart
