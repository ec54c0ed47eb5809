#pragma once

#include <QRect>
#include <functional>
#include <optional>
#include <vector>

#include "recording_surface.h"

namespace chart {

// The pixels a line can paint, in the surface's pixels: its segment widened
// by half the pen (which covers its square caps) and a pixel for rounding.
[[nodiscard]] QRect areaOf(const RecordedLine& line);

// Bounds, in pixels, whatever a print's glyphs can cover.
using TextArea = std::function<QRectF(const RecordedText&)>;

// Where painting `now` can give other pixels than painting `before`, as
// rectangles in pixels of the surface (they may overlap). An item that both
// lists draw alike, in the same order relative to the other such items,
// changes nothing; the area of every other item, in either list, is
// included. The same pen, font and back colour are assumed for both.
// Empty when so much changed that the whole chart is better repainted.
[[nodiscard]] std::optional<std::vector<QRect>> changedAreas(const DisplayList& before,
                                                             const DisplayList& now,
                                                             const TextArea& textArea);

}  // namespace chart
