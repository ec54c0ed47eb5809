#include "accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <array>

#include "chart_box.h"
#include "control_table.h"
#include "controls.h"

namespace ui {
namespace {

using Role = QAccessible::Role;

// Asks the table for the role on every call: an interface may be made
// before the widget has its name, and Qt keeps it for the widget's life.
class TableRoleWidget : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    [[nodiscard]] Role role() const override {
        if (widget()->isWindow()) {
            return QAccessible::Window;  // a frame: Qt would call it a filler
        }
        const ControlRow* row = rowNamed(widget()->objectName());
        return row != nullptr && row->role != QAccessible::NoRole ? row->role
                                                                  : QAccessibleWidget::role();
    }
};

// The window's class, which the window names when it installs the roles.
const QMetaObject* windowClass = nullptr;

QAccessibleInterface* tableRoleFactory(const QString& className, QObject* object) {
    const bool ours =
        className == QLatin1String(PictureBox::staticMetaObject.className()) ||
        className == QLatin1String(ChartBox::staticMetaObject.className()) ||
        (windowClass != nullptr && className == QLatin1String(windowClass->className()));
    if (!ours || !object->isWidgetType()) {
        return nullptr;
    }
    return new TableRoleWidget(static_cast<QWidget*>(object));
}

}  // namespace

void installAccessibleRoles(const QMetaObject& window) {
    windowClass = &window;
    QAccessible::installFactory(tableRoleFactory);  // Qt ignores a second installation
}

void nameControls(std::span<QWidget* const> controls) {
    for (const ControlRow& row : controlTable()) {
        if (row.spokenName.isEmpty()) {
            continue;
        }
        QWidget* control = controls[static_cast<std::size_t>(row.id)];
        const bool input =
            row.kind == Kind::ComboBox || row.kind == Kind::TextBox || row.kind == Kind::ScrollBar;
        if (input) {
            auto* label = new QLabel(control->parentWidget());
            label->setTextFormat(Qt::PlainText);
            label->setText(row.spokenName.toString());
            label->setBuddy(control);
            label->hide();
        } else {
            control->setAccessibleName(row.spokenName.toString());
        }
    }
}

void describeResult(QWidget& caption, QWidget& label, const QString& value) {
    if (caption.accessibleDescription() != value) {
        caption.setAccessibleDescription(value);
    }
    const QString name = caption.accessibleName() + u' ' + value;
    if (label.accessibleName() != name) {
        label.setAccessibleName(name);
    }
}

QString chartDescription(const QString& eta0, const QString& zeroX, const QString& operatingX,
                         const QString& efficiency, QChar decimalSeparator) {
    return QStringLiteral("η0 %1; a hatásfok x = %2 lesz nulla; üzemi pont: x = %3, η = %4")
        .arg(eta0, withAtSuffix(zeroX, decimalSeparator), operatingX, efficiency);
}

QString keptCurvesDescription(std::span<const present::KeptResult> kept) {
    if (kept.empty()) {
        return {};
    }
    QStringList curves;
    for (const present::KeptResult& curve : kept) {
        curves << curve.name + QStringLiteral(": ") + curve.efficiency + QStringLiteral(", ") +
                      curve.specificOutput;
    }
    const QString heading =
        kept.size() == 1 ? QStringLiteral("megtartott görbe") : QStringLiteral("megtartott görbék");
    return QStringLiteral("; ") + heading + QStringLiteral(": ") +
           curves.join(QStringLiteral("; "));
}

QString withAtSuffix(const QString& number, QChar decimalSeparator) {
    // Read out, the digits after the separator form a number of their own
    // ("nulla egész száznegyvennyolc"), whose last word decides.
    const qsizetype separator = number.indexOf(decimalSeparator);
    QStringView spoken = number;
    if (separator >= 0) {
        const QStringView fraction = QStringView(number).mid(separator + 1);
        const bool fractionSpoken = std::any_of(fraction.begin(), fraction.end(),
                                                [](QChar c) { return c > u'0' && c <= u'9'; });
        spoken = fractionSpoken ? fraction : QStringView(number).left(separator);
    }
    int lastDigit = 0;
    int zerosAfter = 0;
    for (const QChar c : spoken) {
        if (c == u'0') {
            ++zerosAfter;
        } else if (c > u'0' && c <= u'9') {
            lastDigit = c.digitValue();
            zerosAfter = 0;
        }
    }
    // egy, kettő, három, négy, öt, hat, hét, nyolc, kilenc
    constexpr std::array<bool, 10> kOnesBack{false, false, false, true, false,
                                             false, true,  false, true, false};
    // tíz, húsz, harminc, negyven, ötven, hatvan, hetven, nyolcvan, kilencven
    constexpr std::array<bool, 10> kTensBack{false, false, true,  true, false,
                                             false, true,  false, true, false};
    bool back = false;
    if (lastDigit == 0) {
        back = true;  // nulla
    } else if (zerosAfter == 0) {
        back = kOnesBack[static_cast<std::size_t>(lastDigit)];
    } else if (zerosAfter == 1) {
        back = kTensBack[static_cast<std::size_t>(lastDigit)];
    } else if (zerosAfter == 2) {
        back = true;  // száz
    } else if (zerosAfter < 6) {
        back = false;  // ezer
    } else {
        back = true;  // millió, milliárd
    }
    return number + (back ? QStringLiteral("-nál") : QStringLiteral("-nél"));
}

}  // namespace ui
