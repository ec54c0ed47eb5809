#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <vector>

#include "ui/main_window.h"

// Drives the real window as a user would, under the offscreen platform:
// clicks and keys go through the window system's routing, and every message
// box that opens is answered with OK and remembered. Shared by the scenario
// runner and the window's tests.
namespace driver {

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
