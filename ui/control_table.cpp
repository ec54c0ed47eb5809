#include "control_table.h"

namespace ui {

const ControlRow* rowNamed(QStringView name) {
    for (const ControlRow& row : controlTable()) {
        if (name == QLatin1StringView(row.name)) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace ui
