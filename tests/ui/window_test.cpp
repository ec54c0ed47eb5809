// The window under real mouse and key events: focus rules, warnings, sliders.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "chart/chart_procedures.h"
#include "shown_window.h"
#include "test_printers.h"
#include "tools/window_driver.h"
#include "ui/chart_box.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"

namespace {

using ui::MainWindow;

// The real window with the real message box, whose boxes are answered OK.
class WindowTest : public ShownWindow {
protected:
    QPoint inWindow(QWidget* widget, QPoint point) const {
        return widget->mapTo(window_.get(), point);
    }
    void activate() { user_->activate(); }
    void click(QWidget* widget) { user_->click(widget); }
    void click(QWidget* widget, QPoint point) { user_->click(widget, point); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        user_->key(k, modifiers);
    }
    void typeInto(ui::TextBox* box, const QString& text) { user_->typeInto(box, text); }

    // The texts of the warnings answered so far.
    [[nodiscard]] std::vector<QString> warnings() const {
        std::vector<QString> texts;
        for (const driver::AnsweredBox& box : user_->answered()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    // The window's focus widget: unlike the application's, it is known while
    // a warning leaves the window inactive.
    [[nodiscard]] QString focusName() const {
        QWidget* focus = window_->focusWidget();
        return focus ? focus->objectName() : QString();
    }
};

// Enter takes the value as leaving the box would; the focus stays, the text selected.
TEST_F(WindowTest, EnterAppliesTheValueAndKeepsTheFocus) {
    const struct {
        Qt::Key key;
        const char *typed, *output;
    } cases[] = {{Qt::Key_Return, "5", "2270 W"}, {Qt::Key_Enter, "2", "908 W"}};
    for (const auto& c : cases) {
        typeInto(this->c().areaBox, QString::fromUtf8(c.typed));
        key(c.key);
        EXPECT_EQ(this->c().outputLabel->text(), QString::fromUtf8(c.output));
        EXPECT_EQ(focusName(), "Text4");
        EXPECT_EQ(this->c().areaBox->selectedText(), QString::fromUtf8(c.typed));
    }
}

TEST_F(WindowTest, TabVisitsTheControlsInTabIndexOrder) {
    const QStringList order = {
        "graf",      "Picture2",  "Picture3",  "HScroll3",  "HScroll2",  "HScroll1",  "Picture4",
        "Picture10", "Picture11", "Picture12", "Picture19", "Picture18", "Picture15", "Picture14",
        "Text4",     "Picture9",  "Picture8",  "Picture7",  "Picture6",  "Combo1",    "Picture1",
        "Picture5",  "Picture20", "Picture21", "Picture13", "Picture16", "Picture17", "Picture22",
        "Picture23", "Picture24", "graf"};
    EXPECT_EQ(focusName(), "graf");
    for (qsizetype i = 1; i < order.size(); ++i) {
        key(Qt::Key_Tab);
        EXPECT_EQ(focusName(), order[i]) << "after " << order[i - 1].toStdString();
    }
    // The custom row enables the coefficient boxes, which then take their turn.
    c().collectorType->setListIndex(rt::Int16{5});
    window_->findChild<QWidget*>("Picture6")->setFocus(Qt::TabFocusReason);
    for (const char* next : {"Text1", "Text2", "Text3", "Combo1"}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(focusName(), next);
    }
    EXPECT_TRUE(warnings().empty());
}

TEST_F(WindowTest, LabelsAndHiddenButtonsNeverTakeTheFocus) {
    for (QWidget* widget :
         {static_cast<QWidget*>(c().characteristicEfficiencyLabel),
          static_cast<QWidget*>(c().efficiencyLabel), static_cast<QWidget*>(c().evaluateButton),
          static_cast<QWidget*>(c().redrawButton)}) {
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << widget->objectName().toStdString();
    }
    click(c().collectorTempLabel);
    EXPECT_EQ(focusName(), "graf");
}

TEST_F(WindowTest, AClickOnAPictureEndsAnEntryWithOneWarning) {
    typeInto(c().areaBox, "abc");
    click(window_->findChild<QWidget*>("Picture15"));
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_EQ(warnings()[0], QStringLiteral("Adjon meg számot!"));
    EXPECT_EQ(c().areaBox->QLineEdit::text(), "1");
    EXPECT_EQ(window_->state().collectorArea, rt::Fixed4::literal("1"));
}

TEST_F(WindowTest, TabEndsAnEntry) {
    typeInto(c().areaBox, "150");
    key(Qt::Key_Tab);
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_EQ(warnings()[0], QStringLiteral("A napkollektor felület 0 és 100 között kell legyen!"));
    EXPECT_EQ(c().areaBox->QLineEdit::text(), "1");
}

TEST_F(WindowTest, ALongPastedEntryIsTakenInFull) {
    // 50 written with 100,000 characters; cut short, it would read as 0,5.
    const QString text = QStringLiteral("0,5") + QString(99995, u'0') + QStringLiteral("E2");
    click(c().areaBox);
    activate();
    c().areaBox->selectAll();
    c().areaBox->insert(text);
    EXPECT_EQ(c().areaBox->QLineEdit::text().size(), text.size());
    key(Qt::Key_Tab);
    EXPECT_TRUE(warnings().empty());
    EXPECT_EQ(window_->state().collectorArea, rt::Fixed4::literal("50"));
}

TEST_F(WindowTest, AnAcceptedLongEntryIsShownFromItsStartOnceTheFocusHasLeft) {
    const QString text = QStringLiteral("2,50000000000000000000000000000000000000001");
    typeInto(c().areaBox, text);
    ASSERT_EQ(c().areaBox->cursorPosition(), text.size());  // typing leaves the tail in view
    key(Qt::Key_Tab);
    EXPECT_TRUE(warnings().empty());
    EXPECT_EQ(c().areaBox->QLineEdit::text(), text);
    EXPECT_EQ(c().areaBox->cursorPosition(), 0);
    EXPECT_FALSE(c().areaBox->hasSelectedText());
    EXPECT_EQ(window_->state().collectorArea, rt::Fixed4::literal("2.5"));
}

TEST_F(WindowTest, AClickOnASliderArrowEndsARefusedEntryWithoutMovingTheSlider) {
    typeInto(c().areaBox, "abc");
    ui::ScrollBar* bar = c().collectorTempSlider;
    click(bar, QPoint(bar->width() - 4, bar->height() / 2));  // the right arrow
    // A press that reached the arrow after the warning would stay held (the
    // warning ate its release) and start repeating after Qt's 500 ms delay.
    // The test checks that nothing happens, so there is no condition to wait
    // for: it waits past the delay.
    QTest::qWait(700);
    EXPECT_EQ(warnings().size(), 1u);
    EXPECT_EQ(bar->QScrollBar::value(), 60);
}

TEST_F(WindowTest, AClickOnASliderArrowAfterAGoodEntryMovesIt) {
    typeInto(c().areaBox, "2");
    ui::ScrollBar* bar = c().collectorTempSlider;
    click(bar, QPoint(bar->width() - 4, bar->height() / 2));
    EXPECT_TRUE(warnings().empty());
    EXPECT_EQ(bar->QScrollBar::value(), 61);
    EXPECT_EQ(c().collectorTempLabel->text(), QStringLiteral("61°C"));
    EXPECT_EQ(window_->state().collectorArea, rt::Fixed4::literal("2"));
    // 41 K over 800 W/m2 gives the operating x 0.0512 (0.05125 to even),
    // efficiency 0.5614 and 898 W from 2 m2.
    EXPECT_EQ(c().outputLabel->text(), "898 W");
}

TEST_F(WindowTest, AnotherWindowTakingTheFocusIsNoLostFocus) {
    typeInto(c().areaBox, "abc");
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_TRUE(warnings().empty());
    EXPECT_EQ(c().areaBox->QLineEdit::text(), "abc");
    other.hide();
    activate();
    EXPECT_EQ(focusName(), "Text4");
    click(c().chart, QPoint(20, 20));
    EXPECT_EQ(warnings().size(), 1u);
}

// Counts the slider's events beside the window's procedures, while it lives.
struct SliderEvents : QObject {
    std::vector<int> scrolls;
    int changes = 0;
};

SliderEvents* countEvents(ui::ScrollBar* bar) {
    auto* events = new SliderEvents;
    QObject::connect(bar, &ui::ScrollBar::scrolled, events,
                     [=] { events->scrolls.push_back(bar->QScrollBar::value()); });
    QObject::connect(bar, &ui::ScrollBar::changed, events, [=] { ++events->changes; });
    return events;
}

TEST_F(WindowTest, SliderKeysMoveTheValueTheNaturalWay) {
    ui::ScrollBar* bar = c().collectorTempSlider;
    std::unique_ptr<SliderEvents> events(countEvents(bar));
    bar->setFocus(Qt::TabFocusReason);
    const struct {
        Qt::Key key;
        int value;
    } steps[] = {{Qt::Key_Right, 61}, {Qt::Key_Left, 60},     {Qt::Key_Down, 61},
                 {Qt::Key_Up, 60},    {Qt::Key_PageDown, 70}, {Qt::Key_PageUp, 60},
                 {Qt::Key_End, 250},  {Qt::Key_Home, 0}};
    for (const auto& step : steps) {
        key(step.key);
        EXPECT_EQ(bar->QScrollBar::value(), step.value);
        EXPECT_EQ(c().collectorTempLabel->text(), QStringLiteral("%1°C").arg(step.value));
        EXPECT_EQ(window_->state().collectorTemp.value(), step.value);
    }
    EXPECT_EQ(events->changes, 8);
    EXPECT_TRUE(events->scrolls.empty());
}

TEST_F(WindowTest, DraggingTheThumbRaisesScrollForEachValueThenOneChange) {
    ui::ScrollBar* bar = c().collectorTempSlider;
    std::unique_ptr<SliderEvents> events(countEvents(bar));
    QPoint point = bar->thumbRect().center();
    QTest::mousePress(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      inWindow(bar, point));
    while (bar->QScrollBar::value() < 65) {
        point.rx() += 1;
        QTest::mouseMove(window_->windowHandle(), inWindow(bar, point));
        QApplication::processEvents();
        EXPECT_EQ(c().collectorTempLabel->text(),
                  QStringLiteral("%1°C").arg(bar->QScrollBar::value()));
    }
    EXPECT_EQ(events->changes, 0);
    QTest::mouseRelease(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        inWindow(bar, point));
    QApplication::processEvents();
    ASSERT_FALSE(events->scrolls.empty());
    EXPECT_TRUE(std::is_sorted(events->scrolls.begin(), events->scrolls.end()));
    EXPECT_EQ(events->scrolls.back(), bar->QScrollBar::value());
    EXPECT_EQ(events->changes, 1);
    EXPECT_EQ(c().characteristicEfficiencyLabel->text(), "0,567");
    EXPECT_EQ(window_->state().zeroEfficiencyX, rt::Fixed4::literal("0.148"));
}

TEST_F(WindowTest, TheIrradianceSliderRunsTheWholeEvaluation) {
    ui::ScrollBar* bar = c().irradianceSlider;
    bar->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Home);
    EXPECT_EQ(c().irradianceLabel->text(), "1 W/m2");
    EXPECT_EQ(window_->state().zeroEfficiencyX, rt::Fixed4::literal("0.193"));
    key(Qt::Key_End);
    EXPECT_EQ(c().irradianceLabel->text(), "1300 W/m2");
    EXPECT_EQ(window_->state().zeroEfficiencyX, rt::Fixed4::literal("0.133"));
    EXPECT_EQ(c().characteristicEfficiencyLabel->text(), "0,567");
}

TEST_F(WindowTest, AnUntrappedRuntimeErrorIsReportedOnceAndEndsTheProgram) {
    std::vector<QString> reports;
    ui::DesktopMessageBox boxes;
    auto window = ui::createWindow(QLocale(QLocale::Hungarian, QLocale::Hungary), boxes,
                                   [&](const QString& message) { reports.push_back(message); });
    ASSERT_NE(window, nullptr);
    ui::ScrollBar* irradiance = window->controls().irradianceSlider;
    // Below the slider's design minimum: the operating point divides by zero.
    irradiance->setMinimum(0);
    irradiance->setValue(0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], QStringLiteral("Osztás nullával"));
    EXPECT_TRUE(window->ended());
    irradiance->setValue(500);  // nothing runs any more
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(window->state().irradiance.value(), 0);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(WindowTest, ARepaintShowsTheWholeChartAndAnIdleWindowPaintsNothing) {
    const chart::DisplayList& list = c().chart->list();
    const auto before = list.lines;
    ASSERT_EQ(before.size(), 169u);  // axes, 8 + 10 ticks, 147 segments, 2 marker lines
    c().chart->repaint();
    EXPECT_EQ(list.lines, before);
    EXPECT_EQ(list.prints.size(), 18u);

    // A window that covered the chart goes away.
    QWidget cover(window_.get());
    cover.setGeometry(c().chart->geometry());
    cover.setAutoFillBackground(true);
    cover.show();
    QApplication::processEvents();
    cover.hide();
    QApplication::processEvents();
    EXPECT_EQ(list.lines, before);
    const QImage shown = c().chart->grab().toImage();
    // A pixel of the red curve near its start: (500, 918) twips is (35, 63) px
    // inside the border.
    bool red = false;
    for (int dy = -2; dy <= 2; ++dy) {
        red = red || shown.pixelColor(2 + 34, 2 + 61 + dy) == QColor(250, 0, 0);
    }
    EXPECT_TRUE(red);

    PaintCounter counter;
    window_->installEventFilter(&counter);
    for (QWidget* child : window_->findChildren<QWidget*>()) {
        child->installEventFilter(&counter);
    }
    // Nothing must happen, so there is no condition to wait for: a second
    // is many times the interval of any timer that could repaint.
    QTest::qWait(1000);
    EXPECT_EQ(counter.paints, 0);
}

// The same tests run again at QT_SCALE_FACTOR 1.25, 1.5 and 2 (see
// tests/CMakeLists.txt); their names start with "Scaled".
using ScaledWindowTest = WindowTest;

// The pixels of a widget as it shows them, at the screen's resolution.
QImage shown(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// WCAG 2's relative luminance: graphics need a contrast of 3:1 with their background.
double luminance(rt::Color color) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rt::redOf(color)) + 0.7152 * linear(rt::greenOf(color)) +
           0.0722 * linear(rt::blueOf(color));
}

TEST_F(WindowTest, KeptCurvesStandOutOnTheChartsBackground) {
    const QColor window = c().chart->palette().color(QPalette::Window);
    const double back = luminance(rt::rgb(window.red(), window.green(), window.blue()));
    for (const rt::Color color : chart::kKeptCurveColors) {
        EXPECT_GE((back + 0.05) / (luminance(color) + 0.05), 3.0) << std::hex << color;
    }
}

// At scale 2 the offscreen screen (400 x 400 logical pixels) is smaller than the window.
TEST_F(ScaledWindowTest, TheTitleBarStaysOnTheScreen) {
    EXPECT_TRUE(
        window_->screen()->availableGeometry().contains(window_->frameGeometry().topLeft()));
}

TEST_F(ScaledWindowTest, NoChildCoversABorder) {
    for (const char* name : {"Picture18", "Picture2", "Picture3", "graf"}) {
        auto* box = window_->findChild<ui::PictureBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        const QImage withChildren = shown(box);
        const QList<QWidget*> children = box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            child->setVisible(false);
        }
        const QImage alone = shown(box);
        for (QWidget* child : children) {
            child->setVisible(true);
        }
        // The device pixels wholly inside the 2-pixel border.
        const int ring = static_cast<int>(box->borderWidth() * withChildren.devicePixelRatio());
        ASSERT_GE(ring, 2);
        int covered = 0;
        for (int y = 0; y < alone.height(); ++y) {
            for (int x = 0; x < alone.width(); ++x) {
                const bool inRing =
                    x < ring || y < ring || x >= alone.width() - ring || y >= alone.height() - ring;
                covered += inRing && withChildren.pixel(x, y) != alone.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(covered, 0) << name << " at " << withChildren.devicePixelRatio();
    }
}

// What the window has painted, as the screen shows it: a grab paints afresh.
QImage painted(QWidget& window, QRect place) {
    QApplication::processEvents();
    const auto* store = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    if (store == nullptr) {
        ADD_FAILURE() << "the backing store is not an image";
        return {};
    }
    const qreal ratio = window.devicePixelRatioF();
    return store->copy(QRect(place.topLeft() * ratio, place.size() * ratio))
        .convertToFormat(QImage::Format_RGB32);
}

// The same place of the window painted afresh.
QImage repainted(QWidget& window, QRect place) {
    const qreal ratio = window.devicePixelRatioF();
    return shown(&window).copy(QRect(place.topLeft() * ratio, place.size() * ratio));
}

// A chart run repaints the chart without its frame; whatever it drew, the
// frame and the chart must be what a full repaint gives.
TEST_F(ScaledWindowTest, AHundredSliderEventsLeaveTheChartAsAFullRepaintPaintsIt) {
    // A hot collector in weak sun: the x axis' last value reaches into the
    // border, which the frame covers only at 100 %.
    c().collectorTempSlider->setValue(198);
    ui::ScrollBar* slider = c().irradianceSlider;
    const QRect chart(c().chart->mapTo(window_.get(), QPoint(0, 0)), c().chart->size());
    slider->setSliderDown(true);
    for (int irradiance = 993; irradiance >= 300; irradiance -= 7) {  // 100 Scroll events
        slider->setSliderPosition(irradiance);
        QApplication::processEvents();
    }
    slider->setSliderDown(false);
    const QImage afterEvents = painted(*window_, chart);
    const QImage afresh = repainted(*window_, chart);
    ASSERT_EQ(afterEvents.size(), afresh.size());
    EXPECT_TRUE(afterEvents == afresh) << "at " << window_->devicePixelRatioF();
}

// The window at start-up is its golden picture at each scale that has one:
// prepared pixels at 100 % and 200 %, pictures and text drawn live between.
using DocumentedScaleTest = WindowTest;

TEST_F(DocumentedScaleTest, TheStartUpWindowIsItsPicture) {
    const QString scale = QString::number(window_->devicePixelRatioF());
    const QImage expected(QStringLiteral(EFFICIENCY_GOLDEN_DIR "/start-%1x.png").arg(scale));
    ASSERT_FALSE(expected.isNull()) << "no picture for scale " << scale.toStdString();
    EXPECT_TRUE(shown(window_.get()) == expected.convertToFormat(QImage::Format_RGB32));
}

// Pixels prepared over one back colour never stand on another: a box whose
// colour differs (a desktop theme's, say) composes its picture itself.
TEST_F(WindowTest, APictureOnAnotherBackColourIsComposedOverIt) {
    QWidget* caption = control("Picture24");  // the η on the chart's grey
    const QImage onGrey = shown(caption);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    caption->setPalette(palette);
    const QImage onDark = shown(caption);
    int dark = 0;
    for (int y = 0; y < onDark.height(); ++y) {
        for (int x = 0; x < onDark.width(); ++x) {
            dark +=
                onDark.pixel(x, y) == qRgb(10, 20, 30) && onGrey.pixel(x, y) != qRgb(10, 20, 30);
        }
    }
    EXPECT_GT(dark, 0);
}

TEST_F(ScaledWindowTest, PictureBoxesPaintTheirLastPixels) {
    // An opaque box that leaves a device pixel unpainted shows whatever the
    // backing store held there; the window is drawn over a known colour.
    QImage image(window_->size() * window_->devicePixelRatioF(), QImage::Format_RGB32);
    image.setDevicePixelRatio(window_->devicePixelRatioF());
    image.fill(QColor(1, 2, 3));
    window_->render(&image);
    const qreal ratio = image.devicePixelRatio();
    for (auto* box : window_->findChildren<ui::PictureBox*>()) {
        const QRect place(box->mapTo(window_.get(), QPoint(0, 0)), box->size());
        // The last device pixels whose centres lie inside the box.
        const int right = qRound((place.left() + place.width()) * ratio) - 1;
        const int bottom = qRound((place.top() + place.height()) * ratio) - 1;
        for (int y = static_cast<int>(place.top() * ratio) + 1; y < bottom; ++y) {
            ASSERT_NE(image.pixelColor(right, y), QColor(1, 2, 3))
                << box->objectName().toStdString() << " at " << ratio << ", row " << y;
        }
        for (int x = static_cast<int>(place.left() * ratio) + 1; x < right; ++x) {
            ASSERT_NE(image.pixelColor(x, bottom), QColor(1, 2, 3))
                << box->objectName().toStdString() << " at " << ratio << ", column " << x;
        }
    }
}

TEST_F(ScaledWindowTest, TheWarningHasASharpIconAndAPlainOk) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("HIBÁS ADAT"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_TRUE(box->button(QMessageBox::Ok)->icon().isNull());
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        ASSERT_NE(label, nullptr);
        const QPixmap icon = label->pixmap();
        const qreal ratio = box->devicePixelRatioF();
        EXPECT_EQ(icon.devicePixelRatio(), ratio);
        EXPECT_EQ(icon.width(), qRound(32 * ratio));
        box->button(QMessageBox::Ok)->click();
    });
    messages_.show(QStringLiteral("Adjon meg számot!"), rt::MessageBox::kWarningOk,
                   QStringLiteral("HIBÁS ADAT"));
    EXPECT_TRUE(seen);
}

}  // namespace

namespace {

// Keeps the rows' collectors one after another, picking each from the list.
void keepRows(ui::MainWindow& window, driver::WindowDriver& user, std::initializer_list<int> rows) {
    for (int row : rows) {
        user.pickRow(row);
        window.keepCurrentCollector();
    }
}

// A chart run repaints only what it changed. After every event the chart
// must be what a full repaint gives: in single steps and in jumps that move
// the x scale's ticks, and with kept curves, whose thin lines and legend
// take other paths through the painter.
TEST_F(ScaledWindowTest, EachChartRunLeavesTheChartAsAFullRepaintPaintsIt) {
    const auto steps = [](int from, int to, int step) {
        std::vector<int> positions;
        for (int p = from; step > 0 ? p <= to : p >= to; p += step) {
            positions.push_back(p);
        }
        return positions;
    };
    std::vector<int> drag = steps(700, 1000, 5);
    const std::vector<int> back = steps(1000, 300, -7);
    drag.insert(drag.end(), back.begin(), back.end());
    const struct {
        const char* what;
        std::initializer_list<int> keptRows;
        ui::ScrollBar* ui::Controls::*slider;
        std::vector<int> positions;
    } cases[] = {
        {"irradiance by one", {}, &ui::Controls::irradianceSlider, {801, 800, 801, 802, 803, 802}},
        {"irradiance in jumps", {}, &ui::Controls::irradianceSlider, {1300, 90, 650, 1, 415, 1299}},
        {"collector temperature", {1, 3}, &ui::Controls::collectorTempSlider, {61, 250, 0, 140}},
        {"ambient temperature", {0, 2, 4}, &ui::Controls::ambientTempSlider, {-30, 50, 21, 20}},
        // Where the repainted areas' edges cut slanted lines.
        {"irradiance dragged", {}, &ui::Controls::irradianceSlider, drag},
        {"collector temperature dragged",
         {},
         &ui::Controls::collectorTempSlider,
         steps(60, 200, 3)},
    };
    const QRect chart(c().chart->mapTo(window_.get(), QPoint(0, 0)), c().chart->size());
    for (const auto& events : cases) {
        keepRows(*window_, *user_, events.keptRows);
        ui::ScrollBar* slider = c().*events.slider;
        slider->setSliderDown(true);
        for (int position : events.positions) {
            slider->setSliderPosition(position);
            const QImage afterEvent = painted(*window_, chart);  // before the grab repaints
            ASSERT_TRUE(afterEvent == repainted(*window_, chart))
                << events.what << " at " << position << ", scale " << window_->devicePixelRatioF();
        }
        slider->setSliderDown(false);
        window_->forgetKeptCollectors();
    }
}

TEST_F(WindowTest, KeepIsDisabledWithFourKeptAndForgetEnablesItAgain) {
    EXPECT_TRUE(window_->canKeep());
    keepRows(*window_, *user_, {0, 1, 3});
    EXPECT_TRUE(window_->canKeep());
    keepRows(*window_, *user_, {4});
    EXPECT_FALSE(window_->canKeep());
    keepRows(*window_, *user_, {2});  // the menu would not offer it; it does nothing
    ASSERT_EQ(window_->keptCollectors().size(), 4u);
    EXPECT_EQ(window_->keptCollectors().back().name, "Lefedés nélküli kollektor");
    EXPECT_EQ(window_->keptResults().size(), 4u);

    window_->forgetKeptCollectors();
    EXPECT_TRUE(window_->canKeep());
    EXPECT_TRUE(window_->keptCollectors().empty());
    EXPECT_TRUE(window_->keptResults().empty());
    // The chart ran: no legend line is left.
    for (const chart::RecordedText& p : c().chart->list().prints) {
        EXPECT_FALSE(p.color.has_value()) << p.text.toStdString();
    }
}

// The name is that of the row last taken from the list, or the custom
// collector's boxes as they show them.
TEST_F(WindowTest, AKeptCollectorIsNamedByItsRowOrItsBoxes) {
    const struct {
        const char* what;
        int row;                    // picked first; -1 for the start-up row
        const char* typedEta0;      // into the η0 box, if any
        const char* typedListText;  // into the list's text box afterwards, if any
        const char* name;
        rt::Fixed4 eta0;
    } cases[] = {
        {"the start-up row, with the start coefficients", -1, nullptr, nullptr,
         "Szelektív síkkollektor", rt::Fixed4::literal("0.798")},
        {"a preset row", 3, nullptr, nullptr, "Nem szelektív síkkollektor",
         rt::Fixed4::literal("0.75")},
        {"text typed into the list keeps the row", 0, nullptr, "xyz", "Vákumcsöves kollektor",
         rt::Fixed4::literal("0.65")},
        {"the custom row", 5, "0,7", nullptr, "Egyedi kollektor (η0 0,7; a1 4; a2 0,01)",
         rt::Fixed4::literal("0.7")},
        {"the custom row, list text typed", 5, "0,70", "abc",
         "Egyedi kollektor (η0 0,70; a1 4; a2 0,01)", rt::Fixed4::literal("0.7")},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        window_->forgetKeptCollectors();
        if (row.row >= 0) {
            user_->pickRow(row.row);
        }
        if (row.typedEta0 != nullptr) {
            typeInto(c().eta0Box, QString::fromUtf8(row.typedEta0));
            click(c().chart);
        }
        if (row.typedListText != nullptr) {
            click(c().collectorType->lineEdit());
            c().collectorType->lineEdit()->selectAll();
            QTest::keyClicks(c().collectorType->lineEdit(), QString::fromUtf8(row.typedListText));
            ASSERT_EQ(c().collectorType->listIndex().value(), -1);
        }
        window_->keepCurrentCollector();
        ASSERT_EQ(window_->keptCollectors().size(), 1u);
        EXPECT_EQ(window_->keptCollectors()[0].name, QString::fromUtf8(row.name));
        EXPECT_EQ(window_->keptCollectors()[0].eta0, row.eta0);
        EXPECT_EQ(window_->keptResults()[0].name, QString::fromUtf8(row.name));
    }
}

}  // namespace
