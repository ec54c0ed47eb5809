#pragma once

#include <QWidget>
#include <initializer_list>

#include "controls.h"

namespace ui {

// The window's focus mark around the control that Tab brought the focus to,
// for the controls whose style marks it faintly: the buttons (the default
// one is framed anyway) and the table (a tint of its current cell).
class FocusFrame : public QWidget {
public:
    FocusFrame(QWidget& dialog, std::initializer_list<QWidget*> controls);
    // One more control, made after the others.
    void watch(QWidget* control) { control->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    KeyboardFocusMark mark_;
    QWidget* target_ = nullptr;
};

}  // namespace ui
