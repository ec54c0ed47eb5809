#include "focus_frame.h"

#include <QFocusEvent>
#include <QPainter>

namespace ui {

FocusFrame::FocusFrame(QWidget& dialog, std::initializer_list<QWidget*> controls)
    : QWidget(&dialog) {
    setObjectName(QStringLiteral("keyboardFocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    for (QWidget* control : controls) {
        control->installEventFilter(this);
    }
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* control = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::FocusIn:
            mark_.focusIn(static_cast<QFocusEvent*>(event)->reason());
            target_ = control;
            follow();
            break;
        case QEvent::FocusOut:
            mark_.focusOut(static_cast<QFocusEvent*>(event)->reason());
            hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (control == target_) {
                follow();
            }
            break;
        default:
            break;
    }
    return false;
}

void FocusFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    mark_.paint(painter, *target_, rect());
}

void FocusFrame::follow() {
    if (!mark_.shown(*target_)) {
        hide();
        return;
    }
    // Beside its control, so that it scrolls with it: the fields and the
    // buttons have different parents.
    if (parentWidget() != target_->parentWidget()) {
        setParent(target_->parentWidget());
    }
    setGeometry(target_->geometry().adjusted(-2, -2, 2, 2));
    raise();
    show();
}

}  // namespace ui
