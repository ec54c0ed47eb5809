#include "result_output.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <array>
#include <utility>
#include <vector>

#include "chart_picture.h"
#include "datasheet_dialog.h"
#include "efficiency_window.h"
#include "graf_box.h"
#include "library_dialog.h"
#include "menu_entry_accessible.h"
#include "product/version.h"
#include "runtime/control_interfaces.h"

namespace ui {
namespace {

void putOnClipboard(const QString& text, const QString& html) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data);
}

struct FileFilter {
    QStringView text;
    QStringView extension;
};

constexpr std::array kFileFilters{
    FileFilter{u"PNG-kép (*.png)", u"png"},
    FileFilter{u"SVG-vektorgrafika (*.svg)", u"svg"},
    FileFilter{u"PDF-dokumentum (*.pdf)", u"pdf"},
};

const QString kDefaultFileName = QStringLiteral("hatasfokgorbe.png");

// Qt's print dialog names a file to print to only on X11; elsewhere (Wayland)
// it offers the bare folder, which cannot be printed to. The same name then.
void offerOutputFile(QPrintDialog& dialog, const QString& docName) {
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (file != nullptr && file->text().endsWith(u'/')) {
        file->setText(file->text() + docName + QStringLiteral(".pdf"));
    }
}

}  // namespace

ResultOutput::ResultOutput(Efficiency& window, rt::MessageBox& messageBox)
    : window_(window), messageBox_(messageBox) {}

std::vector<chart::NamedValue> ResultOutput::resultLines() const {
    const Controls& c = window_.controls();
    const auto valueOf = [](const ScrollBar* slider) {
        return rt::Integer::checked(slider->QScrollBar::value());
    };
    const chart::InputTexts inputs{
        .collectorType = c.collectorType->currentText(),
        .eta0 = c.eta0Box->text(),
        .a1 = c.a1Box->text(),
        .a2 = c.a2Box->text(),
        .collectorArea = c.areaBox->text(),
        .conditions = {valueOf(c.collectorTempSlider), valueOf(c.ambientTempSlider),
                       valueOf(c.irradianceSlider)},
    };
    const model::CollectorState& state = window_.state();
    const model::Results results = model::calculate(state.collector(), state.conditions());
    return chart::resultLines(inputs, chart::formatResults(results, window_.format()),
                              window_.keptResults(), window_.format());
}

void ResultOutput::copyResults() {
    const std::vector<chart::NamedValue> lines = resultLines();
    putOnClipboard(chart::plainText(lines), chart::htmlTable(lines));
}

void ResultOutput::copyPowerTable() {
    const std::vector<chart::PowerRow> rows = chart::powerTable(
        window_.state().collector(), window_.state().conditions(), window_.format(), 10);
    putOnClipboard(chart::powerTablePlainText(rows), chart::powerTableHtml(rows));
}

void ResultOutput::copyChart() {
    const GrafBox& chart = *window_.controls().chart;
    QGuiApplication::clipboard()->setImage(chartImage(chart, chart.devicePixelRatioF()));
}

void ResultOutput::saveChartAs() {
    QStringList filters;
    for (const FileFilter& filter : kFileFilters) {
        filters.append(filter.text.toString());
    }
    QString chosenFilter = filters.front();
    QString path = QFileDialog::getSaveFileName(&window_, QStringLiteral("Grafikon mentése"),
                                                QDir(saveFolder()).filePath(kDefaultFileName),
                                                filters.join(u";;"), &chosenFilter);
    if (path.isEmpty()) {
        return;
    }
    lastSaveFolder_ = QFileInfo(path).absolutePath();
    // A name without one of the three extensions gets the chosen type's, as
    // the desktop's save dialogs do.
    if (!chartFileFormatOf(path)) {
        for (const FileFilter& filter : kFileFilters) {
            if (filter.text == chosenFilter) {
                path += u'.' + filter.extension.toString();
            }
        }
    }
    (void)saveChart(path);
}

QString ResultOutput::saveFolder() const {
    if (!lastSaveFolder_.isEmpty()) {
        return lastSaveFolder_;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool ResultOutput::saveChart(const QString& path) {
    const std::optional<ChartFileFormat> format = chartFileFormatOf(path);
    if (!format) {
        warn(QStringLiteral("Mentés"),
             QStringLiteral("A grafikon csak PNG, SVG vagy PDF formátumban menthető: %1")
                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!writeChart(*window_.controls().chart, path, *format)) {
        warn(QStringLiteral("Mentés"),
             QStringLiteral("A grafikon nem menthető ide: %1").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

void ResultOutput::setUpPrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Hatásfokgörbe"));
    printer.setCreator(QString::fromUtf8(product::kDisplayName));
}

void ResultOutput::print() {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, &window_);
    dialog.setWindowTitle(QStringLiteral("Nyomtatás"));
    offerOutputFile(dialog, printer.docName());
    if (dialog.exec() == QDialog::Accepted) {
        (void)printTo(printer);
    }
}

bool ResultOutput::printTo(QPrinter& printer, QDate date) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        warn(QStringLiteral("Nyomtatás"), QStringLiteral("A nyomtatás nem indítható el."));
        return false;
    }
    const PageText text{
        .title = QString::fromUtf8(product::kDisplayName),
        .date = QLocale(QLocale::Hungarian, QLocale::Hungary).toString(date, QLocale::LongFormat),
        .lines = resultLines(),
    };
    paintPage(painter,
              printer.pageRect(QPrinter::DevicePixel)
                  .translated(-printer.pageRect(QPrinter::DevicePixel).topLeft()),
              text, *window_.controls().chart);
    return painter.end();
}

void ResultOutput::warn(const QString& title, const QString& text) {
    messageBox_.show(text, rt::MessageBox::kWarningOk, title);
}

namespace {

constexpr std::array kChartMenu{
    MenuEntry{u"&Eredmények másolása", QKeySequence::Copy,
              [](Efficiency& window) { window.output().copyResults(); }},
    MenuEntry{u"&Teljesítménytáblázat másolása", QKeySequence::UnknownKey,
              [](Efficiency& window) { window.output().copyPowerTable(); }},
    MenuEntry{u"Grafikon má&solása", QKeySequence::UnknownKey,
              [](Efficiency& window) { window.output().copyChart(); }},
    MenuEntry{u"Grafikon &mentése…", QKeySequence::Save,
              [](Efficiency& window) { window.output().saveChartAs(); }, true},
    MenuEntry{u"&Nyomtatás…", QKeySequence::Print,
              [](Efficiency& window) { window.output().print(); }},
    MenuEntry{u"&Görbe megtartása összehasonlításhoz", QKeySequence::UnknownKey,
              [](Efficiency& window) { window.keepCurrentCollector(); }, true,
              [](const Efficiency& window) { return window.canKeep(); },
              u"Legfeljebb négy görbe tartható meg"},
    MenuEntry{u"Összehasonlítás tö&rlése", QKeySequence::UnknownKey,
              [](Efficiency& window) { window.forgetKeptCollectors(); }, false,
              [](const Efficiency& window) { return !window.keptCollectors().empty(); }},
    MenuEntry{u"&Adatlap…",
              QKeySequence::UnknownKey,
              [](Efficiency& window) { openDatasheet(window); },
              true,
              nullptr,
              {},
              QKeyCombination(Qt::CTRL, Qt::Key_D)},
    MenuEntry{u"&Kollektorkönyvtár…",
              QKeySequence::UnknownKey,
              openCollectorLibrary,
              true,
              nullptr,
              {},
              QKeyCombination(Qt::CTRL, Qt::Key_K)},
    MenuEntry{u"&Jelenlegi kollektor mentése a könyvtárba…", QKeySequence::UnknownKey,
              storeCurrentCollector},
};

}  // namespace

QMenu* makeChartMenu(Efficiency& window, std::function<void(const MenuEntry&)> trigger) {
    auto* menu = new QMenu(&window);
    menu->setAccessibleName(QStringLiteral("A hatásfokgörbe helyi menüje"));
    std::vector<std::pair<QAction*, const MenuEntry*>> conditional;
    for (const MenuEntry& entry : kChartMenu) {
        if (entry.startsGroup) {
            menu->addSeparator();
        }
        auto* action = new QAction(entry.text.toString(), &window);
        if (entry.shortcut != QKeySequence::UnknownKey) {
            action->setShortcut(entry.shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        } else if (entry.ownShortcut.key() != Qt::Key_unknown) {
            action->setShortcut(entry.ownShortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        QObject::connect(action, &QAction::triggered, &window,
                         [trigger, &entry] { trigger(entry); });
        window.addAction(action);
        menu->addAction(action);
        if (entry.available != nullptr) {
            conditional.emplace_back(action, &entry);
        }
        if (!entry.whyUnavailable.isEmpty()) {
            describeWhenDisabled(*action);
        }
    }
    // Whether an entry can be chosen depends on what is kept at the moment
    // the menu opens; a disabled entry says why, on hovering and to screen readers.
    menu->setToolTipsVisible(true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&window, conditional] {
        for (const auto& [action, entry] : conditional) {
            const bool available = entry->available(window);
            action->setEnabled(available);
            action->setToolTip(available ? QString() : entry->whyUnavailable.toString());
        }
    });
    return menu;
}

}  // namespace ui
