#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The one writer of CSV text for every table the program writes (RFC 4180,
// with the separator the style asks for).
namespace rt {

// A field as it stands between separators: quoted, with its quotes doubled,
// where it holds the separator, a quote, a line break or blanks at its ends.
[[nodiscard]] QString csvField(const QString& text, QChar separator);
// The fields of one record, and CRLF.
[[nodiscard]] QString csvRecord(const QStringList& fields, QChar separator);

}  // namespace rt
