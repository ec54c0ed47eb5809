#include "chart_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "chart/list_changes.h"

namespace ui {

ChartBox::ChartBox(QWidget* parent) : PictureBox(parent, nullptr, true) {}

double ChartBox::textWidth(const QString& text) const {
    return chart::textWidthInTwips(font(), text);
}

// What a chart run changes: the box less what the frame alone covers, which
// stays as it was painted (repainting it cost a third of a slider event).
// The frame's lines are one device pixel each, so at 200 % the border's
// inner pixel shows the chart. At a fractional pixel ratio the border's edge
// can share a device pixel with the chart: there the whole box is repainted.
// Qt itself leaves out the opaque pictures and captions on the chart, which
// repaint only when their own content changes.
QRect ChartBox::chartRunArea() const {
    if (wholeChartRepainted()) {
        return rect();
    }
    const int covered = kBorderPixels / static_cast<int>(devicePixelRatioF());
    return rect().adjusted(covered, covered, -covered, -covered);
}

bool ChartBox::wholeChartRepainted() const {
    const qreal ratio = devicePixelRatioF();
    return ratio != std::floor(ratio) || ratio > kBorderPixels;
}

void ChartBox::showRecording(const QRegion& area) {
    updatePending_ = true;
    update(area);
}

// The next paint shows the run in full; what it shows is known after it.
void ChartBox::showWholeRun() {
    shownKnown_ = false;
    if (!wholePending_) {
        wholePending_ = true;
        showRecording(chartRunArea());
    }
}

// Only where the run's list paints other pixels than the one shown: a
// slider event moves the curve and the marker, while the axes, most ticks
// and their values stay. At a fractional pixel ratio an item's edge can
// share a device pixel with its neighbour, so the whole chart is repainted.
void ChartBox::show(chart::DisplayList list) {
    list_ = std::move(list);
    if (!shownKnown_ || wholeChartRepainted() || runsUncompared_ > 0) {
        runsUncompared_ = std::max(runsUncompared_ - 1, 0);
        showWholeRun();
        return;
    }
    const std::optional<std::vector<QRect>> areas = chart::changedAreas(
        shown_, list_,
        [this](const chart::RecordedText& print) { return painter_.textArea(print, font()); });
    if (!areas) {
        // A slider that moved a dense curve will move it again: the next
        // runs are repainted whole without the comparison's cost.
        runsUncompared_ = kRunsUncomparedAfterMuchChanged;
        showWholeRun();
        return;
    }
    shown_ = list_;
    if (areas->empty()) {
        return;
    }
    const QRect area = chartRunArea();
    const QPoint origin(borderWidth(), borderWidth());
    // Qt rasterizes a line from where the clip's bounding rectangle cuts
    // it, which can move a pixel of a slanted edge: the two far corners
    // keep that rectangle the whole chart's, as in a full repaint.
    QRegion changed(QRect(area.topLeft(), QSize(1, 1)));
    changed += QRect(area.bottomRight(), QSize(1, 1));
    for (const QRect& rect : *areas) {
        changed += rect.translated(origin) & area;
    }
    showRecording(changed);
}

void ChartBox::paintEvent(QPaintEvent* event) {
    // A paint that a chart run asked for may paint only what the run
    // changed; any other (the box uncovered, shown, resized, its focus mark)
    // paints the last run as it stands.
    const bool afterChartRun = updatePending_;
    const bool onlyChanges = afterChartRun && !wholePending_;
    updatePending_ = false;
    wholePending_ = false;
    if (afterChartRun && !shownKnown_ && runsUncompared_ == 0) {
        shown_ = list_;  // it was asked to paint the whole chart
        shownKnown_ = true;
    }
    // The frame goes on last: it covers whatever the chart drew beyond the
    // inner area, which is cheaper than clipping every line to it. A paint
    // that stays inside the inner area is clipped to it and needs no frame.
    QPainter painter(this);
    painter.translate(borderWidth(), borderWidth());
    if (onlyChanges) {
        // Most lines lie outside the changed areas; Qt would still trace them.
        const QRegion area = event->region().translated(-borderWidth(), -borderWidth());
        painter_.paint(painter, list_, font(), &area);
    } else {
        painter_.paint(painter, list_, font());
    }
    painter.resetTransform();
    if (!innerArea().contains(event->rect())) {
        paintFrame(painter);
        paintFocusMark(painter);
    }
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
