#include "screen_reader_hints.h"

#include <QEvent>
#include <QLabel>
#include <memory>

#include "controls.h"
#include "inputs.h"
#include "present/result_texts.h"

namespace ui {
namespace {

// Tells when the watched widget gets an event of one type: losing the
// focus, or being enabled or disabled.
class EventWatcher : public QObject {
    Q_OBJECT
public:
    EventWatcher(QWidget& widget, QEvent::Type type) : QObject(&widget), type_(type) {
        widget.installEventFilter(this);
    }

signals:
    void happened();

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) {
            emit happened();
        }
        return false;
    }

private:
    QEvent::Type type_;
};

// The words a screen reader should say for a value label's text.
QString spoken(QString text) {
    return text.replace(QStringLiteral("W/m2"), QStringLiteral("W/m²"));
}

// The text of the hidden label that names an input.
QString buddyText(const QWidget& input) {
    for (const QLabel* label : input.parentWidget()->findChildren<QLabel*>()) {
        if (label->buddy() == &input) {
            return label->text();
        }
    }
    return {};
}

}  // namespace

std::function<void(const present::ResultTexts&)> addScreenReaderHints(
    const Controls& controls, const rt::NumberFormat& format, QObject& context) {
    // Orca reads a slider's new value as a bare number, and Qt 6.4 gives a
    // slider no value text. While a slider has the focus, each step gives it
    // a name that says the value with its unit and the efficiency it leads
    // to; Orca reads a changed name of the focused control. Leaving the
    // slider gives it back its label's name. The step's chart run has
    // formatted the new efficiency by the time the slider tells its value.
    auto efficiency = std::make_shared<QString>();
    for (const SliderRow& row : kSliders) {
        ScrollBar* slider = controls.*row.slider;
        const QString name = buddyText(*slider);
        QObject::connect(slider, &QAbstractSlider::valueChanged, &context,
                         [slider, name, efficiency, &format, unit = row.unitAfterChange] {
                             if (slider->hasFocus()) {
                                 slider->setAccessibleName(
                                     name + QStringLiteral(": ") +
                                     spoken(format.text(slider->value()) + unit.toString()) +
                                     QStringLiteral(", η ") + *efficiency);
                             }
                         });
        QObject::connect(new EventWatcher(*slider, QEvent::FocusOut), &EventWatcher::happened,
                         slider, [slider] { slider->setAccessibleName({}); });
    }
    // A disabled box is read by its label alone; its description carries the value.
    for (TextBox* box : {controls.eta0Box, controls.a1Box, controls.a2Box}) {
        const auto describe = [box] {
            box->setAccessibleDescription(box->isEnabled() ? QString() : box->text());
        };
        QObject::connect(box, &QLineEdit::textChanged, &context, describe);
        QObject::connect(new EventWatcher(*box, QEvent::EnabledChange), &EventWatcher::happened,
                         box, describe);
        describe();
    }
    return
        [efficiency](const present::ResultTexts& texts) { *efficiency = texts.efficiency.get(); };
}

}  // namespace ui

#include "screen_reader_hints.moc"
