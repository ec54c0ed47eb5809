#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <memory>
#include <optional>

#include "collector_record.h"

class QJsonValue;
struct QJsonParseError;

// The one reader and writer of collector files, for the command line's
// --input, --import, --export and --list and the library dialog alike.
namespace library {

// One refused row, or the whole file: where, and why.
struct Refusal {
    int line = 0;     // 1-based line of the file; 0 where no line applies
    int element = 0;  // 1-based element of a JSON array or JSON Lines file; 0 for CSV
    QString column;   // the column or key, empty for the whole row or file
    QString reason;   // Hungarian, a full sentence
};
// "<file>:<line>: <n>. elem: <column>: <reason>", the parts there are.
[[nodiscard]] QString describe(const Refusal& refusal, const QString& fileName);

// One row of a file, read but not yet checked against a collector's rules.
struct ReadRow {
    Collector collector;
    int line = 0;
    int element = 0;
    FieldSet given;           // the fields the row has a value for
    QList<Refusal> refusals;  // values that do not read; empty when all do
    bool areaColumn = false;  // the reference area came from an "area" column
};
// The column a rule broken by `field` of the row is reported under: "area"
// where that column gave the reference area.
[[nodiscard]] QString columnOf(const ReadRow& row, Field field);

// Reads, row by row so that a long table never sits in memory whole:
//  - CSV (RFC 4180) with a header of the file's keys, in any case, and
//    "area" (the area the coefficients refer to); "," with decimal points,
//    or ";" with decimal commas (or points); a byte-order mark; CRLF;
//  - a JSON array of objects with the same keys, JSON Lines, or the
//    library's own document (these are read whole).
// Text that is not UTF-8 is read as Windows-1250, as Hungarian spreadsheets
// write it; anything else (binary data, UTF-16 without a byte-order mark) is
// refused at its first bad line. A file without any area column gives each
// collector 1 m² of its reference area.
class CollectorReader {
public:
    explicit CollectorReader(QIODevice& device);
    ~CollectorReader();
    CollectorReader(const CollectorReader&) = delete;
    CollectorReader& operator=(const CollectorReader&) = delete;

    // The next row; none at the end, or once the whole file is refused.
    [[nodiscard]] std::optional<ReadRow> next();
    // Why the file cannot be read at all; none while it can.
    [[nodiscard]] const std::optional<Refusal>& fileRefusal() const { return fileRefusal_; }
    [[nodiscard]] bool decodedAsWindows1250() const { return windows1250_; }
    [[nodiscard]] bool areaAssumed() const { return areaAssumed_; }

private:
    struct Json;
    [[nodiscard]] bool nextLine(QString& text);
    [[nodiscard]] bool decodeBeyondAscii(QString& text);
    [[nodiscard]] std::optional<QStringView> nextRecordLine();
    [[nodiscard]] bool nextRecord(int* line);
    [[nodiscard]] bool readHeader();
    void readJson();
    void addJsonElement(const QJsonValue& value, int line, int element);
    void readLibraryDocument(const QByteArray& bytes);
    void readJsonLines(const QByteArray& bytes, const QJsonParseError& whole);
    [[nodiscard]] ReadRow csvRow(const QList<QStringView>& fields, int line) const;
    void refuseFile(int line, const QString& column, const QString& reason);

    QIODevice& device_;
    int lineNumber_ = 0;
    bool started_ = false;
    bool windows1250_ = false;
    bool sawUtf8_ = false;  // a line with UTF-8 beyond ASCII: the file is UTF-8
    bool areaAssumed_ = false;
    std::optional<Refusal> fileRefusal_;
    QStringDecoder utf8_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    // Opened only for a file that needs it: opening a converter costs more
    // than reading a short file.
    QStringDecoder windows1250Decoder_;
    QChar separator_ = u',';
    QList<int> columns_;  // each column's Field, or -1 for "area"
    QStringList columnNames_;
    // The current record: its fields, as views into its lines or into the
    // unquoted copies of its quoted fields.
    QList<QStringView> fields_;
    QStringList recordLines_;  // buffers kept from record to record
    qsizetype usedLines_ = 0;  // of them, the current record's
    QStringList unquoted_;
    QByteArray lineBytes_;
    std::unique_ptr<Json> json_;
};

// A file read for import: the rows that keep every rule, each with the line
// it starts on, and every refusal.
struct ImportFile {
    QList<Collector> rows;
    QList<int> lines;
    QList<FieldSet> given;  // the fields each row has a value for
    QList<Refusal> refusals;
    bool windows1250 = false;
    bool areaAssumed = false;
};
// Reads a whole file and checks each row's collector (check()) and its name
// against the rows before it. A row whose name `library` holds needs only
// the columns it changes: it is checked as it would replace that collector
// (withFields).
[[nodiscard]] ImportFile parseImport(QIODevice& device, const QList<Collector>& library = {});
[[nodiscard]] ImportFile parseImport(const QByteArray& bytes, const QList<Collector>& library = {});

// Sorts checked rows against a library: new names, names it already has
// (each as stored, and as a replacing import would leave it).
struct ImportPreview {
    QList<Collector> additions;
    QList<Collector> existing;
    QList<Collector> replaced;
};
[[nodiscard]] ImportPreview previewImport(const ImportFile& file, const QList<Collector>& library);

enum class CsvStyle {
    CommaPoint,      // name,a1 ... 0.798
    SemicolonComma,  // name;a1 ... 0,798 (spreadsheets under a decimal-comma region)
};
// name, eta0, a1, a2 and area (the reference area) first, as the command
// line's --input reads them, then every other field; RFC 4180 with CRLF,
// UTF-8 with a byte-order mark so that spreadsheets read the accents.
// parseImport reads it back.
[[nodiscard]] QByteArray exportCsv(const QList<Collector>& collectors, CsvStyle style);
// The library's own document.
[[nodiscard]] QByteArray exportJson(const QList<Collector>& collectors);

}  // namespace library
