#pragma once

#include <functional>

#include <QDate>
#include <QString>
#include <QStringView>
#include <vector>

#include "control_table.h"
#include "model/collector_state.h"
#include "present/result_texts.h"

class QPagedPaintDevice;
class QWidget;

namespace rt {
class MessageBox;
}

// Taking the results out of the window: the clipboard, a file, the printer.
// The inputs are read off the window's controls; the results are the
// calculation's, formatted as the labels show them.
namespace ui {

// What the output reads: the window's controls and inputs, and the legend's
// words of the last chart run. The window owns them all.
struct ResultSources {
    QWidget& window;  // the dialogs' parent
    const Controls& controls;
    const model::Inputs& inputs;
    const rt::NumberFormat& format;
    const std::vector<present::KeptResult>& kept;
    // The name of a collector taken from the library, while the window
    // still holds its values; empty otherwise.
    std::function<QString()> loadedName;
};

class ResultOutput {
public:
    ResultOutput(const ResultSources& sources, rt::MessageBox& messageBox);

    // The window's inputs and results, named, in the copied order.
    [[nodiscard]] std::vector<present::NamedValue> resultLines() const;

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
    static void setUpPrinter(QPagedPaintDevice& printer);
    // Asks for a printer and prints the page there.
    void print();
    // Prints one page: the program's name, the date, the results and the chart.
    bool printTo(QPagedPaintDevice& printer, QDate date = QDate::currentDate());

    // Where the save dialog opens: the folder last saved to in this run,
    // else the user's pictures folder, else the home folder.
    [[nodiscard]] QString saveFolder() const;

private:
    void warn(const QString& title, const QString& text);

    ResultSources sources_;
    rt::MessageBox& messageBox_;
    QString lastSaveFolder_;
};

}  // namespace ui
