#include "csv_text.h"

#include <algorithm>

namespace rt {

QString csvField(const QString& text, QChar separator) {
    const bool blankAround = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
    const bool quote = blankAround || std::any_of(text.begin(), text.end(), [separator](QChar c) {
                           return c == separator || c == u'"' || c == u'\n' || c == u'\r';
                       });
    if (!quote) {
        return text;
    }
    QString escaped = text;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString csvRecord(const QStringList& fields, QChar separator) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += separator;
        }
        line += csvField(fields[i], separator);
    }
    return line + QStringLiteral("\r\n");
}

}  // namespace rt
