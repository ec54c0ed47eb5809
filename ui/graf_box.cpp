#include "graf_box.h"

#include <QPainter>
#include <QScopedValueRollback>

namespace ui {

GrafBox::GrafBox(QWidget* parent, const rt::NumberFormat& format)
    : PictureBox(parent, nullptr, true), surface_(format) {
    // A chart run outside painting asks for a repaint; one inside the Paint
    // procedure must not, or the box would repaint for ever.
    surface_.setChangedCallback([this] {
        if (!painting_) {
            update();
        }
    });
}

void GrafBox::paintEvent(QPaintEvent*) {
    if (onPaint) {
        const QScopedValueRollback guard(painting_, true);
        onPaint();
    }
    QPainter painter(this);
    paintFrame(painter);
    const int border = borderWidth();
    painter.setClipRect(rect().adjusted(border, border, -border, -border));
    painter.translate(border, border);
    painter_.paint(painter, surface_, font());
}

}  // namespace ui
