#include "collector_import.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>

#include "library_document.h"
#include "runtime/csv_text.h"

namespace library {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const QString kArea = QStringLiteral("area");

// A Field, or -1 for "area"; keys match in any case.
std::optional<int> keyColumn(QStringView name) {
    if (name.compare(kArea, Qt::CaseInsensitive) == 0) {
        return -1;
    }
    for (int f = 0; f < kFieldCount; ++f) {
        if (name.compare(fieldKey(static_cast<Field>(f)), Qt::CaseInsensitive) == 0) {
            return f;
        }
    }
    return std::nullopt;
}

bool isAreaColumn(int column) {
    return column == -1 || column == static_cast<int>(Field::GrossArea) ||
           column == static_cast<int>(Field::ApertureArea);
}

// A number in a CSV cell: a decimal point, or in a semicolon file a decimal
// comma as well (no grouping is possible in these ranges).
std::optional<DecimalText> cellNumber(QStringView text, QChar separator) {
    if (separator == u';' && text.contains(u',')) {
        return DecimalText::parse(text, u',');
    }
    return DecimalText::parse(text, u'.');
}

QString notANumber(Field field, QStringView text, QChar separator) {
    if (cellNumber(text, separator)) {
        return {};
    }
    const QString reason = checkNumberText(field, text, u'.');
    return reason.isEmpty() ? QStringLiteral("nem szám.") : reason;
}

// A modifier's table in a cell: numbers as cellNumber() reads them,
// separated by ";"; or why it does not read.
std::optional<AngleValues> cellAngles(QStringView text, QChar separator, QString* reason) {
    AngleValues values;
    const QList<QStringView> items = text.split(u';');
    for (qsizetype i = 0; i < items.size(); ++i) {
        const auto number = cellNumber(items[i].trimmed(), separator);
        if (!number) {
            *reason = QStringLiteral("%1. érték: %2")
                          .arg(i + 1)
                          .arg(items[i].trimmed().isEmpty()
                                   ? QStringLiteral("hiányzik; az értékeket pontosvessző "
                                                    "választja el.")
                                   : notANumber(Field::IamTable, items[i].trimmed(), separator));
            return std::nullopt;
        }
        values.append(*number);
    }
    return values;
}

// "area" is the area the coefficients refer to: it fills the reference's own
// area column, which must not say otherwise.
void applyArea(ReadRow& row, const std::optional<DecimalText>& area) {
    if (!area) {
        return;
    }
    Collector& c = row.collector;
    const Field target = referenceAreaField(c.reference);
    DecimalText& slot = target == Field::GrossArea ? c.grossArea : c.apertureArea;
    if (!slot.isEmpty() && slot != *area) {
        row.refusals.append(
            {row.line, row.element, kArea,
             QStringLiteral("ellentmond a(z) %1 oszlopnak.").arg(fieldKey(target))});
        return;
    }
    slot = *area;
    row.areaColumn = true;
    row.given.set(static_cast<std::size_t>(target));
}

// The beam modifier is one value in one of several forms: a row that gives
// it in one form clears the others where it replaces a stored collector.
void givesWholeModifier(ReadRow& row) {
    QList<Field> fields;
    for (const auto form :
         {ModifierForm::B0, ModifierForm::K50, ModifierForm::Table, ModifierForm::Biaxial}) {
        fields += modifierFields(form);
    }
    if (std::any_of(fields.begin(), fields.end(),
                    [&](Field f) { return row.given.test(static_cast<std::size_t>(f)); })) {
        for (const Field f : fields) {
            row.given.set(static_cast<std::size_t>(f));
        }
    }
}

// One value into a row's collector; the reference is set before the others.
void setValue(ReadRow& row, Field field, QStringView text, QChar separator) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return;
    }
    if (field == Field::Reference) {
        if (!setFieldText(row.collector, field, trimmed)) {
            row.refusals.append({row.line, row.element, fieldKey(field),
                                 QStringLiteral("„gross” vagy „aperture” lehet.")});
            return;
        }
    } else if (isNumericField(field)) {
        const auto number = cellNumber(trimmed, separator);
        if (!number) {
            row.refusals.append(
                {row.line, row.element, fieldKey(field), notANumber(field, trimmed, separator)});
            return;
        }
        setNumber(row.collector, field, *number);
    } else if (isAngleField(field)) {
        QString reason;
        const auto values = cellAngles(trimmed, separator, &reason);
        if (!values) {
            row.refusals.append({row.line, row.element, fieldKey(field), reason});
            return;
        }
        setAngles(row.collector, field, *values);
    } else {
        static_cast<void>(setFieldText(row.collector, field, text));
    }
    row.given.set(static_cast<std::size_t>(field));
}

}  // namespace

QString columnOf(const ReadRow& row, Field field) {
    return row.areaColumn && field == referenceAreaField(row.collector.reference) ? kArea
                                                                                  : fieldKey(field);
}

QString describe(const Refusal& r, const QString& fileName) {
    QString text = fileName;
    if (r.line > 0) {
        text += QStringLiteral(":%1").arg(r.line);
    }
    text += QStringLiteral(": ");
    if (r.element > 0) {
        text += QStringLiteral("%1. elem: ").arg(r.element);
    }
    if (!r.column.isEmpty()) {
        text += r.column + QStringLiteral(": ");
    }
    return text + r.reason;
}

// The JSON forms, read whole: the rows of an array, JSON Lines or the
// library's document, each with its line and element.
struct CollectorReader::Json {
    QList<ReadRow> rows;
    qsizetype next = 0;
};

namespace {

ReadRow jsonRow(const QJsonObject& object, int line, int element) {
    ReadRow row;
    row.line = line;
    row.element = element;
    std::optional<DecimalText> area;
    const auto numberText = [](const QJsonValue& value) -> std::optional<DecimalText> {
        if (value.isDouble()) {
            return DecimalText::fromDouble(value.toDouble());
        }
        return value.isString() ? cellNumber(value.toString(), u';') : std::nullopt;
    };
    if (const QJsonValue reference = object.value(u"reference"); !reference.isUndefined()) {
        setValue(row, Field::Reference, reference.toString(QStringLiteral("?")), u',');
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> column = keyColumn(it.key());
        if (!column) {
            row.refusals.append({line, element, it.key(), QStringLiteral("ismeretlen mező.")});
            continue;
        }
        const QJsonValue value = it.value();
        if (*column == static_cast<int>(Field::Reference) || value.isNull()) {
            continue;
        }
        const auto field = static_cast<Field>(std::max(*column, 0));
        if (isAngleField(field) && value.isArray()) {
            if (const auto values = anglesFromJson(value)) {
                setAngles(row.collector, field, *values);
                row.given.set(static_cast<std::size_t>(field));
            } else {
                row.refusals.append(
                    {line, element, it.key(),
                     QStringLiteral("számok tömbjét várja, legfeljebb 15 értékes jeggyel.")});
            }
        } else if (isAngleField(field) && value.isString()) {
            setValue(row, field, value.toString(), u';');
        } else if (isAngleField(field)) {
            row.refusals.append(
                {line, element, it.key(), QStringLiteral("számtömböt vagy szöveget vár.")});
        } else if (*column == -1 || isNumericField(field)) {
            const std::optional<DecimalText> number = numberText(value);
            if (!number) {
                row.refusals.append({line, element, it.key(),
                                     QStringLiteral("számot vár, legfeljebb 15 értékes jeggyel.")});
            } else if (*column == -1) {
                area = number;
            } else {
                setNumber(row.collector, field, *number);
                row.given.set(static_cast<std::size_t>(field));
            }
        } else if (!value.isString()) {
            row.refusals.append({line, element, it.key(), QStringLiteral("szöveget vár.")});
        } else {
            setValue(row, field, value.toString(), u',');
        }
    }
    applyArea(row, area);
    givesWholeModifier(row);
    return row;
}

}  // namespace

CollectorReader::CollectorReader(QIODevice& device) : device_(device) {}

CollectorReader::~CollectorReader() = default;

void CollectorReader::refuseFile(int line, const QString& column, const QString& reason) {
    if (!fileRefusal_) {
        fileRefusal_ = Refusal{line, 0, column, reason};
    }
}

// The next line, decoded: UTF-8 while it reads as such, else Windows-1250
// from the first line that does not, provided no earlier line was UTF-8.
bool CollectorReader::nextLine(QString& text) {
    if (fileRefusal_ || device_.atEnd()) {
        return false;
    }
    // Into buffers kept from line to line: a batch reads a hundred thousand.
    lineBytes_.resize(0);
    char block[4096];
    while (!device_.atEnd()) {
        const qint64 got = device_.readLine(block, sizeof block);
        if (got <= 0) {
            break;
        }
        lineBytes_.append(block, got);
        if (block[got - 1] == '\n') {
            break;
        }
    }
    ++lineNumber_;
    if (lineNumber_ == 1 && lineBytes_.startsWith(kByteOrderMark)) {
        lineBytes_.remove(0, kByteOrderMark.size());
    }
    bool ascii = true;
    for (const char c : std::as_const(lineBytes_)) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u == 0x7F) {
            refuseFile(lineNumber_, {},
                       QStringLiteral("a fájl nem szöveg (bináris adat, vagy bájtsorrendjel "
                                      "nélküli UTF-16)."));
            return false;
        }
        ascii = ascii && u < 0x80;
    }
    if (ascii) {
        text.resize(lineBytes_.size());
        QChar* out = text.data();
        for (const char c : std::as_const(lineBytes_)) {
            *out++ = QLatin1Char(c);
        }
        return true;
    }
    return decodeBeyondAscii(text);
}

// A line with bytes beyond ASCII, decoded as nextLine() says; false, with
// the file refused, where neither encoding reads it.
bool CollectorReader::decodeBeyondAscii(QString& text) {
    if (!windows1250_) {
        text = utf8_(lineBytes_);
        if (!utf8_.hasError()) {
            sawUtf8_ = true;
            return true;
        }
        utf8_.resetState();
        if (!sawUtf8_) {
            windows1250Decoder_ = QStringDecoder("windows-1250", QStringDecoder::Flag::Stateless);
        }
        windows1250_ = !sawUtf8_ && windows1250Decoder_.isValid();
    }
    if (windows1250_) {
        text = windows1250Decoder_(lineBytes_);
        if (!windows1250Decoder_.hasError()) {
            return true;
        }
    }
    refuseFile(lineNumber_, {}, QStringLiteral("a fájl kódolása sem UTF-8, sem Windows-1250."));
    return false;
}

// The record's next line, into a buffer of recordLines_ kept from record to
// record; a view of it, or none at the end.
std::optional<QStringView> CollectorReader::nextRecordLine() {
    if (usedLines_ == recordLines_.size()) {
        recordLines_.append(QString());
    }
    QString& text = recordLines_[usedLines_];
    if (!nextLine(text)) {
        return std::nullopt;
    }
    ++usedLines_;
    return QStringView(text);
}

// One RFC 4180 record into fields_: quoted fields may hold separators,
// quotes ("") and line breaks; `line` is where it starts. The fields are
// views into the record's lines, or into the unquoted copies of its quoted
// fields, which live until the next record.
bool CollectorReader::nextRecord(int* line) {
    fields_.clear();
    usedLines_ = 0;
    unquoted_.clear();
    std::optional<QStringView> first = nextRecordLine();
    if (!first) {
        return false;
    }
    *line = lineNumber_;
    QStringView text = *first;
    QString quotedField;
    bool quoted = false;
    bool wasQuoted = false;
    qsizetype fieldStart = 0;  // where the unquoted part of the field begins
    const auto endField = [&](qsizetype end) {
        QStringView rest = text.mid(fieldStart, end - fieldStart);
        if (!wasQuoted) {
            fields_.append(rest);
            return;
        }
        unquoted_.append(quotedField + rest.toString());  // text after a closing quote is kept
        fields_.append(unquoted_.back());
        quotedField.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0;; ++i) {
        if (i == text.size()) {
            if (!quoted) {
                qsizetype end = i;
                while (end > fieldStart && (text[end - 1] == u'\n' || text[end - 1] == u'\r')) {
                    --end;
                }
                endField(end);
                break;
            }
            std::optional<QStringView> more = nextRecordLine();
            if (!more) {
                refuseFile(*line, {}, QStringLiteral("lezáratlan idézőjel."));
                return false;
            }
            text = *more;
            i = -1;
            fieldStart = 0;
            continue;
        }
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                quotedField += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
                fieldStart = i + 1;
            } else {
                quotedField += c;
            }
        } else if (c == u'"' && !wasQuoted &&
                   text.mid(fieldStart, i - fieldStart).trimmed().isEmpty()) {
            quoted = true;  // quotes open only a field
            wasQuoted = true;
        } else if (c == separator_) {
            endField(i);
            fieldStart = i + 1;
        }
    }
    return true;
}

bool CollectorReader::readHeader() {
    QByteArray start;
    while (start.trimmed().isEmpty() && !device_.atEnd()) {
        start = device_.peek(4096);
        if (start.trimmed().isEmpty()) {
            QString blank;
            // A blank line that is no text (a vertical tab, say) ends the reading.
            if (!nextLine(blank)) {
                return false;
            }
            start.clear();
        }
    }
    if (start.startsWith(kByteOrderMark)) {
        start.remove(0, kByteOrderMark.size());
    }
    const QByteArray first = start.trimmed().left(1);
    if (first == "[" || first == "{") {
        json_ = std::make_unique<Json>();
        return true;
    }
    int line = 0;
    // The header decides the separator; a quoted name with a separator in it
    // is no column of ours anyway.
    const QString peeked = QString::fromUtf8(start.left(start.indexOf('\n')));
    separator_ = peeked.contains(u';') ? u';' : u',';
    if (!nextRecord(&line)) {
        if (!fileRefusal_) {
            refuseFile(0, {}, QStringLiteral("a fájl üres."));
        }
        return false;
    }
    bool anyArea = false;
    for (const QStringView raw : fields_) {
        const QString name = raw.trimmed().toString();
        const std::optional<int> column = keyColumn(name);
        if (!column) {
            refuseFile(line, name, QStringLiteral("ismeretlen oszlop."));
            return false;
        }
        if (columns_.contains(*column)) {
            refuseFile(line, name, QStringLiteral("az oszlop kétszer szerepel."));
            return false;
        }
        anyArea = anyArea || isAreaColumn(*column);
        columns_.append(*column);
        columnNames_.append(name);
    }
    areaAssumed_ = !anyArea;
    return true;
}

ReadRow CollectorReader::csvRow(const QList<QStringView>& fields, int line) const {
    ReadRow row;
    row.line = line;
    // Empty fields past the header's are a spreadsheet's trailing separators.
    qsizetype count = fields.size();
    while (count > columns_.size() && fields[count - 1].trimmed().isEmpty()) {
        --count;
    }
    if (count != columns_.size()) {
        row.refusals.append({line, 0, QString(),
                             QStringLiteral("%1 mező van benne, a fejléc szerint %2 kell.")
                                 .arg(count)
                                 .arg(columns_.size())});
        return row;
    }
    const auto cell = [&](qsizetype k) { return k < fields.size() ? fields[k] : QStringView(); };
    const auto referenceAt = columns_.indexOf(static_cast<int>(Field::Reference));
    if (referenceAt >= 0) {
        setValue(row, Field::Reference, cell(referenceAt), separator_);
    }
    std::optional<DecimalText> area;
    for (qsizetype k = 0; k < columns_.size(); ++k) {
        if (columns_[k] == static_cast<int>(Field::Reference)) {
            continue;
        }
        if (columns_[k] < 0) {
            const QStringView text = cell(k).trimmed();
            if (!text.isEmpty()) {
                area = cellNumber(text, separator_);
                if (!area) {
                    row.refusals.append(
                        {line, 0, kArea, notANumber(Field::GrossArea, text, separator_)});
                }
            }
            continue;
        }
        const std::size_t before = static_cast<std::size_t>(row.refusals.size());
        setValue(row, static_cast<Field>(columns_[k]), cell(k), separator_);
        if (static_cast<std::size_t>(row.refusals.size()) != before) {
            row.refusals.back().column = columnNames_[k];
        }
    }
    applyArea(row, area);
    givesWholeModifier(row);
    return row;
}

std::optional<ReadRow> CollectorReader::next() {
    if (!started_) {
        started_ = true;
        if (!readHeader()) {
            return std::nullopt;
        }
        if (json_) {
            readJson();
        }
    }
    if (json_) {
        if (json_->next >= json_->rows.size()) {
            return std::nullopt;
        }
        return json_->rows[json_->next++];
    }
    int line = 0;
    while (nextRecord(&line)) {
        // Blank rows, and rows of separators alone as spreadsheets end a
        // table with, are no rows.
        if (std::all_of(fields_.begin(), fields_.end(),
                        [](QStringView f) { return f.trimmed().isEmpty(); })) {
            continue;
        }
        ReadRow row = csvRow(fields_, line);
        if (areaAssumed_ && row.refusals.isEmpty()) {
            static_cast<void>(
                setFieldText(row.collector, referenceAreaField(row.collector.reference), u"1"));
        }
        return row;
    }
    return std::nullopt;
}

}  // namespace library

namespace library {
namespace {

// The line each of the first `count` elements of a JSON document's top-level
// array starts on; 0 where there is none.
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

bool givesArea(const QJsonObject& object) {
    const QStringList keys = object.keys();
    return std::any_of(keys.begin(), keys.end(), [](const QString& key) {
        const std::optional<int> column = keyColumn(key);
        return column && isAreaColumn(*column);
    });
}

}  // namespace

void CollectorReader::readJson() {
    QByteArray bytes;
    // Line by line, so that the decoding and its refusals are the CSV's.
    QString text;
    while (nextLine(text)) {
        bytes += text.toUtf8();
    }
    if (fileRefusal_) {
        return;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::NoError && document.isArray()) {
        const QJsonArray array = document.array();
        const QList<int> lines = jsonArrayElementLines(bytes, array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            addJsonElement(array[i], lines[i], static_cast<int>(i) + 1);
        }
        return;
    }
    // A single object is the library's document, or JSON Lines of one line.
    if (error.error == QJsonParseError::NoError && document.object().contains(u"format")) {
        readLibraryDocument(bytes);
        return;
    }
    readJsonLines(bytes, error);
}

void CollectorReader::addJsonElement(const QJsonValue& value, int line, int element) {
    if (!value.isObject()) {
        json_->rows.append(
            ReadRow{{}, line, element, {}, {{line, element, {}, QStringLiteral("nem objektum.")}}});
        return;
    }
    const QJsonObject object = value.toObject();
    ReadRow row = jsonRow(object, line, element);
    if (!givesArea(object) && row.refusals.isEmpty()) {
        areaAssumed_ = true;
        static_cast<void>(
            setFieldText(row.collector, referenceAreaField(row.collector.reference), u"1"));
    }
    json_->rows.append(row);
}

void CollectorReader::readLibraryDocument(const QByteArray& bytes) {
    const ReadDocument library = readDocument(bytes);
    if (!library.error.isEmpty()) {
        refuseFile(0, {}, library.error + u'.');
        return;
    }
    int element = 0;
    for (const Collector& c : library.collectors) {
        ReadRow row{c, 0, ++element, {}, {}};
        for (int f = 0; f < kFieldCount; ++f) {
            if (!fieldText(c, static_cast<Field>(f)).isEmpty()) {
                row.given.set(static_cast<std::size_t>(f));
            }
        }
        givesWholeModifier(row);
        json_->rows.append(row);
    }
}

// An object a line; `whole` is how the bytes read as one document.
void CollectorReader::readJsonLines(const QByteArray& bytes, const QJsonParseError& whole) {
    const QList<QByteArray> lines = bytes.split('\n');
    int element = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) {
            continue;
        }
        QJsonParseError lineError{};
        const QJsonDocument object = QJsonDocument::fromJson(lines[i], &lineError);
        const int line = static_cast<int>(i) + 1;
        ++element;
        if (lineError.error != QJsonParseError::NoError) {
            if (element == 1 && whole.error == QJsonParseError::NoError) {
                // One object over several lines that is no library.
                refuseFile(0, {}, readDocument(bytes).error + u'.');
                return;
            }
            if (element == 1) {  // not JSON Lines: the document's own error
                const int at = static_cast<int>(bytes.left(whole.offset).count('\n')) + 1;
                refuseFile(at, {}, describeJsonError(bytes, whole.offset) + u'.');
                return;
            }
            json_->rows.append(ReadRow{
                {},
                line,
                element,
                {},
                {{line, element, {}, describeJsonError(lines[i], lineError.offset) + u'.'}}});
            continue;
        }
        addJsonElement(object.isObject() ? QJsonValue(object.object()) : QJsonValue(), line,
                       element);
    }
}

namespace {

const Collector* storedNamed(const QList<Collector>& library, const QString& name) {
    const qsizetype at = indexOfName(library, name);
    return at < 0 ? nullptr : &library[at];
}

}  // namespace

ImportFile parseImport(QIODevice& device, const QList<Collector>& library) {
    ImportFile file;
    CollectorReader reader(device);
    QSet<QString> names;
    while (std::optional<ReadRow> row = reader.next()) {
        QList<Refusal> problems = row->refusals;
        const bool wholeRow = std::any_of(problems.begin(), problems.end(),
                                          [](const Refusal& r) { return r.column.isEmpty(); });
        const Collector* stored = storedNamed(library, row->collector.name);
        const Collector checked =
            stored ? withFields(*stored, row->collector, row->given) : row->collector;
        for (const FieldProblem& p : wholeRow ? QList<FieldProblem>() : check(checked)) {
            const QString column = columnOf(*row, p.field);
            const bool known = std::any_of(problems.begin(), problems.end(),
                                           [&](const Refusal& r) { return r.column == column; });
            if (!known) {
                problems.append({row->line, row->element, column, p.reason});
            }
        }
        const QString key = nameKey(row->collector.name);
        if (problems.isEmpty() && names.contains(key)) {
            problems.append({row->line, row->element, QStringLiteral("name"),
                             QStringLiteral("ez a név a fájlban korábban már szerepel.")});
        }
        if (!problems.isEmpty()) {
            file.refusals.append(problems);
            continue;
        }
        names.insert(key);
        file.rows.append(row->collector);
        file.lines.append(row->line);
        file.given.append(row->given);
    }
    if (reader.fileRefusal()) {
        file = ImportFile{};
        file.refusals.append(*reader.fileRefusal());
    }
    file.windows1250 = reader.decodedAsWindows1250();
    file.areaAssumed = reader.areaAssumed();
    return file;
}

ImportFile parseImport(const QByteArray& bytes, const QList<Collector>& library) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return parseImport(buffer, library);
}

ImportPreview previewImport(const ImportFile& file, const QList<Collector>& library) {
    ImportPreview preview;
    for (qsizetype i = 0; i < file.rows.size(); ++i) {
        if (const Collector* stored = storedNamed(library, file.rows[i].name)) {
            preview.existing.append(*stored);
            preview.replaced.append(withFields(*stored, file.rows[i], file.given[i]));
        } else {
            preview.additions.append(file.rows[i]);
        }
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
    header.append(kArea);
    for (const Field field : rest) {
        header.append(fieldKey(field));
    }
    QString out = rt::csvRecord(header, separator);
    for (const Collector& c : collectors) {
        const auto cell = [&](Field field) {
            QString value = fieldText(c, field);
            return isNumericField(field) || isAngleField(field) ? value.replace(u'.', decimal)
                                                                : value;
        };
        QStringList fields;
        for (const Field field : leading) {
            fields.append(cell(field));
        }
        fields.append(referenceArea(c).text(decimal));
        for (const Field field : rest) {
            fields.append(cell(field));
        }
        out += rt::csvRecord(fields, separator);
    }
    return kByteOrderMark + out.toUtf8();
}

QByteArray exportJson(const QList<Collector>& collectors) {
    return writeDocument(collectors);
}

}  // namespace library
