// Drives the real window under the offscreen platform, one command a line on
// standard input, one JSON object a line on standard output. Test support for
// the golden scenario tests; not installed with the program.
//
//   dump              the window's state
//   select N          the user picks row N of Combo1 from its list
//   type K TEXT       click into TextK, select all, type TEXT, click on graf
//   set K V           HScrollK takes V as by a key or a track click
//   drag K V          the user drags HScrollK's thumb to V
//   paint             graf is repainted, as when a covering window goes away
//   shot FILE         a PNG of the whole window, repainted for it
//   screen FILE       a PNG of what the screen shows of the window, as painted
//   copy-results      graf's menu: the results to the clipboard
//   copy-table        graf's menu: the power table to the clipboard
//   save FILE         graf's menu: the chart to FILE, by its extension, no dialog
//   print FILE        graf's menu: the printed page to the PDF file FILE, no dialog
//   keep              the current collector is kept on the chart for comparison
//   forget            every kept collector is forgotten
//   library FILE      the collector library's commands below use FILE
//   load NAME         the library's Betöltés with the collector stored as NAME
//   keep-stored NAME  the library's Összehasonlításhoz with that collector
//   annual FILE       graf's menu: the annual yield of the window's collectors
//                     from the weather file FILE, its rows and status printed
//   annual-shot FILE  a PNG of that dialog, as last opened, at its size
//
// After copy-results or copy-table the next dump has a "clipboard" member
// with the clipboard's plain text; other dumps have none.
//
// The dump lists the kept collectors under "kept" once a keep or a forget
// has run, so that the dumps of sessions without them stay as they were.
#include <QApplication>
#include <QBackingStore>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "tools/window_driver.h"
#include "ui/annual_yield_dialog.h"
#include "ui/chart_box.h"
#include "ui/library_dialog.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"
#include "ui/result_output.h"

namespace {

using ui::MainWindow;

QString colorName(rt::Color color) {
    return QColor(rt::redOf(color), rt::greenOf(color), rt::blueOf(color)).name();
}

// The message box style a box shows: 48 for a warning with one OK.
int styleOf(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Critical:
            return 16;
        case QMessageBox::Question:
            return 32;
        case QMessageBox::Warning:
            return 48;
        case QMessageBox::Information:
            return 64;
        case QMessageBox::NoIcon:
            break;
    }
    return 0;
}

class Runner {
public:
    explicit Runner(MainWindow& window) : window_(window), c_(window.controls()), user_(window) {}

    // False for an unknown command.
    bool execute(const QString& line);

private:
    ui::ScrollBar* scrollBar(int k) const;
    ui::TextBox* textBox(int k) const;
    void type(int k, const QString& text);
    void set(int k, int value);
    void drag(int k, int value);
    void printToPdf(const QString& path);
    void annual(const QString& weatherFile);
    QJsonObject dump();
    void print(const QJsonObject& object);

    MainWindow& window_;
    const ui::Controls& c_;
    driver::WindowDriver user_;
    bool copied_ = false;    // since the last dump
    bool compared_ = false;  // a keep or a forget has run
    std::unique_ptr<ui::AnnualYieldDialog> annual_;
};

// The runner numbers sliders and boxes from 1, in the order of the window's lists.
ui::ScrollBar* Runner::scrollBar(int k) const {
    return k >= 1 && k <= static_cast<int>(ui::kSliders.size())
               ? c_.*ui::kSliders[static_cast<std::size_t>(k - 1)].slider
               : nullptr;
}

ui::TextBox* Runner::textBox(int k) const {
    return k >= 1 && k <= static_cast<int>(ui::kEntryBoxes.size())
               ? c_.*ui::kEntryBoxes[static_cast<std::size_t>(k - 1)].box
               : nullptr;
}

void Runner::type(int k, const QString& text) {
    user_.typeInto(textBox(k), text);
    user_.click(c_.chart);
}

void Runner::set(int k, int value) {
    ui::ScrollBar* bar = scrollBar(k);
    bar->setFocus(Qt::MouseFocusReason);
    user_.activate();
    bar->setValue(value);
}

void Runner::drag(int k, int value) {
    ui::ScrollBar* bar = scrollBar(k);
    const QPoint pressed = bar->mapTo(&window_, bar->thumbRect().center());
    driver::press(window_.windowHandle(), pressed);
    user_.activate();
    // A pointer on a track of ~100 pixels cannot stop at each of 250
    // values; the thumb moves through them one by one, as a slow drag would.
    const int step = value > bar->QScrollBar::value() ? 1 : -1;
    for (int v = bar->QScrollBar::value(); v != value;) {
        v += step;
        bar->setSliderPosition(v);
        QApplication::processEvents();  // painted before the pointer moves on
    }
    // Let go where Qt last saw the pointer. A release anywhere else comes
    // with a move first, and the thumb's pixel maps back to a neighbouring
    // value (900 on HScroll3 would end at 895); the bar ignores the position
    // of the release itself.
    driver::release(window_.windowHandle(), pressed);
}

void Runner::annual(const QString& weatherFile) {
    ui::AnnualYieldSources sources = ui::annualYieldSources(window_);
    sources.weatherFile = weatherFile;
    sources.rememberWeatherFile = nullptr;  // a scenario leaves the library as it is
    annual_ = std::make_unique<ui::AnnualYieldDialog>(std::move(sources), &window_,
                                                      window_.numberLocale());
    annual_->show();
    QJsonArray rows;
    for (const ui::AnnualYieldDialog::Row& row : annual_->rows()) {
        rows.append(QJsonObject{{"collector", row.collector},
                                {"meanTemperature", row.yield.meanFluidTemperature},
                                {"perArea", row.yield.perSquareMetre},
                                {"perCollector", row.yield.perCollector},
                                {"annualEfficiency", row.yield.efficiency}});
    }
    print(QJsonObject{{"annual", rows}, {"status", annual_->status()}});
}

void Runner::printToPdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    ui::ResultOutput::setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    (void)window_.output().printTo(printer);
}

QJsonObject Runner::dump() {
    const rt::NumberFormat exact{QLocale::c()};
    const model::CollectorState& s = window_.state();
    QJsonObject out;
    // The keys are the form's control IDs; the golden tests read them.
    out["Combo1"] = QJsonObject{{"ListIndex", c_.collectorType->listIndex().value()},
                                {"Text", c_.collectorType->currentText()}};
    for (int k = 1; k <= 4; ++k) {
        const ui::TextBox* box = textBox(k);
        out[QStringLiteral("Text%1").arg(k)] =
            QJsonObject{{"Text", box->QLineEdit::text()}, {"Enabled", box->isEnabled()}};
    }
    const std::pair<const char*, ui::Label*> labels[] = {
        {"Label1", c_.characteristicEfficiencyLabel},
        {"Label2", c_.efficiencyLabel},
        {"Label3", c_.outputLabel},
        {"Label4", c_.specificOutputLabel},
        {"Label9", c_.collectorTempLabel},
        {"Label10", c_.ambientTempLabel},
        {"Label12", c_.operatingXLabel},
        {"Label13", c_.irradianceLabel},
    };
    for (const auto& [name, label] : labels) {
        out[QLatin1String(name)] = label->text();
    }
    for (int k = 1; k <= 3; ++k) {
        out[QStringLiteral("HScroll%1").arg(k)] = scrollBar(k)->QScrollBar::value();
    }
    out["state"] = QJsonObject{
        {"collectorTemp", s.collectorTemp.value()},
        {"ambientTemp", s.ambientTemp.value()},
        {"irradiance", s.irradiance.value()},
        {"stagnationX", exact.text(s.zeroEfficiencyX)},
        {"operatingX", exact.text(s.operatingX)},
        {"eta0", exact.text(s.eta0)},
        {"a1", exact.text(s.a1)},
        {"a2", exact.text(s.a2)},
        {"collectorArea", exact.text(s.collectorArea)},
    };
    QJsonArray messages;
    for (const driver::AnsweredBox& box : user_.takeAnswered()) {
        messages.append(
            QJsonObject{{"title", box.title}, {"text", box.text}, {"style", styleOf(box.icon)}});
    }
    out["messages"] = messages;

    QJsonArray lines;
    for (const chart::RecordedLine& line : c_.chart->list().lines) {
        lines.append(QJsonArray{line.x1, line.y1, line.x2, line.y2, colorName(line.color)});
    }
    QJsonArray prints;
    for (const chart::RecordedText& text : c_.chart->list().prints) {
        prints.append(QJsonArray{text.x, text.y, text.text});
    }
    out["chart"] = QJsonObject{{"lines", lines}, {"prints", prints}};
    if (std::exchange(copied_, false)) {
        out["clipboard"] = QGuiApplication::clipboard()->text();
    }

    if (compared_) {
        QJsonArray kept;
        const auto collectors = window_.keptCollectors();
        const auto& results = window_.keptResults();
        for (std::size_t i = 0; i < collectors.size(); ++i) {
            const model::KeptCollector& collector = collectors[i];
            QJsonObject entry{{"name", collector.name},
                              {"eta0", exact.text(collector.eta0)},
                              {"a1", exact.text(collector.a1)},
                              {"a2", exact.text(collector.a2)}};
            // A chart run that a runtime error ended has no legend.
            if (i < results.size()) {
                entry["efficiency"] = results[i].efficiency;
                entry["specificOutput"] = results[i].specificOutput;
            }
            kept.append(entry);
        }
        out["kept"] = kept;
    }
    return out;
}

void Runner::print(const QJsonObject& object) {
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << std::endl;
}

bool Runner::execute(const QString& line) {
    // "command K rest": the rest is everything after the one blank after K.
    const qsizetype afterCommand = line.indexOf(u' ');
    const QString command = afterCommand < 0 ? line : line.left(afterCommand);
    const qsizetype afterArgument = afterCommand < 0 ? -1 : line.indexOf(u' ', afterCommand + 1);
    const QString argument =
        afterCommand < 0
            ? QString()
            : line.mid(afterCommand + 1, afterArgument < 0 ? -1 : afterArgument - afterCommand - 1);
    const QString rest = afterArgument < 0 ? QString() : line.mid(afterArgument + 1);
    bool numeric = false;
    const int k = argument.toInt(&numeric);
    bool valueOk = false;
    const int value = rest.toInt(&valueOk);

    user_.activate();
    bool known = true;
    if (command == u"dump" && argument.isEmpty()) {
        print(dump());
    } else if (command == u"select" && numeric && rest.isEmpty() && k >= 0 &&
               k < c_.collectorType->count()) {
        user_.pickRow(k);
    } else if (command == u"type" && numeric && textBox(k) != nullptr) {
        if (textBox(k)->isEnabled()) {
            type(k, rest);
        } else {
            print(QJsonObject{{"error", QStringLiteral("Text%1 is disabled").arg(k)}});
        }
    } else if (command == u"set" && numeric && scrollBar(k) != nullptr && valueOk) {
        set(k, value);
    } else if (command == u"drag" && numeric && scrollBar(k) != nullptr && valueOk) {
        drag(k, value);
    } else if (command == u"paint" && argument.isEmpty()) {
        c_.chart->repaint();
    } else if (command == u"keep" && argument.isEmpty()) {
        compared_ = true;
        window_.keepCurrentCollector();
    } else if (command == u"forget" && argument.isEmpty()) {
        compared_ = true;
        window_.forgetKeptCollectors();
    } else if (command == u"library" && !argument.isEmpty()) {
        ui::setLibraryPath(line.mid(afterCommand + 1));
    } else if ((command == u"load" || command == u"keep-stored") && !argument.isEmpty()) {
        ui::LibraryDialog library(window_);
        if (!library.select(line.mid(afterCommand + 1))) {
            print(QJsonObject{
                {"error",
                 QStringLiteral("no stored collector: %1").arg(line.mid(afterCommand + 1))}});
        } else if (command == u"load") {
            library.loadIntoWindow();
        } else {
            compared_ = true;
            library.keepForComparison();
        }
    } else if (command == u"annual" && !argument.isEmpty()) {
        annual(line.mid(afterCommand + 1));
    } else if (command == u"annual-shot" && !argument.isEmpty() && annual_) {
        annual_->grab().save(line.mid(afterCommand + 1), "PNG");
    } else if (command == u"shot" && !argument.isEmpty()) {
        window_.grab().save(line.mid(afterCommand + 1), "PNG");
    } else if (command == u"screen" && !argument.isEmpty()) {
        QApplication::processEvents();
        // The offscreen platform's backing store is an image: the pixels as painted.
        if (const auto* painted =
                dynamic_cast<const QImage*>(window_.backingStore()->paintDevice())) {
            painted->save(line.mid(afterCommand + 1), "PNG");
        }
    } else if (command == u"copy-results" && argument.isEmpty()) {
        window_.output().copyResults();
        copied_ = true;
    } else if (command == u"copy-table" && argument.isEmpty()) {
        window_.output().copyPowerTable();
        copied_ = true;
    } else if (command == u"save" && !argument.isEmpty()) {
        (void)window_.output().saveChart(line.mid(afterCommand + 1));
    } else if (command == u"print" && !argument.isEmpty()) {
        printToPdf(line.mid(afterCommand + 1));
    } else {
        known = false;
    }
    QApplication::processEvents();
    return known;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setUpApplication();

    ui::DesktopMessageBox messages;
    const auto reportError = [](const QString& message) {
        std::cout << QJsonDocument(QJsonObject{{"fatal", message}})
                         .toJson(QJsonDocument::Compact)
                         .toStdString()
                  << std::endl;
        std::exit(1);
    };
    const auto window = ui::createWindow(QLocale::system(), messages, reportError);
    if (!window) {
        return 1;
    }
    messages.setParent(window.get());
    window->show();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();

    Runner runner(*window);
    std::string line;
    while (std::getline(std::cin, line)) {
        const QString command = QString::fromStdString(line);
        if (command.trimmed().isEmpty()) {
            continue;
        }
        if (!runner.execute(command)) {
            std::cerr << "efficiency-scenario: unknown command: " << line << std::endl;
            return 2;
        }
    }
    return 0;
}
