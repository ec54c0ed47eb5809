#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "accessibility.h"
#include "annual_yield_dialog.h"
#include "chart_box.h"
#include "control_table.h"
#include "datasheet_dialog.h"
#include "library_dialog.h"
#include "menu_entry_accessible.h"
#include "model/calculation.h"
#include "model/comparison.h"
#include "model/presets.h"
#include "present/collector_names.h"
#include "program.h"
#include "result_output.h"
#include "screen_reader_hints.h"
#include "window_builder.h"
#include "window_face.h"
#include "window_placement.h"

namespace ui {
namespace {

// Eats one mouse press: the click that moved the focus out of a box whose
// entry was refused has been answered by the warning already.
class PressSwallower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            deleteLater();
            return true;
        }
        return false;
    }
};

// One entry of the chart box's context menu: its text with its mnemonic, its
// window-wide shortcut (UnknownKey for none), what it runs and, for an entry
// that is not always available, when it is and why it is not. A separator
// goes before an entry that starts a group.
struct MenuEntry {
    QStringView text;
    QKeySequence::StandardKey shortcut;
    void (*run)(MainWindow& window);
    bool startsGroup = false;
    bool (*available)(const MainWindow& window) = nullptr;
    QStringView whyUnavailable = {};
    // A shortcut that is no standard key: a key combination of its own.
    QKeyCombination ownShortcut = Qt::Key_unknown;
};

// The menu of the chart box's entries. Each entry is an action of the window
// as well, so that its shortcut works wherever the focus is in the window; a
// text box keeps Ctrl+C for its selection (it claims the key before any
// shortcut). `trigger` runs a chosen entry. The menu belongs to the window.
QMenu* makeChartMenu(MainWindow& window, std::function<void(const MenuEntry&)> trigger);

constexpr std::array kChartMenu{
    MenuEntry{u"&Eredmények másolása", QKeySequence::Copy,
              [](MainWindow& window) { window.output().copyResults(); }},
    MenuEntry{u"&Teljesítménytáblázat másolása", QKeySequence::UnknownKey,
              [](MainWindow& window) { window.output().copyPowerTable(); }},
    MenuEntry{u"Grafikon má&solása", QKeySequence::UnknownKey,
              [](MainWindow& window) { window.output().copyChart(); }},
    MenuEntry{u"Grafikon &mentése…", QKeySequence::Save,
              [](MainWindow& window) { window.output().saveChartAs(); }, true},
    MenuEntry{u"&Nyomtatás…", QKeySequence::Print,
              [](MainWindow& window) { window.output().print(); }},
    MenuEntry{u"&Görbe megtartása összehasonlításhoz", QKeySequence::UnknownKey,
              [](MainWindow& window) { window.keepCurrentCollector(); }, true,
              [](const MainWindow& window) { return window.canKeep(); },
              u"Legfeljebb négy görbe tartható meg"},
    MenuEntry{u"Összehasonlítás tö&rlése", QKeySequence::UnknownKey,
              [](MainWindow& window) { window.forgetKeptCollectors(); }, false,
              [](const MainWindow& window) { return !window.keptCollectors().empty(); }},
    MenuEntry{u"&Adatlap…",
              QKeySequence::UnknownKey,
              [](MainWindow& window) { openDatasheet(window); },
              true,
              nullptr,
              {},
              QKeyCombination(Qt::CTRL, Qt::Key_D)},
    MenuEntry{u"&Éves hozam…",
              QKeySequence::UnknownKey,
              [](MainWindow& window) { openAnnualYield(window); },
              false,
              nullptr,
              {},
              QKeyCombination(Qt::CTRL, Qt::Key_J)},
    MenuEntry{u"&Kollektorkönyvtár…",
              QKeySequence::UnknownKey,
              [](MainWindow& window) { openCollectorLibrary(window); },
              true,
              nullptr,
              {},
              QKeyCombination(Qt::CTRL, Qt::Key_K)},
    MenuEntry{u"&Jelenlegi kollektor mentése a könyvtárba…", QKeySequence::UnknownKey,
              [](MainWindow& window) { storeCurrentCollector(window); }},
    MenuEntry{u"Törölt kollektorok &visszaállítása…", QKeySequence::UnknownKey,
              [](MainWindow& window) { restoreDeletedCollectors(window); }},
};

QMenu* makeChartMenu(MainWindow& window, std::function<void(const MenuEntry&)> trigger) {
    auto* menu = new QMenu(&window);
    menu->setAccessibleName(QStringLiteral("A hatásfokgörbe helyi menüje"));
    std::vector<std::pair<QAction*, const MenuEntry*>> conditional;
    for (const MenuEntry& entry : kChartMenu) {
        if (entry.startsGroup) {
            menu->addSeparator();
        }
        auto* action = new QAction(entry.text.toString(), &window);
        if (entry.shortcut != QKeySequence::UnknownKey) {
            action->setShortcut(entry.shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        } else if (entry.ownShortcut.key() != Qt::Key_unknown) {
            action->setShortcut(entry.ownShortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        QObject::connect(action, &QAction::triggered, &window,
                         [trigger, &entry] { trigger(entry); });
        window.addAction(action);
        menu->addAction(action);
        if (entry.available != nullptr) {
            conditional.emplace_back(action, &entry);
        }
        if (!entry.whyUnavailable.isEmpty()) {
            describeWhenDisabled(*action);
        }
    }
    // Whether an entry can be chosen depends on what is kept at the moment
    // the menu opens; a disabled entry says why, on hovering and to screen readers.
    menu->setToolTipsVisible(true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&window, conditional] {
        for (const auto& [action, entry] : conditional) {
            const bool available = entry->available(window);
            action->setEnabled(available);
            action->setToolTip(available ? QString() : entry->whyUnavailable.toString());
        }
    });
    return menu;
}

}  // namespace

std::unique_ptr<MainWindow> createWindow(const QLocale& locale, rt::MessageBox& messageBox,
                                         std::function<void(const QString&)> reportError) {
    auto window = std::make_unique<MainWindow>(locale, messageBox, std::move(reportError));
    if (!window->load()) {
        return nullptr;
    }
    return window;
}

QIcon applicationIcon() {
    // The sizes title bars and task switchers use; QIcon decodes each file
    // as it is added, and the large one would cost a millisecond of start-up.
    QIcon icon;
    for (int pixels : {16, 32, 48}) {
        icon.addPixmap(QPixmap::fromImage(
            readyPicture(QStringLiteral(":/rendered/icon-%1.pixels").arg(pixels))));
    }
    return icon;
}

// Counts the warnings so that the window knows whether one interrupted a click.
struct MainWindow::CountingBox : rt::MessageBox {
    explicit CountingBox(rt::MessageBox& target) : target_(target) {}
    void show(const QString& prompt, int style, const QString& title) override {
        ++shown;
        target_.show(prompt, style, title);
    }
    int shown = 0;

private:
    rt::MessageBox& target_;
};

MainWindow::MainWindow(const QLocale& locale, rt::MessageBox& messageBox, ErrorReport reportError)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      locale_(locale),
      format_(locale),
      messageBox_(std::make_unique<CountingBox>(messageBox)),
      reportError_(std::move(reportError)) {
    setObjectName(QStringLiteral("Efficiency"));
    setWindowTitle(kWindowCaption.toString());
    setWindowIcon(applicationIcon());
    setFixedSize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
    installAccessibleRoles(staticMetaObject);
    BuiltControls built = buildControls(*this);
    controls_ = built.handles;
    widgets_ = built.widgets;
    nameControls(widgets_);

    const Controls& c = controls_;
    presenter_ = std::make_unique<WindowPresenter>(
        format_, [chart = c.chart](const QString& text) { return chart->textWidth(text); });
    controller_ = std::make_unique<WindowController>(
        CollectorControls{.collectorType = *c.collectorType,
                          .eta0Box = *c.eta0Box,
                          .a1Box = *c.a1Box,
                          .a2Box = *c.a2Box,
                          .areaBox = *c.areaBox,
                          .collectorTempSlider = *c.collectorTempSlider,
                          .ambientTempSlider = *c.ambientTempSlider,
                          .irradianceSlider = *c.irradianceSlider,
                          .messageBox = *messageBox_},
        format_, *presenter_);
    output_ = std::make_unique<ResultOutput>(
        ResultSources{*this, controls_, controller_->inputs(), format_, presenter_->keptResults(),
                      [this] { return loadedName(); }},
        *messageBox_);
    chartMenu_ = makeChartMenu(*this, [this](const MenuEntry& entry) {
        if (applyPendingEntry()) {
            run([this, &entry] { entry.run(*this); });
        }
    });
    wireEvents();
    wireEnterKeys();
    connect(this, &MainWindow::resultsFormatted, this,
            addScreenReaderHints(controls_, format_, *this));
}

MainWindow::~MainWindow() = default;

// Enter (or the keypad's Enter) takes a typed value as leaving the box would;
// the focus stays, with the text selected for the next entry.
void MainWindow::wireEnterKeys() {
    for (const EntryBoxRow& row : kEntryBoxes) {
        TextBox* box = controls_.*row.box;
        connect(box, &QLineEdit::returnPressed, this, [this, box, entry = row.entry] {
            entryLeft(entry, Qt::OtherFocusReason);
            box->selectAll();
        });
    }
}

// The form's events and the procedures they run:
//   Form_Load                    loadForm
//   Combo1_Click                 WindowController::collectorTypeChosen
//   Text1 ... Text4 LostFocus    entryLeft, by the box's row of kEntryBoxes
//   HScrollK_Change and _Scroll  sliderMoved, by the K-th row of kSliders
//   Command1_Click               WindowController::evaluate
//   Command2_Click               WindowController::redrawChart
// graf paints the last chart run's list: its Paint event runs nothing.
// and one the form did not have:
//   graf's context menu          the chart menu (kChartMenu), at the point asked
void MainWindow::wireEvents() {
    const Controls& c = controls_;
    // Click runs inside the selection that raised it, which answers for its errors.
    connect(c.collectorType, &ComboBox::clicked, this,
            [this] { showView(controller_->collectorTypeChosen()); });
    connect(c.collectorType, &ComboBox::userPicked, this,
            [this] { run([this] { showView(controller_->collectorTypeChosen()); }); });

    for (const EntryBoxRow& row : kEntryBoxes) {
        connect(c.*row.box, &TextBox::lostFocus, this,
                [this, entry = row.entry](Qt::FocusReason reason) { entryLeft(entry, reason); });
    }
    // Scroll and Change run the same procedure: the label follows the thumb.
    for (const SliderRow& row : kSliders) {
        const auto moved = [this, &row] { run([this, &row] { sliderMoved(row); }); };
        connect(c.*row.slider, &ScrollBar::changed, this, moved);
        connect(c.*row.slider, &ScrollBar::scrolled, this, moved);
    }

    connect(c.chart, &ChartBox::contextMenuRequested, chartMenu_,
            [this](QPoint globalPos) { chartMenu_->popup(globalPos); });
    connect(c.evaluateButton, &QPushButton::clicked, this,
            [this] { run([this] { showView(controller_->evaluate()); }); });
    connect(c.redrawButton, &QPushButton::clicked, this,
            [this] { run([this] { showView(controller_->redrawChart()); }); });
}

bool MainWindow::load() {
    run([this] { loadForm(); });
    return !ended_;
}

void MainWindow::keepCurrentCollector() {
    run([this] {
        const model::Inputs& inputs = controller_->inputs();
        const Controls& c = controls_;
        (void)controller_->keep(
            present::keptName(inputs.comparison.kept(), currentCollectorName(), c.eta0Box->text(),
                              c.a1Box->text(), c.a2Box->text()),
            inputs.eta0, inputs.a1, inputs.a2);
        showView(controller_->redrawChart());
    });
}

void MainWindow::forgetKeptCollectors() {
    run([this] {
        controller_->forgetKept();
        showView(controller_->redrawChart());
    });
}

bool MainWindow::canKeep() const {
    return controller_->inputs().comparison.canKeep();
}

std::span<const model::KeptCollector> MainWindow::keptCollectors() const {
    return controller_->inputs().comparison.kept();
}

const std::vector<present::KeptResult>& MainWindow::keptResults() const {
    return presenter_->keptResults();
}

void MainWindow::loadCollector(const model::Collector& collector,
                               const std::array<QString, 4>& shown) {
    run([&] { showView(controller_->load(collector, shown)); });
    loaded_ = collector;
}

ShownCollector MainWindow::shownCollector() const {
    const model::Inputs& inputs = controller_->inputs();
    return {currentCollectorName(), inputs.eta0, inputs.a1, inputs.a2, inputs.collectorArea};
}

// The library's name follows the collector until its coefficients change.
QString MainWindow::loadedName() const {
    const model::Inputs& inputs = controller_->inputs();
    const bool same = loaded_ && inputs.eta0 == loaded_->eta0 && inputs.a1 == loaded_->a1 &&
                      inputs.a2 == loaded_->a2;
    const int row = controls_.collectorType->QComboBox::currentIndex();
    const bool custom = row >= 0 && static_cast<std::size_t>(row) < model::kCollectorTypes.size() &&
                        model::kCollectorTypes[static_cast<std::size_t>(row)].typedCoefficients;
    return same && custom ? loaded_->name : QString();
}

model::KeepOutcome MainWindow::keepCollector(const QString& name, rt::Fixed4 eta0, rt::Fixed4 a1,
                                             rt::Fixed4 a2) {
    auto outcome = model::KeepOutcome::Full;
    run([&] {
        // A library collector may share its name with a kept curve of other values.
        outcome = controller_->keep(
            present::keptName(controller_->inputs().comparison.kept(), name, format_.text(eta0),
                              format_.text(a1), format_.text(a2)),
            eta0, a1, a2);
        showView(controller_->redrawChart());
    });
    return outcome;
}

// The row last taken from the list: typing into the list's text leaves the
// coefficients, and the combo's own index, where that row put them.
QString MainWindow::currentCollectorName() const {
    if (const QString loaded = loadedName(); !loaded.isEmpty()) {
        return loaded;
    }
    const ComboBox& list = *controls_.collectorType;
    const int row = list.QComboBox::currentIndex();
    const bool typed = row >= 0 && static_cast<std::size_t>(row) < model::kCollectorTypes.size() &&
                       model::kCollectorTypes[static_cast<std::size_t>(row)].typedCoefficients;
    if (typed) {
        return present::customCollectorName(controls_.eta0Box->text(), controls_.a1Box->text(),
                                            controls_.a2Box->text());
    }
    return list.itemText(row);
}

void MainWindow::showView(std::optional<WindowView> view) {
    if (view) {
        showView(std::move(*view));
    }
}

void MainWindow::showView(WindowView view) {
    if (view.characteristic) {
        controls_.characteristicEfficiencyLabel->setCaption(*view.characteristic);
    }
    if (view.chart) {
        showChartRun(view);
    }
    if (view.described) {
        describeResults(*view.described, view.evaluated);
        emit resultsFormatted(*view.described);
        if (controls_.chart->accessibleDescription() != view.chartDescription) {
            controls_.chart->setAccessibleDescription(view.chartDescription);
        }
    }
    if (view.error) {
        throw rt::RuntimeError(*view.error);
    }
}

// The operating point's labels as far as the run reached them, then the
// drawing. Qt repaints the labels' areas before the chart's, as the areas
// were asked for in this order; the other way round costs the backing
// store's composition 2 % of a slider event.
void MainWindow::showChartRun(WindowView& view) {
    const chart::PointTexts& point = view.run.point;
    const std::pair<const std::optional<QString>&, Label*> labels[] = {
        {point.operatingX, controls_.operatingXLabel},
        {point.efficiency, controls_.efficiencyLabel},
        {point.output, controls_.outputLabel},
        {point.specificOutput, controls_.specificOutputLabel},
    };
    for (const auto& [text, label] : labels) {
        if (text) {
            label->setCaption(*text);
        }
    }
    controls_.chart->show(std::move(*view.chart));
}

// The result captions say the values their labels show, taken from the
// same formatted results. The characteristic efficiency changes only with an
// evaluation; a chart run alone leaves its label as it was.
void MainWindow::describeResults(const present::ResultTexts& texts, bool evaluated) {
    struct ResultLabel {
        Label* Controls::*label;
        present::Result result;
    };
    static constexpr std::array kResultLabels{
        ResultLabel{&Controls::characteristicEfficiencyLabel, present::Result::Characteristic},
        ResultLabel{&Controls::operatingXLabel, present::Result::OperatingX},
        ResultLabel{&Controls::efficiencyLabel, present::Result::Efficiency},
        ResultLabel{&Controls::specificOutputLabel, present::Result::SpecificOutput},
        ResultLabel{&Controls::outputLabel, present::Result::Output},
    };
    for (const ControlRow& row : controlTable()) {
        if (!row.resultLabel) {
            continue;
        }
        QWidget* label = control(*row.resultLabel);
        for (const ResultLabel& shown : kResultLabels) {
            const bool stale = shown.result == present::Result::Characteristic && !evaluated;
            if (controls_.*shown.label == label && !stale) {
                describeResult(*control(row.id), *label,
                               present::valueOf(texts, shown.result).get());
            }
        }
    }
}

void MainWindow::entryLeft(model::EntryBox box, Qt::FocusReason reason) {
    if (inLostFocus_) {
        return;  // focus moves caused by the warning box itself
    }
    const QScopedValueRollback guard(inLostFocus_, true);
    const int warningsBefore = messageBox_->shown;
    run([this, box] { showView(controller_->entryLeft(box)); });
    if (reason == Qt::MouseFocusReason && messageBox_->shown != warningsBefore) {
        swallowNextMousePress();
    }
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
        messageBox_->shown != warningsBefore) {
        markKeyboardFocus(focusWidget(), reason);
    }
}

// The warning took the activation while the focus moved, so the control the
// key moved to never heard that the keyboard brought the focus; it is told
// now, and shows its mark once the window is active again.
void MainWindow::markKeyboardFocus(QWidget* target, Qt::FocusReason reason) {
    if (qobject_cast<PictureBox*>(target) != nullptr ||
        qobject_cast<ScrollBar*>(target) != nullptr) {
        QFocusEvent focusIn(QEvent::FocusIn, reason);
        QCoreApplication::sendEvent(target, &focusIn);
    }
}

// A menu entry or its shortcut acts on what the boxes show, so a value still
// being typed is taken first, as leaving its box would take it. False when it
// was refused: the warning has been shown, and the entry must not run.
bool MainWindow::applyPendingEntry() {
    for (const EntryBoxRow& row : kEntryBoxes) {
        TextBox* box = controls_.*row.box;
        if (box == focusWidget() && box->isEnabled()) {
            const int warningsBefore = messageBox_->shown;
            entryLeft(row.entry, Qt::OtherFocusReason);
            return messageBox_->shown == warningsBefore && !ended_;
        }
    }
    return !ended_;
}

void MainWindow::swallowNextMousePress() {
    auto* swallower = new PressSwallower(qApp);
    qApp->installEventFilter(swallower);
    // The press is being delivered right now; never wait for a later one.
    QTimer::singleShot(0, swallower, &QObject::deleteLater);
}

void MainWindow::run(const std::function<void()>& procedure) {
    if (ended_) {
        return;
    }
    try {
        procedure();
    } catch (const std::exception& error) {  // rt::RuntimeError among them
        ended_ = true;
        reportError_(QString::fromUtf8(error.what()));
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintWindowFace(painter);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen()) {
            move(centredFramePosition(frameGeometry(), screen->availableGeometry()));
        }
    }
}

}  // namespace ui

namespace ui {

// Start-up: the load procedure of the window.
void MainWindow::loadForm() {
    controller_->startUp();
    const Controls& c = controls_;
    for (const SliderRow& row : kSliders) {
        (c.*row.valueLabel)
            ->setCaption(format_.text((c.*row.slider)->value()) + row.startUnit.toString());
    }
    showView(controller_->evaluate());
}

// Each slider keeps its value label in step with its value, read once, then
// its input takes the value and runs what its row of kSliders names.
void MainWindow::sliderMoved(const SliderRow& row) {
    const rt::Int16 value = (controls_.*row.slider)->value();
    (controls_.*row.valueLabel)->setCaption(format_.text(value) + row.unitAfterChange.toString());
    showView(controller_->sliderMoved(row.variable, value, row.then == AfterSlider::Evaluate));
}

}  // namespace ui
