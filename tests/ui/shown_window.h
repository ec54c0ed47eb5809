#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <memory>

#include "tools/window_driver.h"
#include "ui/chart_box.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"

// The name a screen reader says for `widget`: a combo box's label, then its value.
[[nodiscard]] inline QString heardName(QWidget* widget) {
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(widget);
    const auto labels = heard->relations(QAccessible::Label);
    return heard->role() == QAccessible::ComboBox && !labels.isEmpty()
               ? labels.front().first->text(QAccessible::Name) + u' ' +
                     heard->text(QAccessible::Name)
               : heard->text(QAccessible::Name);
}

// The real window in Hungarian number format, shown and active, with a user
// who answers every message box with OK.
class ShownWindow : public testing::Test {
protected:
    void SetUp() override {
        window_ = ui::createWindow(
            QLocale(QLocale::Hungarian, QLocale::Hungary), messages_,
            [](const QString& message) { FAIL() << "runtime error: " << message.toStdString(); });
        ASSERT_NE(window_, nullptr);
        messages_.setParent(window_.get());
        window_->show();
        user_ = std::make_unique<driver::WindowDriver>(*window_);
        user_->activate();
    }

    [[nodiscard]] const ui::Controls& c() const { return window_->controls(); }
    [[nodiscard]] QWidget* control(const char* name) const {
        QWidget* widget = window_->findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    [[nodiscard]] QString focusName() const {
        const QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }

    ui::DesktopMessageBox messages_;
    std::unique_ptr<ui::MainWindow> window_;
    std::unique_ptr<driver::WindowDriver> user_;
};
