#include "json_text.h"

namespace rt {

QString jsonString(QStringView text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'"':
                out += QStringLiteral("\\\"");
                break;
            case u'\\':
                out += QStringLiteral("\\\\");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c.unicode() < 0x20) {
                    out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
                } else {
                    out += c;
                }
        }
    }
    out += u'"';
    return out;
}

QString jsonObject(const JsonMembers& members) {
    QString out = QStringLiteral("{");
    for (qsizetype i = 0; i < members.size(); ++i) {
        if (i > 0) {
            out += QStringLiteral(", ");
        }
        out += jsonString(members[i].first) + QStringLiteral(": ") + members[i].second;
    }
    return out + u'}';
}

QString jsonArray(const QStringList& values) {
    return u'[' + values.join(QStringLiteral(", ")) + u']';
}

}  // namespace rt
