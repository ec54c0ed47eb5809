#include "graf_box.h"

#include <QPainter>
#include <QScopedValueRollback>

namespace ui {

GrafBox::GrafBox(QWidget* parent, const rt::NumberFormat& format)
    : PictureBox(parent, nullptr, true), surface_(format) {
    // A chart run outside painting asks for one repaint (it draws hundreds of
    // lines); one inside the Paint procedure must not, or the box would
    // repaint for ever.
    surface_.setChangedCallback([this] {
        if (!painting_) {
            showRecording();
        }
    });
    // Asked at each measurement: the builder gives the box its font later.
    surface_.setTextMeasure(
        [this](const QString& text) { return chart::textWidthInTwips(font(), text); });
}

void GrafBox::showRecording() {
    if (!updatePending_) {
        updatePending_ = true;
        update();
    }
}

void GrafBox::paintEvent(QPaintEvent*) {
    // A paint that a chart run (or the focus mark) asked for shows the last
    // run; any other paint (the box uncovered, shown, resized) is the
    // surface's Paint event.
    const bool afterChartRun = updatePending_;
    updatePending_ = false;
    if (onPaint && !afterChartRun) {
        const QScopedValueRollback guard(painting_, true);
        onPaint();
    }
    // The frame goes on last: it covers whatever the chart drew beyond the
    // inner area, which is cheaper than clipping every line to it.
    QPainter painter(this);
    painter.translate(borderWidth(), borderWidth());
    painter_.paint(painter, surface_, font());
    painter.resetTransform();
    paintFrame(painter);
    paintFocusMark(painter);
}

}  // namespace ui
