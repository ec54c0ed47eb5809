#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "collector_record.h"

namespace library {

// What an import does with a name the library already has.
enum class ExistingNames { Refuse, Skip, Replace };

// The library file and the one way to change it. Every change takes the
// file's lock, reads the file again, applies itself to what is there now and
// writes the result atomically, keeping the previous file as <file>.bak; so
// two windows and a command line on one library never lose each other's
// changes, and a killed process leaves the old or the new file, never half.
// A file that cannot be read is never written: the library is then read-only
// until the user starts a new one, which sets the old file aside.
class CollectorStore {
public:
    // Reads nothing yet, and creates nothing until the first change.
    explicit CollectorStore(QString filePath = defaultPath());

    // <data folder>/<company>/<program>/collectors.json, whatever names the
    // running application was given: every front end finds the same file.
    [[nodiscard]] static QString defaultPath();

    [[nodiscard]] const QString& path() const { return path_; }
    // Reads the file again; a missing file is an empty library.
    void reload();
    [[nodiscard]] const QList<Collector>& collectors() const { return collectors_; }
    [[nodiscard]] std::optional<qsizetype> indexOf(const QString& name) const;
    [[nodiscard]] bool isReadOnly() const { return !problem_.isEmpty(); }
    // Why the file cannot be used, naming it, in Hungarian; empty when it can.
    [[nodiscard]] const QString& problem() const { return problem_; }

    struct Outcome {
        bool ok = false;
        QString message;  // why nothing was written, in Hungarian
        int added = 0;
        int replaced = 0;
        int skipped = 0;
    };
    // One change to the library as it is on disk at that moment: returns a
    // reason to refuse, or an empty text.
    using Change = std::function<QString(QList<Collector>& collectors, Outcome& outcome)>;
    Outcome change(const Change& apply);
    // The weather file the annual yield last used, as last read; empty for none.
    [[nodiscard]] const QString& weatherFile() const { return weatherFile_; }
    // Keeps `path` as the weather file to offer next time, in the library
    // file, written as any change is; no write where it is kept already.
    Outcome rememberWeatherFile(const QString& path);

    // Names are stored in NFC (normalizeName).
    Outcome add(Collector collector);
    // Replaces the collector stored as `oldName`; a rename may not take
    // another collector's name.
    Outcome replace(const QString& oldName, Collector collector);
    Outcome remove(const QString& name);
    // Deletes the named collectors; `removed` receives each with the place it
    // had. They are kept in <file>.deleted, replacing the deletion before, so
    // that the last deletion can be restored after the window that made it
    // is gone.
    Outcome removeNames(const QList<QString>& names,
                        QList<std::pair<qsizetype, Collector>>* removed = nullptr);
    [[nodiscard]] QString deletedPath() const { return path_ + QStringLiteral(".deleted"); }
    // The collectors of the last deletion whose names the library does not
    // hold now (as last read), in their former order.
    [[nodiscard]] QList<Collector> restorable() const;
    // Puts the named collectors of the last deletion back where they were;
    // a name taken meanwhile is skipped and counted.
    Outcome restoreDeleted(const QList<QString>& names);

    // A field an edit changed that someone else changed too since the form
    // opened: the value stored now and the form's.
    struct Conflict {
        Field field;
        QString stored;
        QString edited;
    };
    // Saves a form opened on `original`: only the fields the form changed,
    // applied to the collector as the file holds it now. Where another
    // program changed one of those fields meanwhile, nothing is written and
    // `conflicts` lists them, unless `overwrite` names them.
    Outcome edit(const Collector& original, Collector edited, QList<Conflict>* conflicts,
                 const FieldSet& overwrite = {});
    // Rows already checked one by one (see parseImport). With Refuse, one
    // existing name refuses the whole import. With Replace, a stored
    // collector takes the fields `given` names for its row (all where
    // `given` is empty), as the file holds it at that moment, and keeps its
    // name's spelling.
    Outcome importRows(const QList<Collector>& rows, ExistingNames existing,
                       const QList<FieldSet>& given = {});
    // Moves an unreadable file aside under a time-stamped name and starts an
    // empty library in its place; `setAside` receives the new name.
    Outcome startNewLibrary(QString* setAside);

private:
    [[nodiscard]] QString readOnlyMessage(const QString& reason) const;
    // Reads the file into `into`; an empty text, or why it cannot be used.
    [[nodiscard]] QString read(QList<Collector>& into, bool* exists,
                               QString* weatherFile = nullptr) const;

    QString path_;
    QList<Collector> collectors_;
    QString weatherFile_;
    std::optional<QString> newWeatherFile_;  // for the next write only
    QString problem_;
};

// Names the running application by the product's company and internal
// name, as the window, the command line and the scenario runner all do, so
// that each finds the same data folder and settings.
void identifyApplication();

// `path` with a time stamp appended, and a number where that name is taken:
// where a file is set aside, never deleted.
[[nodiscard]] QString asideName(const QString& path);

// A refusal worded for one collector's rules: "eta0: nem lehet negatív; ...".
[[nodiscard]] QString describeProblems(const QList<FieldProblem>& problems);

}  // namespace library
