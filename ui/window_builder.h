#pragma once

#include <QWidget>
#include <array>

#include "control_table.h"
#include "runtime/number_text.h"

namespace ui {

// The window's controls as built: by their handles and by their IDs.
struct BuiltControls {
    Controls handles;
    std::array<QWidget*, kControlCount> widgets{};  // indexed by ControlId
};

// Makes every control of the table inside the window, in the table's order,
// chains them in tab order, gives the first of the chain the focus and
// fills the handles.
[[nodiscard]] BuiltControls buildControls(QWidget& window);

}  // namespace ui
