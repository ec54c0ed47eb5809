#pragma once

#include <QWidget>

#include "runtime/control_interfaces.h"

namespace ui {

// The modal message box of the desktop: style 48 is a warning with one OK.
class DesktopMessageBox : public rt::MessageBox {
public:
    explicit DesktopMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& prompt, int style, const QString& title) override;

private:
    QWidget* parent_;
};

}  // namespace ui
