#include "earlier_library.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

#include "library_document.h"

namespace library {
namespace {

bool sameValues(Collector a, Collector b) {
    a.name.clear();
    b.name.clear();
    return a == b;
}

// The first free "<name> (parancssor)", "<name> (parancssor 2)", ...; empty
// when one of them already holds the same values.
QString commandLineName(const Collector& c, const QList<Collector>& list) {
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? QStringLiteral("%1 (parancssor)").arg(c.name)
                                    : QStringLiteral("%1 (parancssor %2)").arg(c.name).arg(n);
        const qsizetype taken = indexOfName(list, name);
        if (taken < 0) {
            return name;
        }
        if (sameValues(list[taken], c)) {
            return {};
        }
    }
}

}  // namespace

QString earlierCommandLinePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("efficiency/collectors.json"));
}

QString adoptEarlierLibrary(CollectorStore& store, const QString& earlierPath) {
    QFile file(earlierPath);
    if (!file.exists()) {
        return {};
    }
    const QString shown = QDir::toNativeSeparators(earlierPath);
    const ReadDocument earlier =
        file.open(QIODevice::ReadOnly)
            ? readDocument(file.readAll())
            : ReadDocument{{}, {}, QStringLiteral("nem nyitható meg (%1)").arg(file.errorString())};
    if (!earlier.error.isEmpty()) {
        return QStringLiteral(
                   "A korábbi parancssori kollektorkönyvtár (%1) nem olvasható: %2. A fájl a "
                   "helyén maradt.")
            .arg(shown, earlier.error);
    }
    int renamed = 0;
    const CollectorStore::Outcome outcome =
        store.change([&](QList<Collector>& list, CollectorStore::Outcome& counts) {
            for (Collector c : earlier.collectors) {
                if (const qsizetype same = indexOfName(list, c.name); same >= 0) {
                    if (sameValues(list[same], c)) {
                        continue;
                    }
                    c.name = commandLineName(c, list);
                    if (c.name.isEmpty()) {
                        continue;
                    }
                    ++renamed;
                }
                list.append(c);
                ++counts.added;
            }
            return QString();
        });
    if (!outcome.ok) {
        return QStringLiteral(
                   "A korábbi parancssori kollektorkönyvtár (%1) nem vehető át: %2 A fájl a "
                   "helyén maradt.")
            .arg(shown, outcome.message);
    }
    const QString aside = asideName(earlierPath);
    if (!QFile::rename(earlierPath, aside)) {
        return QStringLiteral(
                   "Átvéve a korábbi parancssori kollektorkönyvtárból (%1): %2 kollektor, %3 "
                   "közülük új néven; a fájl nem nevezhető át, a helyén maradt.")
            .arg(shown)
            .arg(outcome.added)
            .arg(renamed);
    }
    return QStringLiteral(
               "Átvéve a korábbi parancssori kollektorkönyvtárból (%1): %2 kollektor, %3 közülük "
               "új néven; a régi fájl új neve: %4.")
        .arg(shown)
        .arg(outcome.added)
        .arg(renamed)
        .arg(QDir::toNativeSeparators(aside));
}

}  // namespace library
