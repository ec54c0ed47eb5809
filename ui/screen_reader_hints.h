#pragma once

#include <functional>

class QObject;

namespace present {
struct ResultTexts;
}
namespace rt {
class NumberFormat;
}

namespace ui {

struct Controls;

// What a screen reader cannot learn from the stock widgets: a slider's step
// with its unit and the result it gives, and the values of disabled boxes.
// The hints live as long as `context`. The efficiency comes from the results
// as the window formats them: call the returned function with each.
[[nodiscard]] std::function<void(const present::ResultTexts&)> addScreenReaderHints(
    const Controls& controls, const rt::NumberFormat& format, QObject& context);

}  // namespace ui
