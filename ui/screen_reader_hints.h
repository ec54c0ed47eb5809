#pragma once

class QObject;

namespace ui {

struct Controls;

// What a screen reader cannot learn from the stock widgets: a slider's step
// with its unit and the result it gives, and the values of disabled boxes.
// The hints live as long as `owner`.
void addScreenReaderHints(const Controls& controls, QObject& owner);

}  // namespace ui
