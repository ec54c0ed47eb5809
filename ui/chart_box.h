#pragma once

#include "chart/chart_painter.h"
#include "chart/recording_surface.h"
#include "controls.h"

namespace ui {

// The chart surface. A chart run records into a display list; the box paints
// that list whenever Qt asks. A repaint that no chart run asked for first
// runs the Paint procedure, like any classic surface that keeps no image of
// its own.
class ChartBox : public PictureBox {
    Q_OBJECT
public:
    ChartBox(QWidget* parent, const rt::NumberFormat& format);

    [[nodiscard]] chart::RecordingSurface& surface() { return surface_; }
    [[nodiscard]] const chart::RecordingSurface& surface() const { return surface_; }

    // A chart run that, when it ends, repaints only the pixels it changed.
    // A run outside one repaints the whole chart as soon as it starts.
    class Run {
    public:
        explicit Run(ChartBox& box) : box_(box) { ++box_.runs_; }
        ~Run() { box_.endRun(); }
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

    private:
        ChartBox& box_;
    };

signals:
    // Paint, raised at the start of every repaint that no chart run asked for.
    void paintRequested();
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
    void endRun();
    [[nodiscard]] bool menuWanted() const;

    chart::RecordingSurface surface_;
    chart::ChartPainter painter_;
    bool painting_ = false;
    bool updatePending_ = false;
    bool wholePending_ = false;
    // What the box shows once the repaints asked for are done, if known:
    // a run is compared with it to find what it changed.
    chart::DisplayList shown_;
    bool shownKnown_ = false;
    int runs_ = 0;  // Run scopes open
    bool runChanged_ = false;
    static constexpr int kRunsUncomparedAfterMuchChanged = 7;
    int runsUncompared_ = 0;  // runs still to be repainted whole without comparing
};

}  // namespace ui
