#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "collector_record.h"

namespace library {

// One refused row of an import file: where, and why.
struct Refusal {
    int line = 0;    // 1-based line of the file; 0 for the whole file
    QString column;  // the column or key, empty for the whole row
    QString reason;  // Hungarian
};

// A file read for import: the rows that keep every rule, each with the line
// it starts on, and every refusal.
struct ImportFile {
    QList<Collector> rows;
    QList<int> lines;
    QList<Refusal> refusals;
};

// Reads any of:
//  - CSV with a header of the file's keys (and "area", the area the
//    coefficients refer to), comma-separated with decimal points or
//    semicolon-separated with decimal commas;
//  - a JSON array of objects with the same keys;
//  - the library's own JSON document.
[[nodiscard]] ImportFile parseImport(const QByteArray& bytes);

// The line each of the first `count` elements of a JSON document's top-level
// array starts on, for messages that name a line; 0 where there is none.
[[nodiscard]] QList<int> jsonArrayElementLines(const QByteArray& bytes, qsizetype count);

// Sorts checked rows against a library: new names, names it already has.
struct ImportPreview {
    QList<Collector> additions;
    QList<Collector> existing;
};
[[nodiscard]] ImportPreview previewImport(const QList<Collector>& rows,
                                          const QList<Collector>& library);

enum class CsvStyle {
    CommaPoint,      // name,a1 ... 0.798
    SemicolonComma,  // name;a1 ... 0,798 (spreadsheets under a decimal-comma region)
};
// name, eta0, a1, a2 and area (the working area) first, as the command
// line's --input reads them, then every other field; UTF-8 with a byte-order mark
// so that spreadsheets read the accents. parseImport reads it back.
[[nodiscard]] QByteArray exportCsv(const QList<Collector>& collectors, CsvStyle style);
// The library's own document.
[[nodiscard]] QByteArray exportJson(const QList<Collector>& collectors);

}  // namespace library
