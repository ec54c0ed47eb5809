#include "window_builder.h"

#include <QPushButton>
#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

#include "chart_box.h"
#include "controls.h"
#include "fonts.h"
#include "prepared_pixels.h"
#include "window_face.h"

namespace ui {
namespace {

// Whether the colour is filled in is each control's own affair: a picture
// box with a picture paints it under the picture once, in its cache.
void setBackColor(QWidget* widget, QRgb color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(color));
    widget->setPalette(palette);
}

void setForeColor(QWidget* widget, QRgb color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(color));
    widget->setPalette(palette);
}

// The widget for a row, and whether Tab stops on it.
std::pair<QWidget*, bool> makeWidget(const ControlRow& control, QWidget* container) {
    switch (control.kind) {
        case Kind::PictureBox:
            if (std::holds_alternative<ChartBox * Controls::*>(control.handle)) {
                return {new ChartBox(container), true};
            }
            return {new PictureBox(container, control.picture, control.border), true};
        case Kind::Label: {
            auto* label = new Label(container, control.autoSize);
            label->setText(control.designText.toString());
            label->setAlignment((control.centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                                Qt::AlignTop);
            label->setAutoFillBackground(!control.transparent);
            return {label, false};
        }
        case Kind::TextBox: {
            auto* box = new TextBox(container);
            box->setText(control.designText.toString());
            return {box, true};
        }
        case Kind::ComboBox: {
            auto* combo = new ComboBox(container);
            combo->setEditText(control.designText.toString());
            return {combo, true};
        }
        case Kind::ScrollBar:
            return {
                new ScrollBar(container, control.range.min, control.range.max, control.range.value,
                              control.range.smallChange, control.range.largeChange),
                true};
        case Kind::CommandButton: {
            auto* button = new QPushButton(control.designText.toString(), container);
            button->setFocusPolicy(Qt::NoFocus);
            return {button, false};
        }
    }
    qFatal("control %s: unknown kind", control.name);
}

// The table's checks make each handle's type the widget made for its kind;
// this holds in every build, not only where assertions are compiled in.
void fillHandle(Controls& handles, const ControlRow& control, QWidget* widget) {
    std::visit(
        [&](auto field) {
            if constexpr (!std::is_same_v<decltype(field), std::monostate>) {
                using Widget = std::remove_pointer_t<std::remove_cvref_t<decltype(handles.*field)>>;
                auto* typed = qobject_cast<Widget*>(widget);
                if (typed == nullptr) {
                    qFatal("control %s: its handle does not fit its kind", control.name);
                }
                handles.*field = typed;
            }
        },
        control.handle);
}

// A fixed line of text from the pixels the build prepared for it, when they
// were composed over what lies beneath it here and drawn in its colour: its
// font is then never loaded at start-up.
bool showPrepared(const ControlRow& control, Label* label, const QWidget* container) {
    if (!isFixedText(control)) {
        return false;
    }
    const std::optional<PreparedPixels> prepared =
        preparedPixels(control.name, label->devicePixelRatioF());
    const QRgb beneath = control.container ? container->palette().color(QPalette::Window).rgb()
                                           : kWindowFace[0].color;
    if (!prepared || prepared->back != beneath ||
        prepared->fore != label->palette().color(label->foregroundRole()).rgb()) {
        return false;
    }
    label->usePrepared(*prepared);
    return true;
}

}  // namespace

BuiltControls buildControls(QWidget& window) {
    BuiltControls built;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlRow& control : controlTable()) {
        QWidget* container = &window;
        int offset = 0;
        if (control.container) {
            auto* box = static_cast<PictureBox*>(
                built.widgets[static_cast<std::size_t>(*control.container)]);
            container = box;
            offset = box->borderWidth();
        }
        const auto [widget, takesFocus] = makeWidget(control, container);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setFont(fontFor(control.font));
        widget->setGeometry(toPixels(control.place).translated(offset, offset));
        if (control.backColor != 0) {
            setBackColor(widget, control.backColor);
        }
        if (control.foreColor != 0) {
            setForeColor(widget, control.foreColor);
        }
        if (control.autoSize) {
            if (!showPrepared(control, static_cast<Label*>(widget), container)) {
                widget->adjustSize();
            }
        } else if (control.kind == Kind::Label) {
            // A value label never changes its size; fixed, its new text asks
            // its container for no layout pass, one posted event per label
            // and slider event saved.
            widget->setFixedSize(widget->size());
        }
        widget->setVisible(!control.hidden);
        built.widgets[static_cast<std::size_t>(control.id)] = widget;
        fillHandle(built.handles, control, widget);
        if (takesFocus) {
            tabOrder.emplace_back(control.tabIndex, widget);
        }
    }

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
    tabOrder.front().second->setFocus(Qt::OtherFocusReason);
    return built;
}

}  // namespace ui
