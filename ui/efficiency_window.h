#pragma once

#include <QIcon>
#include <QLocale>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "controls.h"
#include "model/collector_procedures.h"
#include "model/collector_state.h"
#include "runtime/number_text.h"

namespace chart {
class ChartProcedures;
}

namespace ui {

class GrafBox;

// The program's icon at the sizes desktops ask for.
[[nodiscard]] QIcon applicationIcon();

// The controls the procedures reach by name.
struct Controls {
    ComboBox* Combo1 = nullptr;
    TextBox* Text1 = nullptr;
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
    TextBox* Text4 = nullptr;
    ScrollBar* HScroll1 = nullptr;
    ScrollBar* HScroll2 = nullptr;
    ScrollBar* HScroll3 = nullptr;
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    Label* Label9 = nullptr;
    Label* Label10 = nullptr;
    Label* Label12 = nullptr;
    Label* Label13 = nullptr;
    GrafBox* graf = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

// The program's one window: its controls are built from the control table,
// it holds the collector state, and its procedures answer the events.
class Efficiency : public QWidget {
    Q_OBJECT
public:
    // How an untrapped runtime error is reported before the program ends.
    using ErrorReport = std::function<void(const QString& message)>;

    Efficiency(const QLocale& locale, rt::MessageBox& messageBox, ErrorReport reportError);
    ~Efficiency() override;

    // Runs the load procedure; false when a runtime error ended it.
    bool load();

    [[nodiscard]] const Controls& controls() const { return controls_; }
    [[nodiscard]] const model::CollectorState& state() const { return state_; }
    [[nodiscard]] const rt::NumberFormat& format() const { return format_; }
    // True once a runtime error has ended the program.
    [[nodiscard]] bool ended() const { return ended_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void wireEvents();
    void describeChart();

    // Event procedures.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void HScroll2_Change();
    void HScroll2_Scroll();
    void HScroll3_Change();
    void HScroll3_Scroll();
    void textLostFocus(model::EntryBox box, Qt::FocusReason reason);

    // A slider's value into its variable and, followed by the unit, its label.
    void takeSliderValue(const ScrollBar& slider, rt::Integer& variable, Label& label,
                         const QString& unit);

    // Runs an event procedure that the event loop started: a runtime error
    // is reported and ends the program instead of crossing the event loop.
    void run(const std::function<void()>& procedure);
    void swallowNextMousePress();

    struct CountingBox;

    rt::NumberFormat format_;
    model::CollectorState state_;
    Controls controls_;
    std::unique_ptr<CountingBox> messageBox_;
    ErrorReport reportError_;
    std::unique_ptr<model::CollectorProcedures> collector_;
    std::unique_ptr<chart::ChartProcedures> chart_;
    bool ended_ = false;
    bool inLostFocus_ = false;
    bool centred_ = false;
};

}  // namespace ui
