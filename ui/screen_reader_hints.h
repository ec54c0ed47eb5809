#pragma once

namespace rt {
class NumberFormat;
}

namespace ui {

struct Controls;
class Efficiency;

// What a screen reader cannot learn from the stock widgets: a slider's step
// with its unit and the result it gives, and the values of disabled boxes.
// The efficiency comes from the window's formatted results. The hints live
// as long as `window`.
void addScreenReaderHints(const Controls& controls, const rt::NumberFormat& format,
                          const Efficiency& window);

}  // namespace ui
