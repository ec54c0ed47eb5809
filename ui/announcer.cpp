#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QTimer>

namespace ui {

namespace {

class NotificationAccessible : public QAccessibleWidget {
public:
    explicit NotificationAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification) {}
    [[nodiscard]] QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<const QLabel*>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* notificationFactory(const QString& className, QObject* object) {
    return className == QLatin1String(Announcer::staticMetaObject.className())
               ? new NotificationAccessible(static_cast<QWidget*>(object))
               : nullptr;
}

// Before the first widget asks for its accessible interface.
QWidget* withFactory(QWidget* parent) {
    QAccessible::installFactory(notificationFactory);  // Qt ignores a second installation
    return parent;
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QLabel(withFactory(parent)) {
    setFixedSize(0, 0);
    hide();  // until there is something to say
}

// Orca reads a notification when it starts showing; shown again in the same
// event it would miss the change, hence the short pause.
void Announcer::announce(const QString& message) {
    hide();
    setText(message);
    QTimer::singleShot(50, this, &QWidget::show);
}

void voiceValue(QComboBox& box, Announcer& announcer) {
    box.setAccessibleDescription(box.currentText());
    QObject::connect(&box, &QComboBox::currentTextChanged, &announcer,
                     [&box, &announcer](const QString& text) {
                         box.setAccessibleDescription(text);
                         if (box.hasFocus()) {
                             announcer.announce(text);
                         }
                     });
}

}  // namespace ui
