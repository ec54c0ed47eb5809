#include "window_placement.h"

#include <algorithm>

namespace ui {

QPoint centredFramePosition(const QRect& frame, const QRect& available) {
    QRect centred = frame;
    centred.moveCenter(available.center());
    return {std::max(centred.left(), available.left()), std::max(centred.top(), available.top())};
}

}  // namespace ui
