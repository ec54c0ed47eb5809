#include "dialog_frame.h"

#include <QDialog>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace ui {

QWidget* scrollingBody(QDialog& dialog, QWidget* buttons) {
    auto* area = new QScrollArea(&dialog);
    area->setObjectName(QStringLiteral("dialogBody"));
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);  // Tab goes through, to the fields
    auto* body = new QWidget(area);
    area->setWidget(body);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(area, 1);
    if (buttons != nullptr) {
        layout->addWidget(buttons);
    }
    return body;
}

void fitToScreen(QDialog& dialog, QSize preferred) {
    if (!preferred.isValid()) {
        preferred = dialog.sizeHint();
        if (const auto* area = dialog.findChild<QScrollArea*>(QStringLiteral("dialogBody"),
                                                              Qt::FindDirectChildrenOnly)) {
            // The scroll area's own hint is capped; the body's is what fits.
            const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            preferred = dialog.layout()->sizeHint() - area->sizeHint() +
                        area->widget()->sizeHint() + QSize(bar, 0);
        }
    }
    const QWidget* parent = dialog.parentWidget();
    const QScreen* screen = parent != nullptr ? parent->screen() : dialog.screen();
    // Room for the window manager's frame and title bar, which are not known
    // before the dialog is shown.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    dialog.resize(preferred.boundedTo(room));
}

}  // namespace ui
