#pragma once

// Readable GoogleTest messages for Qt values.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& value, std::ostream* out) {
    *out << '"' << value.toStdString() << '"';
}

inline void PrintTo(QStringView value, std::ostream* out) {
    PrintTo(value.toString(), out);
}

inline void PrintTo(const QJsonValue& value, std::ostream* out) {
    if (value.isObject() || value.isArray()) {
        const QJsonDocument document =
            value.isObject() ? QJsonDocument(value.toObject()) : QJsonDocument(value.toArray());
        *out << document.toJson(QJsonDocument::Compact).toStdString();
    } else {
        *out << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
    }
}
