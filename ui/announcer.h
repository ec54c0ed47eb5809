#pragma once

#include <QLabel>

class QComboBox;

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

// Lets a combo box's value be heard: Orca 43 reads a focused combo box by
// its label alone, so the value goes into its description, and a value
// chosen with the arrow keys is announced.
void voiceValue(QComboBox& box, Announcer& announcer);

}  // namespace ui
