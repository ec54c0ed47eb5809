#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <utility>

// The one writer of JSON text for every machine-readable output: members in
// the order given (QJsonObject would sort them), ", " and ": " between
// them, numbers as their callers wrote them.
namespace rt {

// A JSON string literal: quotes, backslashes and control characters escaped.
[[nodiscard]] QString jsonString(QStringView text);

// An object of (key, JSON value text) members, in the order given.
using JsonMembers = QList<std::pair<QString, QString>>;
[[nodiscard]] QString jsonObject(const JsonMembers& members);
// An array of JSON value texts.
[[nodiscard]] QString jsonArray(const QStringList& values);

}  // namespace rt
