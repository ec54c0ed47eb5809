#pragma once

#include <QAccessible>
#include <QString>
#include <QStringView>
#include <span>

#include "chart/chart_procedures.h"

class QWidget;

// What screen readers learn about the window beyond what each widget tells
// them by itself: the controls' names, the roles Qt would otherwise call
// fillers, and the values the result captions read out. The names and roles
// are columns of the control table.
namespace ui {

// Lets the window (of class `window`), its picture boxes and the chart box answer
// with the roles of the control table. Installing it again does nothing.
void installAccessibleRoles(const QMetaObject& window);

// Names every control of the table, given by ID, and gives the inputs
// their hidden buddy labels.
void nameControls(std::span<QWidget* const> controls);

// A result label shows `value`: its caption picture carries the value in its
// description, and the label's name is the caption's words with it.
void describeResult(QWidget& caption, QWidget& label, const QString& value);

// What the chart box says: its curve's η0 and zero, and the operating point, with the
// digits the window shows.
[[nodiscard]] QString chartDescription(const QString& eta0, const QString& zeroX,
                                       const QString& operatingX, const QString& efficiency,
                                       QChar decimalSeparator);

// What the chart box adds after chartDescription while collectors are kept: each
// one's name, efficiency and specific output as the legend shows them, the
// name whole. Empty when nothing is kept.
[[nodiscard]] QString keptCurvesDescription(std::span<const present::KeptResult> kept);

// The number followed by "-nál" or "-nél", by the vowels of its last word as
// it is read out ("0,148" ends in "nyolc", "0,15" in "tizenöt").
[[nodiscard]] QString withAtSuffix(const QString& number, QChar decimalSeparator);

}  // namespace ui
