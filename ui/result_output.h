#pragma once

#include <QDate>
#include <QKeySequence>
#include <QString>
#include <QStringView>
#include <functional>

#include "chart/results.h"

class QMenu;
class QPrinter;
class QWidget;

namespace rt {
class MessageBox;
}

// Taking the results out of the window: the clipboard, a file, the printer.
// The inputs are read off the window's controls; the results are the
// calculation's, formatted as the labels show them.
namespace ui {

class Efficiency;

class ResultOutput {
public:
    ResultOutput(Efficiency& window, rt::MessageBox& messageBox);

    // The window's inputs and results, named, in the copied order.
    [[nodiscard]] std::vector<chart::NamedValue> resultLines() const;

    // Each puts plain text and an HTML table on the clipboard.
    void copyResults();
    void copyPowerTable();
    // The chart as an image at the screen's pixel ratio.
    void copyChart();

    // Asks for a file and writes the chart there.
    void saveChartAs();
    // Writes the chart in the format the name's extension gives; a warning
    // when it cannot be written. False then, or for an unknown extension.
    bool saveChart(const QString& path);

    // The page size the printed page is laid out for.
    static void setUpPrinter(QPrinter& printer);
    // Asks for a printer and prints the page there.
    void print();
    // Prints one page: the program's name, the date, the results and the chart.
    bool printTo(QPrinter& printer, QDate date = QDate::currentDate());

    // Where the save dialog opens: the folder last saved to in this run,
    // else the user's pictures folder, else the home folder.
    [[nodiscard]] QString saveFolder() const;

private:
    void warn(const QString& title, const QString& text);

    Efficiency& window_;
    rt::MessageBox& messageBox_;
    QString lastSaveFolder_;
};

// One entry of the chart box's context menu: its text with its mnemonic, its
// window-wide shortcut (UnknownKey for none), what it runs and, for an entry
// that is not always available, when it is and why it is not. A separator
// goes before an entry that starts a group.
struct MenuEntry {
    QStringView text;
    QKeySequence::StandardKey shortcut;
    void (*run)(Efficiency& window);
    bool startsGroup = false;
    bool (*available)(const Efficiency& window) = nullptr;
    QStringView whyUnavailable = {};
    // A shortcut that is no standard key: a key combination of its own.
    QKeyCombination ownShortcut = Qt::Key_unknown;
};

// The menu of the chart box's entries. Each entry is an action of the window
// as well, so that its shortcut works wherever the focus is in the window; a
// text box keeps Ctrl+C for its selection (it claims the key before any
// shortcut). `trigger` runs a chosen entry. The menu belongs to the window.
[[nodiscard]] QMenu* makeChartMenu(Efficiency& window,
                                   std::function<void(const MenuEntry&)> trigger);

}  // namespace ui
