#include "monthly_chart.h"

#include "module_loader.h"

namespace ui {

MonthlyChart* makeMonthlyChart(QWidget& parent) {
    using Maker = MonthlyChart* (*)(QWidget&);
    static const auto make = reinterpret_cast<Maker>(
        moduleEntry(QStringLiteral("libefficiency-charts.so"), kChartsModuleEntry));
    return make ? make(parent) : nullptr;
}

}  // namespace ui
