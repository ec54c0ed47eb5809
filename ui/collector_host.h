#pragma once

#include <QString>
#include <array>
#include <span>

#include "model/calculation.h"
#include "model/comparison.h"
#include "runtime/fixed4.h"

class QLocale;
class QWidget;

namespace rt {
class NumberFormat;
}

namespace ui {

// The collector the window shows, as a dialog reads it.
struct ShownCollector {
    QString name;  // as the chart's legend shows it
    rt::Fixed4 eta0;
    rt::Fixed4 a1;
    rt::Fixed4 a2;
    rt::Fixed4 area;
};

// What the library, datasheet and annual yield dialogs use of the main window, and all
// they see of it: its number format, the collector it shows, and the two
// ways a collector goes in.
class CollectorHost {
public:
    virtual ~CollectorHost() = default;

    // The window the dialogs open over.
    [[nodiscard]] virtual QWidget& dialogParent() = 0;
    [[nodiscard]] virtual const rt::NumberFormat& format() const = 0;
    // The region whose number format the window follows.
    [[nodiscard]] virtual const QLocale& numberLocale() const = 0;
    [[nodiscard]] virtual ShownCollector shownCollector() const = 0;
    // The curves kept beside it, in keeping order.
    [[nodiscard]] virtual std::span<const model::KeptCollector> keptCollectors() const = 0;
    // Takes a collector whose values are within the boxes' ranges, as
    // typing `shown` (η0, a1, a2, area) into the custom row would.
    virtual void loadCollector(const model::Collector& collector,
                               const std::array<QString, 4>& shown) = 0;
    // Keeps a collector on the chart under a name of its own.
    virtual model::KeepOutcome keepCollector(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1,
                                             rt::Fixed4 a2) = 0;
};

}  // namespace ui
