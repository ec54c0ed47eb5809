#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <span>

class QLocale;
class QWidget;

// The annual yield's monthly bars, drawn by QtCharts in a module of its own
// (libefficiency-charts.so), loaded when the dialog first opens, so that a
// start-up neither loads nor relocates QtCharts.
namespace ui {

// One collector's bars: its yield in each month.
struct MonthlyBars {
    QString name;
    std::array<double, 12> values{};
};

class MonthlyChart {
public:
    virtual ~MonthlyChart() = default;

    // The chart's widget, owned by the parent it was made with.
    [[nodiscard]] virtual QWidget& widget() = 0;
    // Replaces the bars; numbers in `locale`'s format.
    virtual void show(std::span<const MonthlyBars> bars, const QStringList& months,
                      const QString& valueTitle, const QLocale& locale) = 0;
};

// Makes a chart inside `parent`, or returns null when the module cannot be
// loaded, and the dialog shows the table alone.
[[nodiscard]] MonthlyChart* makeMonthlyChart(QWidget& parent);

// The name the module's maker is exported under.
inline constexpr const char* kChartsModuleEntry = "efficiencyMonthlyChart";

}  // namespace ui
