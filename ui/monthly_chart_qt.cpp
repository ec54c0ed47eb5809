// The QtCharts side of the monthly bars, built as libefficiency-charts.so.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QValueAxis>
#include <algorithm>

#include "monthly_chart.h"

namespace ui {
namespace {

class BarChartView : public QChartView, public MonthlyChart {
public:
    explicit BarChartView(QWidget& parent) : QChartView(&parent) {
        setRenderHint(QPainter::Antialiasing);
        // The table beside it holds the same numbers for the keyboard and
        // screen readers.
        setFocusPolicy(Qt::NoFocus);
        chart()->legend()->setAlignment(Qt::AlignBottom);
        chart()->setMargins(QMargins(4, 4, 4, 4));
        chart()->setBackgroundRoundness(0);
        chart()->setAnimationOptions(QChart::NoAnimation);
    }

    QWidget& widget() override { return *this; }

    void show(std::span<const MonthlyBars> bars, const QStringList& months,
              const QString& valueTitle, const QLocale& locale) override {
        QChart& c = *chart();
        c.removeAllSeries();
        for (QAbstractAxis* axis : c.axes()) {
            c.removeAxis(axis);
            delete axis;
        }
        c.setLocalizeNumbers(true);
        c.setLocale(locale);
        auto* series = new QBarSeries;
        double highest = 0;
        for (const MonthlyBars& collector : bars) {
            auto* set = new QBarSet(collector.name);
            for (double value : collector.values) {
                set->append(value);
                highest = std::max(highest, value);
            }
            series->append(set);
        }
        c.addSeries(series);
        auto* monthAxis = new QBarCategoryAxis;
        monthAxis->append(months);
        c.addAxis(monthAxis, Qt::AlignBottom);
        series->attachAxis(monthAxis);
        auto* valueAxis = new QValueAxis;
        // An empty chart keeps a scale of whole numbers.
        valueAxis->setRange(0, highest > 0 ? highest * 1.05 : 100);
        valueAxis->setTitleText(valueTitle);
        valueAxis->setLabelFormat(QStringLiteral("%.0f"));
        valueAxis->applyNiceNumbers();
        c.addAxis(valueAxis, Qt::AlignLeft);
        series->attachAxis(valueAxis);
        c.legend()->setVisible(bars.size() > 1);
    }
};

}  // namespace
}  // namespace ui

extern "C" Q_DECL_EXPORT ui::MonthlyChart* efficiencyMonthlyChart(QWidget& parent) {
    return new ui::BarChartView(parent);
}
