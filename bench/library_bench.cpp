// The collector library at 10,000 collectors, each case beside an anchor
// measured in the same run: opening the dialog beside Qt's own JSON parse of
// the same file, one keystroke of the search beside a bare proxy filtering a
// list of the names, and importing a CSV beside splitting it into fields.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTemporaryDir>
#include <memory>

#include "library/collector_import.h"
#include "library/collector_store.h"
#include "library/library_document.h"
#include "ui/library_dialog.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program.h"

namespace {

constexpr int kCollectors = 10000;

QList<library::Collector> manyCollectors() {
    static const QStringList makers = {QStringLiteral("Helio Kft."), QStringLiteral("Tubus Zrt."),
                                       QStringLiteral("Aqua Bt."), QStringLiteral("Napfény Kft.")};
    QList<library::Collector> list;
    for (int i = 0; i < kCollectors; ++i) {
        library::Collector c;
        c.name = QStringLiteral("Kollektor %1").arg(i);
        c.maker = makers[i % makers.size()];
        c.model = QStringLiteral("T-%1").arg(i * 7 % 1000);
        c.eta0 = *library::DecimalText::parse(QStringLiteral("0.%1").arg(600 + i % 300));
        c.a1 = *library::DecimalText::parse(QStringLiteral("%1.%2").arg(1 + i % 5).arg(i % 97));
        c.a2 = *library::DecimalText::parse(QStringLiteral("0.0%1").arg(10 + i % 80));
        c.grossArea = *library::DecimalText::parse(QStringLiteral("2.%1").arg(i % 60));
        list.append(c);
    }
    return list;
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("collectors.json"));
    QByteArray document = library::writeDocument(manyCollectors());
    QByteArray csv = library::exportCsv(manyCollectors(), library::CsvStyle::SemicolonComma);
    ui::DesktopMessageBox messages;
    std::unique_ptr<ui::MainWindow> window;

    Fixture() {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(document);
        file.close();
        ui::setLibraryPath(path);
        window = ui::createWindow(QLocale(QLocale::Hungarian, QLocale::Hungary), messages,
                                  [](const QString&) {});
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void OpenDialog(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        ui::LibraryDialog dialog(*f.window);
        dialog.show();
        QApplication::processEvents();
    }
}
BENCHMARK(OpenDialog)->Unit(benchmark::kMillisecond);

void AnchorParseJson(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(QJsonDocument::fromJson(f.document));
    }
}
BENCHMARK(AnchorParseJson)->Unit(benchmark::kMillisecond);

void FilterKeystroke(benchmark::State& state) {
    Fixture& f = fixture();
    ui::LibraryDialog dialog(*f.window);
    dialog.show();
    bool longer = false;
    for (auto _ : state) {
        // One key typed, then taken back: "Kollektor 12" and "Kollektor 123".
        dialog.search().setText(longer ? QStringLiteral("Kollektor 123")
                                       : QStringLiteral("Kollektor 12"));
        longer = !longer;
        QApplication::processEvents();
    }
}
BENCHMARK(FilterKeystroke)->Unit(benchmark::kMillisecond);

void AnchorProxyFilter(benchmark::State& state) {
    QStringList names;
    for (const library::Collector& c : manyCollectors()) {
        names.append(c.name);
    }
    QStringListModel model(names);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    bool longer = false;
    for (auto _ : state) {
        proxy.setFilterFixedString(longer ? QStringLiteral("Kollektor 123")
                                          : QStringLiteral("Kollektor 12"));
        longer = !longer;
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}
BENCHMARK(AnchorProxyFilter)->Unit(benchmark::kMillisecond);

void ImportCsv(benchmark::State& state) {
    Fixture& f = fixture();
    const QString target = f.dir.filePath(QStringLiteral("imported.json"));
    for (auto _ : state) {
        QFile::remove(target);
        const library::ImportFile parsed = library::parseImport(f.csv);
        library::CollectorStore store(target);
        benchmark::DoNotOptimize(store.importRows(parsed.rows, library::ExistingNames::Refuse));
    }
}
BENCHMARK(ImportCsv)->Unit(benchmark::kMillisecond);

void AnchorSplitCsv(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        qsizetype fields = 0;
        for (const QString& line : QString::fromUtf8(f.csv).split(u'\n')) {
            fields += line.split(u';').size();
        }
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(AnchorSplitCsv)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
