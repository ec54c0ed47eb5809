#pragma once

#include <QPoint>
#include <QRect>

namespace ui {

// Where a window's frame goes when centred on a screen's available area. A
// frame larger than the area keeps its top-left corner, title bar included,
// inside it, so that the window can still be grabbed and moved.
[[nodiscard]] QPoint centredFramePosition(const QRect& frame, const QRect& available);

}  // namespace ui
