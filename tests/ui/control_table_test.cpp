// The window as the builder makes it from the control table, and the sliders
// as the one slider procedure runs them from ui::kSliders.
#include <gtest/gtest.h>

#include <set>

#include "shown_window.h"
#include "test_printers.h"
#include "ui/control_table.h"
#include "ui/inputs.h"

namespace {

using Built = ShownWindow;

TEST_F(Built, EveryRowIsAControlInItsContainerAtItsPlace) {
    std::set<QWidget*> seen;
    for (const ui::ControlRow& row : ui::controlTable()) {
        SCOPED_TRACE(row.name);
        QWidget* widget = window_->control(row.id);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(seen.insert(widget).second) << "two IDs share a widget";
        EXPECT_EQ(widget->objectName(), QLatin1String(row.name));
        QWidget* container = row.container ? window_->control(*row.container) : window_.get();
        EXPECT_EQ(widget->parentWidget(), container);
        // Inside a panel the place is measured from the inner edge of its border.
        const int border =
            row.container ? static_cast<ui::PictureBox*>(container)->borderWidth() : 0;
        if (!row.autoSize) {
            EXPECT_EQ(widget->geometry(), ui::toPixels(row.place).translated(border, border));
        }
        EXPECT_EQ(widget->isVisible(), !row.hidden);
    }
}

// The runner's "type K" and "set K" and its dump keys count from 1 in the
// order of the lists.
TEST_F(Built, TheRunnersNumbersFollowTheLists) {
    for (std::size_t k = 0; k < ui::kEntryBoxes.size(); ++k) {
        EXPECT_EQ((c().*ui::kEntryBoxes[k].box)->objectName(), QStringLiteral("Text%1").arg(k + 1));
    }
    for (std::size_t k = 0; k < ui::kSliders.size(); ++k) {
        EXPECT_EQ((c().*ui::kSliders[k].slider)->objectName(),
                  QStringLiteral("HScroll%1").arg(k + 1));
    }
}

// Each slider in turn to its end: its own variable and label follow, the
// others stay, the operating point moves, and only the irradiance moves the
// curve's zero (the evaluation runs).
TEST_F(Built, EachSliderWritesItsOwnVariableAndLabelThenRunsItsFollowUp) {
    const struct {
        std::size_t slider;
        int value;
        const char* label;
        rt::Fixed4 zeroEfficiencyX;
    } cases[] = {
        {0, 250, "250°C", rt::Fixed4::literal("0.148")},
        {1, 50, "50°C", rt::Fixed4::literal("0.148")},
        {2, 1300, "1300 W/m2", rt::Fixed4::literal("0.133")},
    };
    for (const auto& step : cases) {
        const ui::SliderRow& row = ui::kSliders[step.slider];
        ui::ScrollBar* bar = c().*row.slider;
        SCOPED_TRACE(bar->objectName().toStdString());
        const model::CollectorState before = window_->state();
        bar->setFocus(Qt::TabFocusReason);
        user_->key(Qt::Key_End);
        const model::CollectorState& after = window_->state();
        EXPECT_EQ((after.*row.variable).value(), step.value);
        EXPECT_EQ((c().*row.valueLabel)->text(), QString::fromUtf8(step.label));
        EXPECT_EQ(after.zeroEfficiencyX, step.zeroEfficiencyX);
        EXPECT_NE(after.operatingX, before.operatingX) << "the chart was not redrawn";
        for (const ui::SliderRow& other : ui::kSliders) {
            if (&other != &row) {
                EXPECT_EQ(after.*other.variable, before.*other.variable);
            }
        }
    }
}

}  // namespace
