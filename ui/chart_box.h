#pragma once

#include "chart/chart_painter.h"
#include "chart/recording_surface.h"
#include "controls.h"

namespace ui {

// The chart surface: it paints the display list of the last chart run
// whenever Qt asks, and nothing else. Painting never runs the chart.
class ChartBox : public PictureBox {
    Q_OBJECT
public:
    explicit ChartBox(QWidget* parent);

    // What the last chart run drew.
    [[nodiscard]] const chart::DisplayList& list() const { return list_; }
    // Shows a chart run's list, repainting only the pixels it changed where
    // that can be told cheaply.
    void show(chart::DisplayList list);
    // A text's width in twips as the box paints it: the chart's legend fits
    // its lines with it.
    [[nodiscard]] double textWidth(const QString& text) const;

signals:
    // The context menu, asked for at this point of the screen: by the right
    // mouse button, or by the Menu key or Shift+F10 while the box has the focus.
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The mark changes nothing the chart shows: the last run is repainted
    // as recorded, without running the Paint procedure again.
    void repaintFocusMark() override { showRecording(rect()); }

private:
    [[nodiscard]] QRect chartRunArea() const;
    [[nodiscard]] bool wholeChartRepainted() const;
    void showRecording(const QRegion& area);
    void showWholeRun();
    [[nodiscard]] bool menuWanted() const;

    chart::DisplayList list_;
    chart::ChartPainter painter_;
    bool updatePending_ = false;
    bool wholePending_ = false;
    // What the box shows once the repaints asked for are done, if known:
    // a run is compared with it to find what it changed.
    chart::DisplayList shown_;
    bool shownKnown_ = false;
    static constexpr int kRunsUncomparedAfterMuchChanged = 7;
    int runsUncompared_ = 0;  // runs still to be repainted whole without comparing
};

}  // namespace ui
