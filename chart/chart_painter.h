#pragma once

#include <QFont>
#include <QPainter>

#include "recording_surface.h"

namespace chart {

// Paints a recorded chart with the painter's origin at the top-left corner of
// the surface's inner area, 15 twips to the device-independent pixel. Lines
// are crisp (no antialiasing) and DrawWidth pixels wide at any device pixel
// ratio. A text's top-left corner sits at its recorded position; it is drawn
// in the painter's pen colour on entry (the surface's text colour), in
// `surfaceFont` or, when a font name was assigned, in that family at the
// surface font's size. The background is the caller's.
void paintDisplayList(QPainter& painter, const RecordingSurface& list, const QFont& surfaceFont);

}  // namespace chart
