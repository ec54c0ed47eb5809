#pragma once

#include <QAccessible>
#include <QString>
#include <QStringView>
#include <span>

class QLabel;
class QWidget;

// What screen readers learn about the window beyond what each widget tells
// them by itself: the controls' names, the roles Qt would otherwise call
// fillers, and which caption picture reads out which result.
namespace ui {

struct AccessibleRow {
    const char* control;  // by its name in the control table
    QAccessible::Role role;
    // Empty: what the picture says (the control table's wording), or the
    // window's title.
    QStringView name{};
    // Named through a hidden buddy label: Qt on Linux ignores the accessible
    // name of an editable combo box, and a buddy gives the labelled-by relation.
    bool buddy = false;
    // A result's caption picture: the label whose value it reads out.
    const char* resultLabel = nullptr;
};

[[nodiscard]] std::span<const AccessibleRow> accessibleTable();

// Lets the window, its picture boxes and graf answer with the roles of the
// table. Installing it again does nothing.
void installAccessibleRoles();

// Names every control of the table inside the window and gives the boxes
// their buddy labels.
void nameControls(QWidget& window);

// A result label's caption changed: its caption picture carries the value
// in its description, and the label's name is the caption's words with it.
void describeResult(QWidget& caption, QLabel& label);

// What graf says: its curve's η0 and zero, and the operating point, with the
// digits the window shows.
[[nodiscard]] QString chartDescription(const QString& eta0, const QString& zeroX,
                                       const QString& operatingX, const QString& efficiency,
                                       QChar decimalSeparator);

// The number followed by "-nál" or "-nél", by the vowels of its last word as
// it is read out ("0,148" ends in "nyolc", "0,15" in "tizenöt").
[[nodiscard]] QString withAtSuffix(const QString& number, QChar decimalSeparator);

}  // namespace ui
