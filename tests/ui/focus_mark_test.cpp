// The focus mark: drawn when Tab or Backtab brings the focus, never after a
// click or at start-up.
#include <QImage>
#include <QPixmap>
#include <QTest>

#include "shown_window.h"

namespace {

int differingPixels(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

// How many pixels of the image's outermost ring differ: a mark that frames
// the control (on a panel, in place of its border) shows on every side.
int differingOnRing(const QImage& a, const QImage& b) {
    int count = 0;
    const QRect ring = a.rect();
    for (int x = ring.left(); x <= ring.right(); ++x) {
        count += a.pixel(x, ring.top()) != b.pixel(x, ring.top()) ? 1 : 0;
        count += a.pixel(x, ring.bottom()) != b.pixel(x, ring.bottom()) ? 1 : 0;
    }
    for (int y = ring.top() + 1; y < ring.bottom(); ++y) {
        count += a.pixel(ring.left(), y) != b.pixel(ring.left(), y) ? 1 : 0;
        count += a.pixel(ring.right(), y) != b.pixel(ring.right(), y) ? 1 : 0;
    }
    return count;
}

struct MarkCase {
    const char* kind;
    const char* control;
    const char* comesFrom;  // the Tab stop the key leaves
    Qt::Key key;
    QPoint click;  // a click that moves nothing: the thumb of a slider
};

const MarkCase kCases[] = {
    {"slider", "HScroll2", "HScroll3", Qt::Key_Tab, {}},
    {"picture", "Picture21", "Picture20", Qt::Key_Tab, {}},
    {"result caption in graf", "Picture16", "Picture13", Qt::Key_Tab, {}},
    {"panel", "Picture3", "Picture2", Qt::Key_Tab, {530, 115}},
    {"graf by Tab", "graf", "Picture24", Qt::Key_Tab, {20, 20}},
    {"graf by Backtab", "graf", "Picture2", Qt::Key_Backtab, {20, 20}},
};

class FocusMark : public ShownWindow {
protected:
    QImage look(QWidget* widget) { return widget->grab().toImage(); }
    void clickOn(QWidget* widget, QPoint point) {
        if (point.isNull()) {
            point = widget->rect().center();
        }
        if (auto* bar = qobject_cast<ui::ScrollBar*>(widget)) {
            point = bar->thumbRect().center();
        }
        user_->click(widget, point);
        // A pointer resting on a slider's thumb lights it up.
        QTest::mouseMove(window_->windowHandle(),
                         control("Picture9")->mapTo(window_.get(), QPoint(2, 2)));
        QApplication::processEvents();
    }
    // Somewhere neutral: a picture away from the controls under test.
    void clickElsewhere() { user_->click(control("Picture9")); }
};

TEST_F(FocusMark, TabShowsItAndAClickDoesNot) {
    for (const MarkCase& mark : kCases) {
        SCOPED_TRACE(mark.kind);
        QWidget* target = control(mark.control);
        clickElsewhere();
        const QImage plain = look(target);

        control(mark.comesFrom)->setFocus(Qt::OtherFocusReason);
        user_->key(mark.key);
        ASSERT_EQ(focusName(), QLatin1String(mark.control));
        const QImage marked = look(target);
        const int ring = 2 * (marked.width() + marked.height()) - 4;
        EXPECT_GT(differingOnRing(plain, marked), ring / 2);

        clickElsewhere();
        EXPECT_EQ(differingPixels(plain, look(target)), 0) << "the mark outlives the focus";

        clickOn(target, mark.click);
        ASSERT_EQ(focusName(), QLatin1String(mark.control));
        EXPECT_EQ(differingPixels(plain, look(target)), 0) << "a click shows the mark";
    }
    EXPECT_EQ(c().ambientTempSlider->QScrollBar::value(), 20);  // the clicks moved nothing
}

// The warning of a refused entry comes between the Tab and the next stop's focus.
TEST_F(FocusMark, TheMarkShowsAfterTheWarningOfARefusedEntry) {
    const QImage plain = look(control("Picture9"));
    user_->typeInto(c().areaBox, QStringLiteral("abc"));
    user_->key(Qt::Key_Tab);
    user_->activate();
    ASSERT_EQ(focusName(), "Picture9");
    EXPECT_GT(differingOnRing(plain, look(control("Picture9"))), 100);
}

TEST_F(FocusMark, OnGrafItIsPaintedWithoutRunningTheChartAgain) {
    int chartRuns = 0;
    const QObject counting;
    QObject::connect(window_.get(), &ui::MainWindow::resultsFormatted, &counting,
                     [&] { ++chartRuns; });
    control("Picture24")->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    chartRuns = 0;
    user_->key(Qt::Key_Tab);  // graf repaints with its mark
    ASSERT_EQ(focusName(), "graf");
    user_->key(Qt::Key_Backtab);  // and without it
    EXPECT_EQ(chartRuns, 0);
}

TEST_F(FocusMark, GrafHasTheFocusAtStartUpWithoutAMark) {
    ASSERT_EQ(focusName(), "graf");
    const QImage atStart = look(c().chart);
    clickElsewhere();
    EXPECT_EQ(differingPixels(atStart, look(c().chart)), 0);
}

TEST_F(FocusMark, TheMarkStaysWhileAnotherWindowBorrowsTheFocus) {
    QWidget* picture = control("Picture21");
    control("Picture20")->setFocus(Qt::OtherFocusReason);
    user_->key(Qt::Key_Tab);
    const QImage marked = look(picture);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    other.hide();
    user_->activate();
    ASSERT_EQ(focusName(), "Picture21");
    EXPECT_EQ(differingPixels(marked, look(picture)), 0);
}

TEST_F(FocusMark, TheStartUpWindowIsUnchanged) {
    const QImage expected(QStringLiteral(EFFICIENCY_GOLDEN_DIR "/start-1x.png"));
    ASSERT_FALSE(expected.isNull());
    const QImage shown = window_->grab().toImage().convertToFormat(expected.format());
    EXPECT_EQ(differingPixels(expected, shown), 0);
}

}  // namespace
