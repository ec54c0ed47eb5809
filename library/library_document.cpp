#include "library_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>

#include "runtime/json_text.h"

namespace library {

namespace {

QByteArray jsonString(const QString& text) {
    return rt::jsonString(text).toUtf8();
}

bool looksBinary(const QByteArray& bytes) {
    if (bytes.contains('\0')) {
        return true;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = decoder(bytes);
    return decoder.hasError();
}

}  // namespace

QByteArray writeDocument(const QList<Collector>& collectors, const QString& weatherFile) {
    QByteArray out;
    out += "{\n  \"format\": \"";
    out += kFormatName;
    out += "\",\n  \"version\": " + QByteArray::number(kFormatVersion) + ",\n";
    if (!weatherFile.isEmpty()) {
        out += "  \"weatherFile\": " + jsonString(weatherFile) + ",\n";
    }
    out += "  \"collectors\": [";
    for (qsizetype i = 0; i < collectors.size(); ++i) {
        out += i == 0 ? "\n    {" : ",\n    {";
        bool first = true;
        for (int f = 0; f < kFieldCount; ++f) {
            const auto field = static_cast<Field>(f);
            const QString value = fieldText(collectors[i], field);
            if (value.isEmpty() && field != Field::Name) {
                continue;
            }
            out += first ? "\n      " : ",\n      ";
            first = false;
            out += jsonString(fieldKey(field)) + ": ";
            // A number's canonical text is valid JSON as it is.
            if (isAngleField(field)) {
                out += '[' + value.toLatin1().replace(';', ", ") + ']';
            } else {
                out += isNumericField(field) ? value.toLatin1() : jsonString(value);
            }
        }
        out += "\n    }";
    }
    out += collectors.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

QString describeJsonError(const QByteArray& bytes, int offset) {
    // Qt names the same fault differently by context; where it stopped says more.
    if (offset >= bytes.trimmed().size()) {
        return QStringLiteral("a fájl csonka: a JSON a végén félbeszakad");
    }
    const int line = static_cast<int>(bytes.left(offset).count('\n')) + 1;
    return QStringLiteral("nem érvényes JSON (%1. sor, %2. bájt)").arg(line).arg(offset + 1);
}

namespace {

// Why a parsed document is not a library this program reads; empty when it is.
QString envelopeProblem(const QJsonDocument& document) {
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(u"format").toString() != QLatin1String(kFormatName)) {
        return QStringLiteral("nem kollektorkönyvtár (hiányzik a \"format\": \"%1\" jelölés)")
            .arg(QLatin1String(kFormatName));
    }
    const QJsonValue version = root.value(u"version");
    if (!version.isDouble() || version.toDouble() < 1 ||
        version.toDouble() != static_cast<int>(version.toDouble())) {
        return QStringLiteral("hiányzó vagy hibás formátumverzió");
    }
    if (version.toInt() > kFormatVersion) {
        return QStringLiteral(
                   "a fájl újabb formátumverziójú (%1), mint amit ez a program ismer (%2)")
            .arg(version.toInt())
            .arg(kFormatVersion);
    }
    if (!root.value(u"collectors").isArray()) {
        return QStringLiteral("hiányzik a kollektorok listája");
    }
    if (const QJsonValue weather = root.value(u"weatherFile");
        !weather.isUndefined() && !weather.isString()) {
        return QStringLiteral("a \"weatherFile\" értéke nem szöveg");
    }
    return {};
}

// A collector that breaks a rule added since it was stored, or shares its
// name with another under today's comparison, is kept as it is: flaws()
// marks it. Only what cannot be read as a collector at all is refused: then
// the collectors are none, and the first such one says why.
QString readCollectors(const QJsonArray& list, QList<Collector>& collectors) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        QList<KeyProblem> problems;
        const Collector c = collectorFromJson(list[i].toObject(), &problems);
        if (!list[i].isObject()) {
            problems.append({QString(), QStringLiteral("nem objektum")});
        }
        if (!problems.isEmpty()) {
            const KeyProblem& p = problems.front();
            collectors.clear();
            return QStringLiteral("a(z) %1. kollektor hibás: %2%3")
                .arg(i + 1)
                .arg(p.key.isEmpty() ? QString() : p.key + QStringLiteral(": "))
                .arg(p.reason);
        }
        collectors.append(c);
    }
    return {};
}

}  // namespace

ReadDocument readDocument(const QByteArray& bytes) {
    ReadDocument result;
    if (bytes.trimmed().isEmpty()) {
        result.error = QStringLiteral("a fájl üres");
        return result;
    }
    if (looksBinary(bytes)) {
        result.error = QStringLiteral("a fájl bináris adat, nem szöveg");
        return result;
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = describeJsonError(bytes, parseError.offset);
        return result;
    }
    result.error = envelopeProblem(document);
    if (result.error.isEmpty()) {
        result.weatherFile = document.object().value(u"weatherFile").toString();
        result.error =
            readCollectors(document.object().value(u"collectors").toArray(), result.collectors);
    }
    return result;
}

std::optional<AngleValues> anglesFromJson(const QJsonValue& value) {
    if (!value.isArray()) {
        return std::nullopt;
    }
    AngleValues values;
    for (const QJsonValue item : value.toArray()) {
        const auto number = item.isDouble() ? DecimalText::fromDouble(item.toDouble())
                                            : std::optional<DecimalText>();
        if (!number) {
            return std::nullopt;
        }
        values.append(*number);
    }
    return values;
}

Collector collectorFromJson(const QJsonObject& object, QList<KeyProblem>* problems) {
    Collector c;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto field = fieldFromKey(it.key());
        if (!field) {
            problems->append({it.key(), QStringLiteral("ismeretlen mező")});
            continue;
        }
        const QJsonValue value = it.value();
        if (isAngleField(*field)) {
            const std::optional<AngleValues> values = anglesFromJson(value);
            if (values) {
                setAngles(c, *field, *values);
            } else {
                problems->append({it.key(), QStringLiteral("számok tömbjét várja, mindegyiket "
                                                           "legfeljebb 15 értékes jeggyel")});
            }
        } else if (isNumericField(*field)) {
            // Through a double, but a decimal of at most 15 significant
            // digits comes back as its own shortest text.
            const auto number = value.isDouble() ? DecimalText::fromDouble(value.toDouble())
                                                 : std::optional<DecimalText>();
            if (!number || !setFieldText(c, *field, number->text())) {
                problems->append(
                    {it.key(), QStringLiteral("számot vár, legfeljebb 15 értékes jeggyel")});
            }
        } else if (!value.isString() || !setFieldText(c, *field, value.toString())) {
            problems->append({it.key(), *field == Field::Reference
                                            ? QStringLiteral("\"gross\" vagy \"aperture\" lehet")
                                            : QStringLiteral("szöveget vár")});
        }
    }
    return c;
}

}  // namespace library
