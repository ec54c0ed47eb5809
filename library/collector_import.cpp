#include "collector_import.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

#include "library_document.h"

namespace library {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

struct CsvRecord {
    int line = 0;
    QStringList fields;
};

// RFC 4180 records: quoted fields may hold separators, quotes ("") and line
// breaks; a record's line is where it starts.
QList<CsvRecord> splitCsv(const QString& text, QChar separator, QString* error, int* errorLine) {
    QList<CsvRecord> records;
    CsvRecord record{1, {}};
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    const auto endRecord = [&] {
        record.fields.append(field);
        const bool blank = record.fields.size() == 1 && record.fields.front().trimmed().isEmpty();
        if (!blank) {
            records.append(record);
        }
        field.clear();
        fieldStarted = false;
        record = CsvRecord{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') {
                    ++line;
                }
                field += c;
            }
        } else if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            record.fields.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            ++line;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        *error = QStringLiteral("lezáratlan idézőjel");
        *errorLine = record.line;
        return {};
    }
    endRecord();
    return records;
}

// Checks one collector's rules and its name against the rows before it.
// A rule broken by a column already refused is not reported twice; a
// problem with the area an "area" column filled names that column.
void acceptRow(ImportFile& file, const Collector& c, int line, QList<Refusal> problems,
               QSet<QString>& names, bool areaGiven) {
    const Field areaField =
        c.reference == Reference::Gross ? Field::GrossArea : Field::ApertureArea;
    for (const FieldProblem& p : check(c)) {
        const QString column =
            areaGiven && p.field == areaField ? QStringLiteral("area") : fieldKey(p.field);
        const bool known = std::any_of(problems.begin(), problems.end(),
                                       [&](const Refusal& r) { return r.column == column; });
        if (!known) {
            problems.append({line, column, p.reason});
        }
    }
    if (problems.isEmpty() && names.contains(nameKey(c.name))) {
        problems.append({line, QStringLiteral("name"),
                         QStringLiteral("ez a név a fájlban korábban már szerepel")});
    }
    if (problems.isEmpty()) {
        names.insert(nameKey(c.name));
        file.rows.append(c);
        file.lines.append(line);
    } else {
        file.refusals.append(problems);
    }
}

// "area" is the area the coefficients refer to; it fills the reference's
// own area column.
bool applyArea(Collector& c, const QString& areaText, QChar separator, QList<Refusal>& problems,
               int line) {
    if (areaText.trimmed().isEmpty()) {
        return true;
    }
    const Field target = c.reference == Reference::Gross ? Field::GrossArea : Field::ApertureArea;
    const auto area = DecimalText::parse(areaText, separator);
    if (!area) {
        problems.append(
            {line, QStringLiteral("area"), checkNumberText(target, areaText, separator)});
        return false;
    }
    DecimalText& slot = target == Field::GrossArea ? c.grossArea : c.apertureArea;
    // An export writes the one area given as "area" too, whichever it is.
    if (slot.isEmpty() && !workingArea(c).isEmpty() && workingArea(c) == *area) {
        return true;
    }
    if (!slot.isEmpty() && slot != *area) {
        problems.append({line, QStringLiteral("area"),
                         QStringLiteral("ellentmond a(z) %1 oszlopnak").arg(fieldKey(target))});
        return false;
    }
    slot = *area;
    return true;
}

ImportFile parseCsv(const QString& text) {
    ImportFile file;
    const qsizetype firstBreak = text.indexOf(u'\n');
    const QString header = text.left(firstBreak < 0 ? text.size() : firstBreak);
    const bool semicolon = header.contains(u';');
    const QChar separator = semicolon ? u';' : u',';
    const QChar decimal = semicolon ? u',' : u'.';
    QString error;
    int errorLine = 0;
    const QList<CsvRecord> records = splitCsv(text, separator, &error, &errorLine);
    if (!error.isEmpty()) {
        file.refusals.append({errorLine, QString(), error});
        return file;
    }
    if (records.isEmpty()) {
        file.refusals.append({0, QString(), QStringLiteral("a fájl üres")});
        return file;
    }
    // The header: each column's field, or -1 for "area".
    QList<int> columns;
    QStringList names;
    for (const QString& raw : records.front().fields) {
        const QString name = raw.trimmed();
        const auto field = fieldFromKey(name);
        if (!field && name != u"area") {
            file.refusals.append({1, name, QStringLiteral("ismeretlen oszlop")});
        } else if (names.contains(name)) {
            file.refusals.append({1, name, QStringLiteral("az oszlop kétszer szerepel")});
        }
        columns.append(field ? static_cast<int>(*field) : -1);
        names.append(name);
    }
    if (!names.contains(u"name")) {
        file.refusals.append({1, QStringLiteral("name"), QStringLiteral("hiányzik a name oszlop")});
    }
    if (!file.refusals.isEmpty()) {
        return file;
    }
    QSet<QString> seen;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        QList<Refusal> problems;
        if (record.fields.size() != columns.size()) {
            file.refusals.append({record.line, QString(),
                                  QStringLiteral("%1 mező van benne, a fejléc szerint %2 kell")
                                      .arg(record.fields.size())
                                      .arg(columns.size())});
            continue;
        }
        Collector c;
        QString areaText;
        // The reference first: "area" and the number columns depend on it.
        for (qsizetype k = 0; k < columns.size(); ++k) {
            if (columns[k] == static_cast<int>(Field::Reference) &&
                !record.fields[k].trimmed().isEmpty() &&
                !setFieldText(c, Field::Reference, record.fields[k])) {
                problems.append(
                    {record.line, names[k], QStringLiteral("\"gross\" vagy \"aperture\" lehet")});
            }
        }
        for (qsizetype k = 0; k < columns.size(); ++k) {
            const QString& value = record.fields[k];
            if (columns[k] < 0) {
                areaText = value;
                continue;
            }
            const auto field = static_cast<Field>(columns[k]);
            if (field == Field::Reference) {
                continue;
            }
            if (isNumericField(field)) {
                if (!setFieldText(c, field, value, decimal)) {
                    problems.append(
                        {record.line, names[k], checkNumberText(field, value, decimal)});
                }
            } else {
                static_cast<void>(setFieldText(c, field, value));
            }
        }
        applyArea(c, areaText, decimal, problems, record.line);
        acceptRow(file, c, record.line, problems, seen, !areaText.trimmed().isEmpty());
    }
    return file;
}

ImportFile parseJsonArray(const QByteArray& bytes, const QJsonArray& array) {
    ImportFile file;
    const QList<int> lines = jsonArrayElementLines(bytes, array.size());
    QSet<QString> seen;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const int line = lines[i];
        QList<Refusal> problems;
        if (!array[i].isObject()) {
            file.refusals.append({line, QString(), QStringLiteral("nem objektum")});
            continue;
        }
        QJsonObject object = array[i].toObject();
        const QJsonValue area = object.take(u"area");
        QList<KeyProblem> keyProblems;
        Collector c = collectorFromJson(object, &keyProblems);
        for (const KeyProblem& p : keyProblems) {
            problems.append({line, p.key, p.reason});
        }
        if (!area.isUndefined()) {
            const auto text = area.isDouble() ? DecimalText::fromDouble(area.toDouble())
                                              : std::optional<DecimalText>();
            if (!text) {
                problems.append({line, QStringLiteral("area"), QStringLiteral("számot vár")});
            } else {
                applyArea(c, text->text(), u'.', problems, line);
            }
        }
        acceptRow(file, c, line, problems, seen, !area.isUndefined());
    }
    return file;
}

QString csvField(const QString& text, QChar separator) {
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\n') ||
                       text.contains(u'\r') || text != text.trimmed();
    if (!quote) {
        return text;
    }
    QString escaped = text;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

}  // namespace

QList<int> jsonArrayElementLines(const QByteArray& bytes, qsizetype count) {
    QList<int> lines;
    int line = 1;
    int depth = 0;
    bool inString = false;
    bool expectElement = false;
    for (qsizetype i = 0; i < bytes.size() && lines.size() < count; ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            ++line;
        }
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (depth == 1 && expectElement && c != ' ' && c != '\t' && c != '\r' && c != '\n' &&
            c != ']') {
            lines.append(line);
            expectElement = false;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            expectElement = ++depth == 1;
        } else if (c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && depth == 1) {
            expectElement = true;
        }
    }
    while (lines.size() < count) {
        lines.append(0);
    }
    return lines;
}

ImportFile parseImport(const QByteArray& input) {
    const QByteArray bytes = input.startsWith(kByteOrderMark) ? input.mid(3) : input;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError() || bytes.contains('\0')) {
        return {{}, {}, {{0, QString(), QStringLiteral("a fájl nem UTF-8 szöveg")}}};
    }
    const QString start = text.trimmed().left(1);
    if (start == u"[" || start == u"{") {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError) {
            const int line = static_cast<int>(bytes.left(error.offset).count('\n')) + 1;
            return {{}, {}, {{line, QString(), describeJsonError(bytes, error.offset)}}};
        }
        if (document.isArray()) {
            return parseJsonArray(bytes, document.array());
        }
        const ReadDocument library = readDocument(bytes);
        if (!library.error.isEmpty()) {
            return {{}, {}, {{0, QString(), library.error}}};
        }
        ImportFile file;
        file.rows = library.collectors;
        file.lines = QList<int>(file.rows.size(), 0);
        return file;
    }
    return parseCsv(text);
}

ImportPreview previewImport(const QList<Collector>& rows, const QList<Collector>& library) {
    QSet<QString> names;
    for (const Collector& c : library) {
        names.insert(nameKey(c.name));
    }
    ImportPreview preview;
    for (const Collector& row : rows) {
        (names.contains(nameKey(row.name)) ? preview.existing : preview.additions).append(row);
    }
    return preview;
}

QByteArray exportCsv(const QList<Collector>& collectors, CsvStyle style) {
    const QChar separator = style == CsvStyle::CommaPoint ? u',' : u';';
    const QChar decimal = style == CsvStyle::CommaPoint ? u'.' : u',';
    // The command line's --input columns first, "area" among them, so that an
    // exported table is also a valid --input; then every other field.
    const Field leading[] = {Field::Name, Field::Eta0, Field::A1, Field::A2};
    QList<Field> rest;
    for (int f = 0; f < kFieldCount; ++f) {
        if (std::find(std::begin(leading), std::end(leading), static_cast<Field>(f)) ==
            std::end(leading)) {
            rest.append(static_cast<Field>(f));
        }
    }
    QStringList header;
    for (const Field field : leading) {
        header.append(fieldKey(field));
    }
    header.append(QStringLiteral("area"));
    for (const Field field : rest) {
        header.append(fieldKey(field));
    }
    QString out = header.join(separator) + u'\n';
    for (const Collector& c : collectors) {
        const auto cell = [&](Field field) {
            QString value = fieldText(c, field);
            if (isNumericField(field)) {
                value.replace(u'.', decimal);
            }
            return csvField(value, separator);
        };
        QStringList fields;
        for (const Field field : leading) {
            fields.append(cell(field));
        }
        fields.append(workingArea(c).text(decimal));
        for (const Field field : rest) {
            fields.append(cell(field));
        }
        out += fields.join(separator) + u'\n';
    }
    return kByteOrderMark + out.toUtf8();
}

QByteArray exportJson(const QList<Collector>& collectors) {
    return writeDocument(collectors);
}

}  // namespace library
