#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

#include "collector_record.h"

namespace library {

// The file's own marks: a reader refuses another format and a newer version.
// Version 2 added the quasi-dynamic terms, the beam modifier and the weather
// file the annual yield last used; a version 1 file reads as one without
// them, and becomes version 2 when next written.
inline constexpr char kFormatName[] = "efficiency-collector-library";
inline constexpr int kFormatVersion = 2;

// The library as the file holds it: UTF-8 JSON, fields in a fixed order,
// coefficients written as their decimal text (a modifier's table as an
// array of them), a newline at the end. The same
// collectors always give the same bytes. The weather file is written only
// where one is given, so that an export never carries it.
[[nodiscard]] QByteArray writeDocument(const QList<Collector>& collectors,
                                       const QString& weatherFile = {});

struct ReadDocument {
    QList<Collector> collectors;
    QString weatherFile;  // the annual yield's last, as the user chose it
    QString error;        // why the bytes are not a library we can use; empty when they are
};
[[nodiscard]] ReadDocument readDocument(const QByteArray& bytes);

// One collector from a JSON object with the file's keys. Each refused key
// gives (key, reason); the collector's own rules are not checked here.
struct KeyProblem {
    QString key;
    QString reason;
};
[[nodiscard]] Collector collectorFromJson(const QJsonObject& object, QList<KeyProblem>* problems);
// A modifier's table from a JSON array of numbers; none for anything else.
[[nodiscard]] std::optional<AngleValues> anglesFromJson(const QJsonValue& value);

// Parse errors worded for the user; QJsonParseError's own text is English.
[[nodiscard]] QString describeJsonError(const QByteArray& bytes, int offset);

}  // namespace library
