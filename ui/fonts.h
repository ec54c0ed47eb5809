#pragma once

#include <QFont>

#include "control_table.h"

namespace ui {

// The nearest installed faces to the design's fonts, same size, weight and
// slant: Liberation Sans for MS Sans Serif and Arial (Arial's metrics), and
// DejaVu Sans Bold Oblique, the heaviest sans installed, for Arial Black.
[[nodiscard]] QFont fontFor(FontKey key);

// Makes the default face the program's font for every control without one.
void installDefaultFont();

}  // namespace ui
