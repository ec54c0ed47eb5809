#include "collector_store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "library_document.h"
#include "product/version.h"

namespace library {

namespace {

// Long enough for several processes writing one after another.
constexpr int kLockWaitMs = 20000;

// QLockFile takes a lock file for stale when its process is gone, but a
// process killed between creating the file and writing its id into it leaves
// an empty one, which QLockFile would honour for its whole stale time. The
// holder also keeps a native lock on the file while it lives, so removing
// an empty file that nobody holds any more takes no one's lock.
bool acquire(QLockFile& lock, const QString& lockPath) {
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(200)) {
        if (lock.error() != QLockFile::LockFailedError || waited.elapsed() > kLockWaitMs) {
            return false;
        }
        const QFileInfo info(lockPath);
        if (info.exists() && info.size() == 0 &&
            info.lastModified().msecsTo(QDateTime::currentDateTime()) > 1000) {
            lock.removeStaleLockFile();
        }
    }
    return true;
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return QStringLiteral("A(z) %1 fájl nem írható (%2).")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return {};
}

QString findProblem(const QList<Collector>& collectors, const Collector& c,
                    std::optional<qsizetype> except) {
    if (const auto problems = check(c); !problems.isEmpty()) {
        return describeProblems(problems);
    }
    for (qsizetype i = 0; i < collectors.size(); ++i) {
        if (i != except && nameKey(collectors[i].name) == nameKey(c.name)) {
            return QStringLiteral("Már van ilyen nevű kollektor: %1.").arg(collectors[i].name);
        }
    }
    return {};
}

}  // namespace

QString describeProblems(const QList<FieldProblem>& problems) {
    QStringList parts;
    for (const FieldProblem& p : problems) {
        parts.append(fieldKey(p.field) + QStringLiteral(": ") + p.reason);
    }
    return parts.join(QStringLiteral("; "));
}

void identifyApplication() {
    QCoreApplication::setOrganizationName(QString::fromUtf8(product::kCompany));
    QCoreApplication::setApplicationName(QString::fromUtf8(product::kInternalName));
}

QString asideName(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".") + stamp;
    for (int n = 2; QFile::exists(aside); ++n) {
        aside = path + QStringLiteral(".%1-%2").arg(stamp).arg(n);
    }
    return aside;
}

CollectorStore::CollectorStore(QString filePath) : path_(std::move(filePath)) {}

QString CollectorStore::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("%1/%2/collectors.json")
                      .arg(QString::fromUtf8(product::kCompany),
                           QString::fromUtf8(product::kInternalName)));
}

std::optional<qsizetype> CollectorStore::indexOf(const QString& name) const {
    const qsizetype i = indexOfName(collectors_, name);
    return i < 0 ? std::nullopt : std::optional<qsizetype>(i);
}

QString CollectorStore::readOnlyMessage(const QString& reason) const {
    const QString backup = path_ + QStringLiteral(".bak");
    return QStringLiteral(
               "A kollektorkönyvtár (%1) nem olvasható: %2. A fájlt a program nem írja felül; "
               "a könyvtár csak olvasható, amíg új könyvtárat nem kezd.%3")
        .arg(QDir::toNativeSeparators(path_), reason,
             QFile::exists(backup) ? QStringLiteral(" Az előző változata megvan: %1.")
                                         .arg(QDir::toNativeSeparators(backup))
                                   : QString());
}

QString CollectorStore::read(QList<Collector>& into, bool* exists, QString* weatherFile) const {
    QFile file(path_);
    *exists = file.exists();
    into.clear();
    if (weatherFile != nullptr) {
        weatherFile->clear();
    }
    if (!*exists) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return readOnlyMessage(
            QStringLiteral("a fájl nem nyitható meg (%1)").arg(file.errorString()));
    }
    ReadDocument document = readDocument(file.readAll());
    if (!document.error.isEmpty()) {
        return readOnlyMessage(document.error);
    }
    into = std::move(document.collectors);
    if (weatherFile != nullptr) {
        *weatherFile = document.weatherFile;
    }
    return {};
}

void CollectorStore::reload() {
    bool exists = false;
    QList<Collector> fresh;
    problem_ = read(fresh, &exists, &weatherFile_);
    collectors_ = std::move(fresh);
}

CollectorStore::Outcome CollectorStore::rememberWeatherFile(const QString& path) {
    reload();
    if (problem_.isEmpty() && weatherFile_ == path) {
        Outcome kept;
        kept.ok = true;
        return kept;
    }
    newWeatherFile_ = path;
    Outcome outcome = change([](QList<Collector>&, Outcome&) { return QString(); });
    newWeatherFile_.reset();
    return outcome;
}

CollectorStore::Outcome CollectorStore::change(const Change& apply) {
    Outcome outcome;
    const QString folder = QFileInfo(path_).absolutePath();
    const QString unwritable =
        QStringLiteral(
            "A kollektorkönyvtár mappája (%1) nem írható, a változás nem került mentésre. "
            "A könyvtár tartalma a programban megmaradt.")
            .arg(QDir::toNativeSeparators(folder));
    if (!QDir().mkpath(folder)) {
        outcome.message = unwritable;
        return outcome;
    }
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!acquire(lock, path_ + QStringLiteral(".lock"))) {
        outcome.message = lock.error() == QLockFile::LockFailedError
                              ? QStringLiteral(
                                    "A kollektorkönyvtárat (%1) egy másik program "
                                    "foglalja; próbálja újra később.")
                                    .arg(QDir::toNativeSeparators(path_))
                              : unwritable;
        return outcome;
    }
    bool exists = false;
    QList<Collector> current;
    QString weather;
    if (QString problem = read(current, &exists, &weather); !problem.isEmpty()) {
        problem_ = problem;
        outcome.message = problem;
        return outcome;
    }
    problem_.clear();
    collectors_ = current;
    if (QString refusal = apply(current, outcome); !refusal.isEmpty()) {
        outcome.message = refusal;
        return outcome;
    }
    if (exists) {
        QFile old(path_);
        if (!old.open(QIODevice::ReadOnly)) {
            outcome.message = unwritable;
            return outcome;
        }
        if (QString failed = writeFile(path_ + QStringLiteral(".bak"), old.readAll());
            !failed.isEmpty()) {
            outcome.message = failed;
            return outcome;
        }
    }
    weather = newWeatherFile_.value_or(weather);
    if (QString failed = writeFile(path_, writeDocument(current, weather)); !failed.isEmpty()) {
        outcome.message = failed;
        return outcome;
    }
    collectors_ = std::move(current);
    weatherFile_ = weather;
    outcome.ok = true;
    return outcome;
}

CollectorStore::Outcome CollectorStore::add(Collector collector) {
    normalizeName(collector);
    return change([&](QList<Collector>& list, Outcome& outcome) {
        QString problem = findProblem(list, collector, std::nullopt);
        if (problem.isEmpty()) {
            list.append(collector);
            outcome.added = 1;
        }
        return problem;
    });
}

CollectorStore::Outcome CollectorStore::replace(const QString& oldName, Collector collector) {
    normalizeName(collector);
    return change([&](QList<Collector>& list, Outcome& outcome) {
        const qsizetype at = indexOfName(list, oldName);
        if (at < 0) {
            return QStringLiteral("Nincs ilyen nevű kollektor: %1.").arg(oldName);
        }
        QString problem = findProblem(list, collector, at);
        if (problem.isEmpty()) {
            list[at] = collector;
            outcome.replaced = 1;
        }
        return problem;
    });
}

CollectorStore::Outcome CollectorStore::edit(const Collector& original, Collector edited,
                                             QList<Conflict>* conflicts,
                                             const FieldSet& overwrite) {
    normalizeName(edited);
    conflicts->clear();
    return change([&](QList<Collector>& list, Outcome& outcome) {
        const qsizetype at = indexOfName(list, original.name);
        if (at < 0) {
            return QStringLiteral("Nincs ilyen nevű kollektor: %1 (közben törölték).")
                .arg(original.name);
        }
        FieldSet changed;
        for (int f = 0; f < kFieldCount; ++f) {
            const auto field = static_cast<Field>(f);
            const QString mine = fieldText(edited, field);
            if (mine == fieldText(original, field)) {
                continue;
            }
            changed.set(static_cast<std::size_t>(f));
            const QString theirs = fieldText(list[at], field);
            if (theirs != fieldText(original, field) && theirs != mine &&
                !overwrite.test(static_cast<std::size_t>(f))) {
                conflicts->append({field, theirs, mine});
            }
        }
        if (!conflicts->isEmpty()) {
            return QStringLiteral("A(z) %1 kollektort közben más is módosította.")
                .arg(original.name);
        }
        Collector merged = withFields(list[at], edited, changed);
        if (changed.test(static_cast<std::size_t>(Field::Name))) {
            merged.name = edited.name;
        }
        QString problem = findProblem(list, merged, at);
        if (problem.isEmpty()) {
            list[at] = merged;
            outcome.replaced = 1;
        }
        return problem;
    });
}

CollectorStore::Outcome CollectorStore::remove(const QString& name) {
    return removeNames({name});
}

namespace {

// The collectors of a deletion as <file>.deleted holds them, each with the
// place it had; nothing where the file is missing or unreadable.
QList<std::pair<qsizetype, Collector>> readDeleted(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    const QJsonArray places = QJsonDocument::fromJson(bytes).object().value(u"places").toArray();
    const ReadDocument document = readDocument(bytes);
    QList<std::pair<qsizetype, Collector>> deleted;
    for (qsizetype i = 0; i < document.collectors.size(); ++i) {
        deleted.append({places.at(i).toInteger(-1), document.collectors[i]});
    }
    return deleted;
}

}  // namespace

CollectorStore::Outcome CollectorStore::removeNames(
    const QList<QString>& names, QList<std::pair<qsizetype, Collector>>* removed) {
    QList<std::pair<qsizetype, Collector>> taken;
    Outcome outcome = change([&](QList<Collector>& list, Outcome&) {
        taken.clear();
        for (const QString& name : names) {
            const qsizetype at = indexOfName(list, name);
            if (at < 0) {
                return QStringLiteral("Nincs ilyen nevű kollektor: %1.").arg(name);
            }
            taken.append({at, list.takeAt(at)});
        }
        // Each place is the one its collector had when taken, so that putting
        // them back in reverse order restores the list.
        // The library's own document, with the places in a key of its own.
        QList<Collector> collectors;
        QByteArrayList places;
        for (const auto& [place, collector] : taken) {
            collectors.append(collector);
            places.append(QByteArray::number(place));
        }
        QByteArray document = writeDocument(collectors);
        document.insert(document.indexOf('\n') + 1, "  \"places\": [" + places.join(", ") + "],\n");
        return writeFile(deletedPath(), document);
    });
    if (removed != nullptr) {
        *removed = outcome.ok ? taken : QList<std::pair<qsizetype, Collector>>();
    }
    return outcome;
}

QList<Collector> CollectorStore::restorable() const {
    QList<Collector> gone;
    for (const auto& [place, collector] : readDeleted(deletedPath())) {
        if (indexOfName(collectors_, collector.name) < 0) {
            gone.append(collector);
        }
    }
    return gone;
}

CollectorStore::Outcome CollectorStore::restoreDeleted(const QList<QString>& names) {
    const QList<std::pair<qsizetype, Collector>> deleted = readDeleted(deletedPath());
    return change([&](QList<Collector>& list, Outcome& outcome) {
        for (qsizetype i = deleted.size() - 1; i >= 0; --i) {
            const auto& [place, collector] = deleted[i];
            const QString key = nameKey(collector.name);
            if (std::none_of(names.begin(), names.end(),
                             [&](const QString& n) { return nameKey(n) == key; })) {
                continue;
            }
            if (indexOfName(list, collector.name) >= 0) {
                ++outcome.skipped;
                continue;
            }
            list.insert(place >= 0 ? std::min(place, list.size()) : list.size(), collector);
            ++outcome.added;
        }
        return QString();
    });
}

CollectorStore::Outcome CollectorStore::importRows(const QList<Collector>& rows,
                                                   ExistingNames existing,
                                                   const QList<FieldSet>& given) {
    return change([&](QList<Collector>& list, Outcome& outcome) {
        // By name key: an import of thousands must not search the list per row.
        QHash<QString, qsizetype> places;
        for (qsizetype i = 0; i < list.size(); ++i) {
            places.insert(nameKey(list[i].name), i);
        }
        QStringList taken;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            Collector row = rows[r];
            normalizeName(row);
            const QString key = nameKey(row.name);
            const auto at = places.constFind(key);
            if (at == places.cend()) {
                places.insert(key, list.size());
                list.append(row);
                ++outcome.added;
            } else if (existing == ExistingNames::Replace) {
                const Collector replacing =
                    withFields(list[*at], row, given.isEmpty() ? FieldSet().set() : given[r]);
                if (const QList<FieldProblem> problems = check(replacing); !problems.isEmpty()) {
                    return QStringLiteral("%1: %2 Semmi sem változott.")
                        .arg(list[*at].name, describeProblems(problems));
                }
                list[*at] = replacing;
                ++outcome.replaced;
            } else if (existing == ExistingNames::Skip) {
                ++outcome.skipped;
            } else {
                taken.append(row.name);
            }
        }
        return taken.isEmpty() ? QString()
                               : QStringLiteral("Már létező nevek: %1. Semmi sem változott.")
                                     .arg(taken.join(QStringLiteral(", ")));
    });
}

CollectorStore::Outcome CollectorStore::startNewLibrary(QString* setAside) {
    Outcome outcome;
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!acquire(lock, path_ + QStringLiteral(".lock"))) {
        outcome.message = QStringLiteral("A kollektorkönyvtár (%1) zárolása nem sikerült.")
                              .arg(QDir::toNativeSeparators(path_));
        return outcome;
    }
    const QString aside = asideName(path_);
    if (QFile::exists(path_) && !QFile::rename(path_, aside)) {
        outcome.message =
            QStringLiteral("A(z) %1 fájl nem nevezhető át.").arg(QDir::toNativeSeparators(path_));
        return outcome;
    }
    if (setAside) {
        *setAside = aside;
    }
    collectors_.clear();
    problem_.clear();
    outcome.ok = true;
    return outcome;
}

}  // namespace library
