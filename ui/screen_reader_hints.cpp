#include "screen_reader_hints.h"

#include <QEvent>
#include <QLabel>
#include <functional>
#include <utility>

#include "controls.h"
#include "inputs.h"

namespace ui {
namespace {

// Runs `update` when the watched widget loses the focus or is enabled or
// disabled.
class StateWatcher : public QObject {
public:
    StateWatcher(QWidget& widget, QEvent::Type type, std::function<void()> update)
        : QObject(&widget), type_(type), update_(std::move(update)) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) {
            update_();
        }
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> update_;
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

void addScreenReaderHints(const Controls& controls, QObject& owner) {
    // Orca reads a slider's new value as a bare number, and Qt 6.4 gives a
    // slider no value text. While a slider has the focus, each step gives it
    // a name that says the value with its unit and the efficiency it leads
    // to; Orca reads a changed name of the focused control. Leaving the
    // slider gives it back its label's name.
    for (const SliderRow& row : kSliders) {
        ScrollBar* slider = controls.*row.slider;
        const Label* value = controls.*row.valueLabel;
        const Label* efficiency = controls.efficiencyLabel;
        const QString name = buddyText(*slider);
        QObject::connect(
            slider, &QAbstractSlider::valueChanged, &owner, [slider, value, efficiency, name] {
                if (slider->hasFocus()) {
                    slider->setAccessibleName(name + QStringLiteral(": ") + spoken(value->text()) +
                                              QStringLiteral(", η ") + efficiency->text());
                }
            });
        new StateWatcher(*slider, QEvent::FocusOut, [slider] { slider->setAccessibleName({}); });
    }
    // A disabled box is read by its label alone; its description carries the value.
    for (TextBox* box : {controls.eta0Box, controls.a1Box, controls.a2Box}) {
        const auto describe = [box] {
            box->setAccessibleDescription(box->isEnabled() ? QString() : box->text());
        };
        QObject::connect(box, &QLineEdit::textChanged, &owner, describe);
        new StateWatcher(*box, QEvent::EnabledChange, describe);
        describe();
    }
}

}  // namespace ui
