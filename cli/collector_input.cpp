#include "collector_input.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "library/collector_import.h"
#include "library/collector_record.h"
#include "model/entry_check.h"
#include "model/presets.h"

namespace cli {
namespace {

using model::EntryBox;

const QString kName = QStringLiteral("name");
const QString kMissing = QStringLiteral("hiányzik a sorból!");

// The library's other fields are read past, so that its export is an input.
bool isColumn(const QString& name) {
    return std::any_of(std::begin(kInputColumns), std::end(kInputColumns),
                       [&](QStringView column) { return column == name; }) ||
           library::fieldFromKey(name).has_value();
}

// A row's cells by column; a column absent from the row has none.
using Cells = std::map<QString, QString>;

struct RowReader {
    const QString& fileName;
    bool decimalComma;  // a semicolon table's numbers may have one
    CollectorTable& table;

    void read(int line, Cells cells) {
        bool refused = false;
        const auto refuse = [&](const QString& column, QStringView warning) {
            table.refusals << QStringLiteral("%1:%2: %3: %4")
                                  .arg(fileName)
                                  .arg(line)
                                  .arg(column, warning.toString());
            refused = true;
        };
        const model::StartCoefficients& start = model::kStartCoefficients;
        const model::CollectorType& custom = model::kCollectorTypes.back();
        model::Collector collector{custom.name.toString(), start.eta0, start.a1, start.a2,
                                   start.collectorArea};
        if (const auto name = cells.find(kName); name != cells.end() && !name->second.isEmpty()) {
            collector.name = name->second;
        }
        const struct {
            QString column;
            EntryBox box;
            rt::Currency& field;
        } entries[] = {{QStringLiteral("eta0"), EntryBox::Eta0, collector.eta0},
                       {QStringLiteral("a1"), EntryBox::A1, collector.a1},
                       {QStringLiteral("a2"), EntryBox::A2, collector.a2},
                       {QStringLiteral("area"), EntryBox::CollectorArea, collector.area}};
        static const rt::NumberFormat point(QLocale::c());
        static const rt::NumberFormat comma(QLocale(QLocale::Hungarian, QLocale::Hungary));
        deriveEta0(cells);
        for (const auto& entry : entries) {
            const auto cell = cells.find(entry.column);
            if (cell == cells.end() ||
                (entry.box == EntryBox::CollectorArea && cell->second.isEmpty())) {
                if (entry.box != EntryBox::CollectorArea) {  // the area defaults to the window's
                    refuse(entry.column, kMissing);
                }
                continue;
            }
            const QString& text = cell->second;
            const rt::NumberFormat& format = decimalComma && text.contains(u',') ? comma : point;
            const model::EntryRule& rule = model::ruleFor(entry.box);
            switch (model::checkEntry(text, rule, format)) {
                case model::EntryVerdict::Accepted:
                    entry.field = format.toCurrency(text);
                    break;
                case model::EntryVerdict::NotANumber:
                    refuse(entry.column, model::kNotANumberMessage);
                    break;
                case model::EntryVerdict::OutOfRange:
                    refuse(entry.column, rule.rangeMessage);
                    break;
            }
        }
        for (const auto& [column, text] : cells) {
            if (!isColumn(column)) {
                refuse(column, u"ismeretlen oszlop!");
            }
        }
        if (!refused) {
            table.collectors.push_back(std::move(collector));
        }
    }

    // A beam datasheet's row, as the library exports it, has eta0b and kd in
    // place of eta0: the hemispherical value is computed as --collector does.
    void deriveEta0(Cells& cells) const {
        const auto eta0 = cells.find(QStringLiteral("eta0"));
        const auto beam = cells.find(QStringLiteral("eta0b"));
        const auto kd = cells.find(QStringLiteral("kd"));
        if ((eta0 != cells.end() && !eta0->second.isEmpty()) || beam == cells.end() ||
            kd == cells.end()) {
            return;
        }
        const auto decimal = [&](const QString& text) {
            return library::DecimalText::parse(text,
                                               decimalComma && text.contains(u',') ? u',' : u'.');
        };
        library::Collector stored;
        const auto beamValue = decimal(beam->second);
        const auto kdValue = decimal(kd->second);
        if (!beamValue || !kdValue) {
            return;  // eta0 stays missing, and is refused as such
        }
        stored.eta0b = *beamValue;
        stored.kd = *kdValue;
        cells[QStringLiteral("eta0")] =
            rt::NumberFormat(QLocale::c()).text(library::hemisphericalEta0(stored));
    }
};

struct Record {
    int line = 0;
    QStringList fields;
};

// RFC 4180 records: quoted fields may hold separators, quotes and line breaks.
std::vector<Record> records(const QString& text, QChar separator) {
    std::vector<Record> out;
    Record record{1, {}};
    QString field;
    bool quoted = false;
    int line = 1;
    const auto endRecord = [&](int nextLine) {
        record.fields << field;
        field.clear();
        out.push_back(std::move(record));
        record = Record{nextLine, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                line += c == u'\n' ? 1 : 0;
                field += c;
            }
        } else if (c == u'"' && field.trimmed().isEmpty()) {  // only a field's start opens quotes
            field.clear();
            quoted = true;
        } else if (c == separator) {
            record.fields << field;
            field.clear();
        } else if (c == u'\n') {
            endRecord(++line);
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.fields.isEmpty()) {
        endRecord(line);
    }
    return out;
}

std::variant<CollectorTable, QString> readCsv(const QString& text, const QString& fileName) {
    const QChar separator = text.section(u'\n', 0, 0).contains(u';') ? u';' : u',';
    std::vector<Record> rows = records(text, separator);
    std::erase_if(rows, [](const Record& r) {
        return std::all_of(r.fields.begin(), r.fields.end(),
                           [](const QString& f) { return f.trimmed().isEmpty(); });
    });
    if (rows.empty()) {
        return QStringLiteral("%1: üres, nincs fejléce").arg(fileName);
    }
    QStringList header;
    for (const QString& name : rows.front().fields) {
        // --input's own columns in any case; the library's as it writes them.
        QString column = name.trimmed();
        if (!library::fieldFromKey(column)) {
            column = column.toLower();
        }
        if (!isColumn(column) || header.contains(column)) {
            return QStringLiteral(
                       "%1:%2: a fejléc oszlopai a name, eta0, a1, a2 és area, vagy a "
                       "kollektorkönyvtár mezői közül valók, mindegyik egyszer: %3")
                .arg(fileName)
                .arg(rows.front().line)
                .arg(name.trimmed());
        }
        header << column;
    }
    for (const char* required : {"eta0", "a1", "a2"}) {
        if (!header.contains(QLatin1String(required))) {
            return QStringLiteral("%1:%2: a fejlécből hiányzik az %3 oszlop")
                .arg(fileName)
                .arg(rows.front().line)
                .arg(QLatin1String(required));
        }
    }
    CollectorTable table;
    RowReader reader{fileName, separator == u';', table};
    for (auto row = rows.begin() + 1; row != rows.end(); ++row) {
        Cells cells;
        for (qsizetype i = 0; i < row->fields.size(); ++i) {
            const QString value = row->fields[i].trimmed();
            if (i < header.size()) {
                cells[header[i]] = value;
            } else if (!value.isEmpty()) {
                cells[QStringLiteral("%1. mező").arg(i + 1)] = value;
            }
        }
        reader.read(row->line, cells);
    }
    return table;
}

// The number as its shortest decimal text, which reads back to it.
QString numberText(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString();
}

std::variant<CollectorTable, QString> readJson(const QByteArray& bytes, const QString& fileName) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return QStringLiteral("%1:%2: hibás JSON: %3")
            .arg(fileName)
            .arg(bytes.left(error.offset).count('\n') + 1)
            .arg(error.errorString());
    }
    if (!document.isArray()) {
        return QStringLiteral("%1: a JSON nem objektumok tömbje").arg(fileName);
    }
    const QJsonArray array = document.array();
    const QList<int> lines = library::jsonArrayElementLines(bytes, array.size());
    CollectorTable table;
    RowReader reader{fileName, true, table};
    for (qsizetype i = 0; i < array.size(); ++i) {
        const int line = lines[i] != 0 ? lines[i] : 1;
        if (!array[i].isObject()) {
            return QStringLiteral("%1:%2: a JSON tömb eleme nem objektum").arg(fileName).arg(line);
        }
        Cells cells;
        const QJsonObject object = array[i].toObject();
        for (auto member = object.begin(); member != object.end(); ++member) {
            const QJsonValue value = member.value();
            cells[member.key()] = value.isDouble()   ? numberText(value.toDouble())
                                  : value.isString() ? value.toString().trimmed()
                                                     : QString();
        }
        reader.read(line, cells);
    }
    return table;
}

}  // namespace

std::variant<CollectorTable, QString> readCollectors(const QByteArray& bytes,
                                                     const QString& fileName) {
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF")) {  // the byte order mark spreadsheets write
        content.remove(0, 3);
    }
    std::variant<CollectorTable, QString> result =
        content.trimmed().startsWith('[') ? readJson(content, fileName)
                                          : readCsv(QString::fromUtf8(content), fileName);
    if (const auto* table = std::get_if<CollectorTable>(&result);
        table && table->collectors.empty() && table->refusals.isEmpty()) {
        return QStringLiteral("%1: nincs benne kollektor").arg(fileName);
    }
    return result;
}

}  // namespace cli
