#pragma once

#include <QIcon>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "collector_host.h"
#include "control_table.h"
#include "controls.h"
#include "inputs.h"
#include "model/calculation.h"
#include "model/collector_state.h"
#include "model/comparison.h"
#include "present/result_texts.h"
#include "runtime/number_text.h"
#include "window_controller.h"
#include "window_presenter.h"

namespace ui {

class ChartBox;
class ResultOutput;

// The program's icon at the sizes desktops ask for.
[[nodiscard]] QIcon applicationIcon();

// The program's one window: the controls the builder made from the control
// table, wired to the controller, and the views the controller's events end
// in, copied into the widgets.
class MainWindow : public QWidget, public CollectorHost {
    Q_OBJECT
public:
    // How an untrapped runtime error is reported before the program ends.
    using ErrorReport = std::function<void(const QString& message)>;

    MainWindow(const QLocale& locale, rt::MessageBox& messageBox, ErrorReport reportError);
    ~MainWindow() override;

    // Runs the load procedure; false when a runtime error ended it.
    bool load();

    [[nodiscard]] const Controls& controls() const { return controls_; }
    // Any control of the table, such as a picture that no procedure uses.
    [[nodiscard]] QWidget* control(ControlId id) const {
        return widgets_[static_cast<std::size_t>(id)];
    }
    // The inputs with the two results kept as stores.
    [[nodiscard]] model::CollectorState state() const { return controller_->state(); }
    [[nodiscard]] const rt::NumberFormat& format() const override { return format_; }
    [[nodiscard]] const QLocale& numberLocale() const override { return locale_; }
    [[nodiscard]] QWidget& dialogParent() override { return *this; }
    [[nodiscard]] ShownCollector shownCollector() const override;
    // True once a runtime error has ended the program.
    [[nodiscard]] bool ended() const { return ended_; }
    // Copying, saving and printing the results: what the chart box's menu runs.
    [[nodiscard]] ResultOutput& output() { return *output_; }
    [[nodiscard]] QMenu& chartMenu() { return *chartMenu_; }

    // Comparing collectors on the chart; the procedures the chart box's menu runs.
    // Keeps the current collector (nothing happens when one with the same
    // coefficients is kept or no room is left), then runs the chart.
    void keepCurrentCollector();
    // Forgets every kept collector, then runs the chart.
    void forgetKeptCollectors();
    // The current collector's name as the legend shows it.
    [[nodiscard]] QString currentCollectorName() const;
    // Whether another collector can be kept: the menu entry's enabled state.
    [[nodiscard]] bool canKeep() const;
    // In keeping order.
    [[nodiscard]] std::span<const model::KeptCollector> keptCollectors() const override;
    // As the last chart run's legend showed them, with whole names.
    [[nodiscard]] const std::vector<present::KeptResult>& keptResults() const;

    // The collector library's ways into the window.
    // Takes a collector whose values are within the boxes' ranges: one
    // change of the state and one evaluation, leaving what typing the
    // values (`shown`: η0, a1, a2, area) into the custom row's boxes would.
    void loadCollector(const model::Collector& collector,
                       const std::array<QString, 4>& shown) override;
    // The loaded collector's library name while the window holds its
    // coefficients in the custom row; empty otherwise.
    [[nodiscard]] QString loadedName() const;
    // Keeps a collector under a name of its own, extended with its values when a
    // kept curve already has that name, then runs the chart.
    model::KeepOutcome keepCollector(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1,
                                     rt::Fixed4 a2) override;

signals:
    // After every chart run, with the results the labels now show.
    void resultsFormatted(const present::ResultTexts& texts);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Connects the form's events to the procedures below: the one place
    // that says which event runs which.
    void wireEvents();
    // Copies an event's view into the widgets; raises its runtime error last.
    void showView(WindowView view);
    void showView(std::optional<WindowView> view);
    void showChartRun(WindowView& view);
    void describeResults(const present::ResultTexts& texts, bool evaluated);

    // Event procedures.
    void loadForm();
    // A slider moved (by a drag, an arrow, the track or a key): its value
    // goes into its variable and, followed by the unit, its label.
    void sliderMoved(const SliderRow& slider);
    void entryLeft(model::EntryBox box, Qt::FocusReason reason);
    bool applyPendingEntry();
    void wireEnterKeys();
    static void markKeyboardFocus(QWidget* target, Qt::FocusReason reason);

    // Runs an event procedure that the event loop started: a runtime error
    // is reported and ends the program instead of crossing the event loop.
    void run(const std::function<void()>& procedure);
    void swallowNextMousePress();

    struct CountingBox;

    QLocale locale_;
    rt::NumberFormat format_;
    Controls controls_;
    std::array<QWidget*, kControlCount> widgets_{};
    std::unique_ptr<CountingBox> messageBox_;
    ErrorReport reportError_;
    std::unique_ptr<WindowPresenter> presenter_;
    std::unique_ptr<WindowController> controller_;
    std::unique_ptr<ResultOutput> output_;
    QMenu* chartMenu_ = nullptr;  // a child of the window
    bool ended_ = false;
    // The collector last taken from the library, for its name.
    std::optional<model::Collector> loaded_;
    bool inLostFocus_ = false;
    bool centred_ = false;
};

}  // namespace ui
