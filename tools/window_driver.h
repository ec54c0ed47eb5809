#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "ui/main_window.h"

// Drives the real window as a user would, under the offscreen platform:
// clicks and keys reach the widgets through their window, as the platform's
// do, and every message box that opens is answered with OK and remembered. Shared by the scenario
// runner and the window's tests.
namespace driver {

// A user's pointer and keyboard, on public Qt API. Each event goes to the
// top-level window, which hands it on as it does the platform's: to the
// widget under the pointer, focusing it on a press, or to the focus widget
// once the shortcuts have had their turn. Like a desktop's, the pointer is
// one for the whole program, and a press or release away from where it was
// comes after a move there.
void press(QWindow* window, QPoint point);
void release(QWindow* window, QPoint point);
void click(QWindow* window, QPoint point);
// The modifiers go down before the key and up after it.
void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Straight to the widget, past its window: to the list of an open popup, say.
void keyClick(QWidget* widget, Qt::Key key);

struct AnsweredBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

class WindowDriver {
public:
    explicit WindowDriver(ui::MainWindow& window);

    // After a message box nothing is active offscreen; a user's next
    // action would activate the window again.
    void activate();
    void click(QWidget* widget, QPoint point);
    void click(QWidget* widget) { click(widget, widget->rect().center()); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Opens Combo1's list with a click on its arrow, moves to the row and
    // takes it with Enter (a click right after the list opened would be
    // ignored, as Qt ignores a quick double click there).
    void pickRow(int row);
    // Clicks into the box, selects all and types the text (long texts go in
    // as one insertion, as a paste would); the focus stays in the box.
    void typeInto(ui::TextBox* box, const QString& text);

    [[nodiscard]] const std::vector<AnsweredBox>& answered() const { return answered_; }
    std::vector<AnsweredBox> takeAnswered() { return std::exchange(answered_, {}); }

private:
    void answerOpenBox();

    ui::MainWindow& window_;
    QTimer answerer_;
    std::vector<AnsweredBox> answered_;
};

}  // namespace driver
