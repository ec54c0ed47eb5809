#include "chart_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QScopedValueRollback>

namespace ui {

ChartBox::ChartBox(QWidget* parent, const rt::NumberFormat& format)
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

void ChartBox::showRecording() {
    if (!updatePending_) {
        updatePending_ = true;
        update();
    }
}

void ChartBox::paintEvent(QPaintEvent*) {
    // A paint that a chart run (or the focus mark) asked for shows the last
    // run; any other paint (the box uncovered, shown, resized) is the
    // surface's Paint event.
    const bool afterChartRun = updatePending_;
    updatePending_ = false;
    if (!afterChartRun) {
        const QScopedValueRollback guard(painting_, true);
        emit paintRequested();
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

void ChartBox::contextMenuEvent(QContextMenuEvent* event) {
    // The keys are answered in keyPressEvent, on every platform; X11 follows
    // the Menu key with a keyboard context menu event of its own, which would
    // open the menu a second time.
    if (event->reason() == QContextMenuEvent::Keyboard || !menuWanted()) {
        event->ignore();
        return;
    }
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

void ChartBox::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if ((menuKey || shiftF10) && menuWanted()) {
        // At the inner area's top-left corner, where a pointer-less menu
        // does not cover the curve's start.
        emit contextMenuRequested(mapToGlobal(QPoint(borderWidth(), borderWidth())));
        event->accept();
        return;
    }
    PictureBox::keyPressEvent(event);
}

// Without a menu the keys and the right button are left to the container.
bool ChartBox::menuWanted() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ChartBox::contextMenuRequested));
}

}  // namespace ui
