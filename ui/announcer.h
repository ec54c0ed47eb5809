#pragma once

#include <QLabel>

namespace ui {

// Says a message to screen readers once, as a notification, without taking
// the focus: Qt 6.4 has no announcement call, and Orca ignores a label whose
// text changes, but it reads a notification as it appears. The widget takes
// no room; what is said is also shown where sighted users look for it.
class Announcer : public QLabel {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
};

}  // namespace ui
