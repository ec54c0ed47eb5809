// Faults tried with real processes: killed writers and writers at once.
#include <gtest/gtest.h>
#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include "library/collector_store.h"
#include "library/library_document.h"
#include "tests/test_printers.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(StoreFaults, AWriterKilledAtRandomLeavesTheOldOrTheNewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("collectors.json"));
    constexpr int kWrites = 500;
    QRandomGenerator random(19);
    int stored = 0;
    int kills = 0;
    // Each round lets one write finish, so that a busy machine still gets on.
    for (int round = 0; stored < kWrites && round < kWrites; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(EFFICIENCY_LIBRARY_WRITER),
                     {path, QStringLiteral("add"), QStringLiteral("c"), QString::number(stored),
                      QString::number(kWrites)});
        ASSERT_TRUE(writer.waitForReadyRead(30000))
            << writer.readAllStandardError().toStdString() << " after " << stored << " writes";
        // A write takes some 20 ms: most kills land in one.
        QThread::usleep(random.bounded(0, 60000));
        if (writer.state() == QProcess::Running) {
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            ++kills;
        }
        writer.waitForFinished();
        // Every name c0 ... c<n-1> and nothing else: a whole write or none.
        for (const QString& file : {path, path + QStringLiteral(".bak")}) {
            if (!QFile::exists(file)) {
                ASSERT_TRUE(file != path || stored == 0);
                continue;
            }
            const library::ReadDocument read = library::readDocument(readAll(file));
            ASSERT_EQ(read.error, QString()) << "after " << stored << " writes";
            for (qsizetype i = 0; i < read.collectors.size(); ++i) {
                ASSERT_EQ(read.collectors[i].name, QStringLiteral("c%1").arg(i));
            }
            if (file == path) {
                ASSERT_GE(read.collectors.size(), stored);
                stored = static_cast<int>(read.collectors.size());
            }
        }
    }
    EXPECT_EQ(stored, kWrites);
    EXPECT_GT(kills, 10);
}

TEST(StoreFaults, EightProcessesImportingAtOnceLoseNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("collectors.json"));
    std::vector<std::unique_ptr<QProcess>> importers;
    for (int p = 0; p < 8; ++p) {
        QByteArray csv = "name;eta0;a1;a2;area\n";
        for (int i = 0; i < 10; ++i) {
            csv += QStringLiteral("Gyártó %1 / típus %2;0,7%2;3,5;0,01%1;2,3\n")
                       .arg(p)
                       .arg(i)
                       .toUtf8();
        }
        const QString csvPath = dir.filePath(QStringLiteral("import%1.csv").arg(p));
        QFile file(csvPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(csv);
        file.close();
        importers.push_back(std::make_unique<QProcess>());
        importers.back()->start(QStringLiteral(EFFICIENCY_LIBRARY_WRITER),
                                {path, QStringLiteral("import"), csvPath});
    }
    for (auto& importer : importers) {
        ASSERT_TRUE(importer->waitForFinished(60000));
        EXPECT_EQ(importer->exitCode(), 0) << importer->readAllStandardError().toStdString();
    }
    library::CollectorStore store(path);
    store.reload();
    ASSERT_EQ(store.problem(), QString());
    EXPECT_EQ(store.collectors().size(), 80);
    for (int p = 0; p < 8; ++p) {
        for (int i = 0; i < 10; ++i) {
            EXPECT_TRUE(store.indexOf(QStringLiteral("gyártó %1 / típus %2").arg(p).arg(i)));
        }
    }
}

}  // namespace
