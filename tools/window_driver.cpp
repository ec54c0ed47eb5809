#include "window_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

namespace driver {

WindowDriver::WindowDriver(ui::MainWindow& window) : window_(window) {
    // Polls while a box's own event loop runs, and costs nothing otherwise.
    answerer_.setInterval(0);
    QObject::connect(&answerer_, &QTimer::timeout, [this] { answerOpenBox(); });
    answerer_.start();
}

void WindowDriver::answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    answered_.push_back({box->windowTitle(), box->text(), box->icon()});
    box->button(QMessageBox::Ok)->click();
}

void WindowDriver::activate() {
    QApplication::setActiveWindow(&window_);
    QApplication::processEvents();
}

void WindowDriver::click(QWidget* widget, QPoint point) {
    QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(&window_, point));
    QApplication::processEvents();
}

void WindowDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window_.windowHandle(), key, modifiers);
    QApplication::processEvents();
}

void WindowDriver::pickRow(int row) {
    ui::ComboBox* combo = window_.controls().collectorType;
    click(combo, QPoint(combo->width() - 6, combo->height() / 2));
    activate();
    QAbstractItemView* list = combo->view();
    if (!list->isVisible()) {
        combo->showPopup();
    }
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
}

void WindowDriver::typeInto(ui::TextBox* box, const QString& text) {
    click(box);
    activate();
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    } else if (text.size() > 30 || text.contains(u'\t')) {
        box->insert(text);  // a tab would move the focus, and 100,000 keys take long
    } else {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(box, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(box, &release);
        }
    }
}

}  // namespace driver
