#include "accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <algorithm>
#include <array>
#include <cstring>

#include "control_table.h"
#include "controls.h"
#include "efficiency_window.h"
#include "graf_box.h"

namespace ui {
namespace {

using Role = QAccessible::Role;

// A row for a picture that shows words: its name is the control table's wording.
constexpr AccessibleRow shows(const char* control, Role role) {
    return {.control = control, .role = role};
}

// A box or slider, named by a hidden buddy label; it keeps its widget's own role.
constexpr AccessibleRow input(const char* control, QStringView name) {
    return {.control = control, .role = QAccessible::NoRole, .name = name, .buddy = true};
}

// A caption picture beside a result label. A graphic, not static text:
// Orca reads no description of a label, and the description is the value.
constexpr AccessibleRow resultCaption(const char* control, const char* label) {
    return {.control = control, .role = QAccessible::Graphic, .resultLabel = label};
}

constexpr Role Text = QAccessible::StaticText;
constexpr Role Graphic = QAccessible::Graphic;
constexpr Role Grouping = QAccessible::Grouping;

// clang-format off
constexpr std::array kRows{
    AccessibleRow{.control = "Efficiency", .role = QAccessible::Window},
    AccessibleRow{.control = "graf", .role = QAccessible::Chart, .name = u"Hatásfokgörbe"},

    AccessibleRow{.control = "Picture18", .role = Grouping, .name = u"A napkollektor jellemzői"},
    AccessibleRow{.control = "Picture3", .role = Grouping, .name = u"Üzemi paraméterek"},
    AccessibleRow{.control = "Picture2", .role = Grouping,
                  .name = u"A napkollektor-hatásfok képlete"},

    input("Combo1", u"Napkollektor típusa"),
    input("Text1", u"η0 – optikai hatásfok"),
    input("Text2", u"a1 – elsőfokú hőveszteségi együttható"),
    input("Text3", u"a2 – másodfokú hőveszteségi együttható"),
    input("Text4", u"A napkollektorok hasznos felülete (m²)"),
    input("HScroll1", u"Napkollektor hőmérséklet (°C)"),
    input("HScroll2", u"Környezeti hőmérséklet (°C)"),
    input("HScroll3", u"Napsugárzás intenzitás (W/m²)"),

    resultCaption("Picture21", "Label1"),
    resultCaption("Picture13", "Label12"),
    resultCaption("Picture16", "Label2"),
    resultCaption("Picture22", "Label4"),
    resultCaption("Picture17", "Label3"),

    shows("Picture19", Graphic),  // the emblem and the title
    shows("Picture4", Graphic),   // the formula and its legend
    shows("Picture1", Text),
    shows("Picture15", Text),
    shows("Picture14", Text),
    shows("Picture6", Text),
    shows("Picture7", Text),
    shows("Picture8", Text),
    shows("Picture9", Text),
    shows("Picture20", Text),
    shows("Picture10", Text),
    shows("Picture11", Text),
    shows("Picture12", Text),
    shows("Picture5", Text),
    shows("Picture24", Text),
    shows("Picture23", Text),
};
// clang-format on

const AccessibleRow* rowOf(const QString& control) {
    for (const AccessibleRow& row : kRows) {
        if (control == QLatin1String(row.control)) {
            return &row;
        }
    }
    return nullptr;
}

QString wordingOf(const char* control) {
    for (const ControlRow& row : controlTable()) {
        if (std::strcmp(row.name, control) == 0) {
            return row.wording.toString();
        }
    }
    return {};
}

// Asks the table for the role on every call: an interface may be made
// before the widget has its name, and Qt keeps it for the widget's life.
class TableRoleWidget : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    [[nodiscard]] Role role() const override {
        const AccessibleRow* row = rowOf(widget()->objectName());
        return row != nullptr && row->role != QAccessible::NoRole ? row->role
                                                                  : QAccessibleWidget::role();
    }
};

QAccessibleInterface* tableRoleFactory(const QString& className, QObject* object) {
    const bool ours = className == QLatin1String(PictureBox::staticMetaObject.className()) ||
                      className == QLatin1String(GrafBox::staticMetaObject.className()) ||
                      className == QLatin1String(Efficiency::staticMetaObject.className());
    if (!ours || !object->isWidgetType()) {
        return nullptr;
    }
    return new TableRoleWidget(static_cast<QWidget*>(object));
}

}  // namespace

std::span<const AccessibleRow> accessibleTable() {
    return kRows;
}

void installAccessibleRoles() {
    QAccessible::installFactory(tableRoleFactory);  // Qt ignores a second installation
}

void nameControls(QWidget& window) {
    for (const AccessibleRow& row : kRows) {
        const QString objectName = QString::fromLatin1(row.control);
        QWidget* control =
            window.objectName() == objectName ? &window : window.findChild<QWidget*>(objectName);
        Q_ASSERT_X(control != nullptr, "nameControls", row.control);
        const QString name = row.name.isEmpty() ? wordingOf(row.control) : row.name.toString();
        if (name.isEmpty()) {
            continue;  // the window, known by its title
        }
        if (row.buddy) {
            auto* label = new QLabel(control->parentWidget());
            label->setTextFormat(Qt::PlainText);
            label->setText(name);
            label->setBuddy(control);
            label->hide();
        } else {
            control->setAccessibleName(name);
        }
    }
}

void describeResult(QWidget& caption, QLabel& label) {
    const QString value = label.text();
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
    return QStringLiteral("η0 %1; a hatásfok 0 lesz x = %2; üzemi pont: x = %3, η = %4")
        .arg(eta0, withAtSuffix(zeroX, decimalSeparator), operatingX, efficiency);
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
