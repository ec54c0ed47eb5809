#pragma once

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QStaticText>

#include "recording_surface.h"

namespace chart {

// Twips to device-independent pixels: 1440 to the inch at Qt's 96 logical
// dpi. Qt's own scaling serves larger screens.
inline constexpr int kTwipsPerPixel = 15;

// Paints recorded charts with the painter's origin at the top-left corner of
// the surface's inner area, 15 twips to the device-independent pixel. Lines
// are crisp (no antialiasing) and DrawWidth pixels wide at any device pixel
// ratio. A text's top-left corner sits at its recorded position; it is drawn
// in its recorded colour, or else in the painter's pen colour on entry (the
// surface's text colour), in `surfaceFont` or, when a font name was assigned,
// in that family at the surface font's size. The background is the caller's;
// boxes are filled with the painter's background brush.
//
// The painter keeps the glyph layouts of the texts it has drawn: the same
// tick values come back in every paint, and laying them out again would
// cost more than all the lines.
class ChartPainter {
public:
    // With `area` (in the surface's pixels) only the lines and texts that
    // can reach it are painted: the others would leave no pixel in it.
    void paint(QPainter& painter, const DisplayList& list, const QFont& surfaceFont,
               const QRegion* area = nullptr);
    // Bounds, in pixels, whatever the print's glyphs can cover when painted.
    [[nodiscard]] QRectF textArea(const RecordedText& print, const QFont& surfaceFont);

private:
    friend class ListPainter;
    [[nodiscard]] const QStaticText& layout(const QString& text, const QFont& font);

    QFont layoutFont_;
    QHash<QString, QStaticText> layouts_;
};

// How wide the painter prints a text in `font`, in twips: a surface's
// TextWidth for the lists it paints.
[[nodiscard]] double textWidthInTwips(const QFont& font, const QString& text);

// The same with no layouts kept, for a one-off paint.
void paintDisplayList(QPainter& painter, const DisplayList& list, const QFont& surfaceFont);

}  // namespace chart
