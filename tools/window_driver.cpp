#include "window_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <array>
#include <optional>
#include <utility>

namespace driver {

namespace {

// Where the pointer was last seen, in global coordinates, and its buttons down.
std::optional<QPointF> pointerAt;
Qt::MouseButtons buttonsDown;

void sendMouse(QWindow* window, QEvent::Type type, QPoint point, Qt::MouseButton button) {
    const QPointF global(window->mapToGlobal(point));
    if (type != QEvent::MouseMove && pointerAt != global) {
        sendMouse(window, QEvent::MouseMove, point, Qt::NoButton);
    }
    pointerAt = global;
    if (type == QEvent::MouseButtonPress) {
        buttonsDown |= button;
    } else if (type == QEvent::MouseButtonRelease) {
        buttonsDown &= ~button;
    }
    QMouseEvent event(type, point, point, global, button, buttonsDown, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

// The text of the key alone, as a US layout types it.
QString textOf(Qt::Key key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QStringLiteral("\r");
        case Qt::Key_Tab:
            return QStringLiteral("\t");
        case Qt::Key_Backspace:
            return QStringLiteral("\b");
        case Qt::Key_Escape:
            return QStringLiteral("\x1b");
        default:
            break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return QChar(u'a' + (key - Qt::Key_A));
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return QChar(static_cast<char16_t>(key));
    }
    return {};
}

// Each key goes down and up with the modifiers held just before, as a
// keyboard reports them. The receiver runs the shortcuts before a press:
// QApplication does so for any key press not from the platform.
template <typename Send>
void stroke(Qt::Key key, Qt::KeyboardModifiers modifiers, Send send) {
    static constexpr std::array<std::pair<Qt::KeyboardModifier, Qt::Key>, 4> kModifierKeys{{
        {Qt::ShiftModifier, Qt::Key_Shift},
        {Qt::ControlModifier, Qt::Key_Control},
        {Qt::AltModifier, Qt::Key_Alt},
        {Qt::MetaModifier, Qt::Key_Meta},
    }};
    Qt::KeyboardModifiers held;
    for (const auto& [modifier, modifierKey] : kModifierKeys) {
        if (modifiers & modifier) {
            send(QEvent::KeyPress, modifierKey, held);
            held |= modifier;
        }
    }
    send(QEvent::KeyPress, key, held);
    send(QEvent::KeyRelease, key, held);
    for (auto it = kModifierKeys.rbegin(); it != kModifierKeys.rend(); ++it) {
        if (modifiers & it->first) {
            send(QEvent::KeyRelease, it->second, held);
            held &= ~it->first;
        }
    }
}

}  // namespace

void press(QWindow* window, QPoint point) {
    sendMouse(window, QEvent::MouseButtonPress, point, Qt::LeftButton);
    QApplication::processEvents();
}

void release(QWindow* window, QPoint point) {
    sendMouse(window, QEvent::MouseButtonRelease, point, Qt::LeftButton);
    QApplication::processEvents();
}

void click(QWindow* window, QPoint point) {
    sendMouse(window, QEvent::MouseButtonPress, point, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, point, Qt::LeftButton);
    QApplication::processEvents();
}

void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // Each handled before the next, as the platform's come.
    stroke(key, modifiers, [window](QEvent::Type type, Qt::Key k, Qt::KeyboardModifiers held) {
        QKeyEvent event(type, k, held, textOf(k));
        QCoreApplication::sendEvent(window, &event);
        QApplication::processEvents();
    });
}

void keyClick(QWidget* widget, Qt::Key key) {
    stroke(key, Qt::NoModifier, [widget](QEvent::Type type, Qt::Key k, Qt::KeyboardModifiers held) {
        QKeyEvent event(type, k, held, textOf(k));
        QCoreApplication::sendEvent(widget, &event);
    });
}

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
    driver::click(window_.windowHandle(), widget->mapTo(&window_, point));
    QApplication::processEvents();
}

void WindowDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    keyClick(window_.windowHandle(), key, modifiers);
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
    keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
}

void WindowDriver::typeInto(ui::TextBox* box, const QString& text) {
    click(box);
    activate();
    box->selectAll();
    if (text.isEmpty()) {
        keyClick(box, Qt::Key_Delete);
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
