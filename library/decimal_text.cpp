#include "decimal_text.h"

#include <QLocale>

namespace library {

std::optional<DecimalText> DecimalText::parse(QStringView text, QChar decimalSeparator) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    QString digits;  // all mantissa digits, the point left out
    qsizetype pointAt = -1;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            digits.append(c);
        } else if (c == decimalSeparator && pointAt < 0) {
            pointAt = digits.size();
        } else {
            break;
        }
    }
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    qsizetype exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
            expNegative = t[i] == u'-';
            ++i;
        }
        const qsizetype expStart = i;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
            if (exponent > 400) {
                return std::nullopt;
            }
            exponent = exponent * 10 + (t[i].unicode() - u'0');
        }
        if (i == expStart) {
            return std::nullopt;
        }
        if (expNegative) {
            exponent = -exponent;
        }
    }
    if (i != t.size()) {
        return std::nullopt;
    }
    // The value is 0.d1d2d3... * 10^intDigits.
    qsizetype intDigits = (pointAt < 0 ? digits.size() : pointAt) + exponent;
    while (!digits.isEmpty() && digits.front() == u'0') {
        digits.remove(0, 1);
        --intDigits;
    }
    while (!digits.isEmpty() && digits.back() == u'0') {
        digits.chop(1);
    }
    DecimalText result;
    if (digits.isEmpty()) {
        result.canonical_ = QStringLiteral("0");
        return result;
    }
    if (digits.size() > kMaxDigits || intDigits > 308 || intDigits < -308) {
        return std::nullopt;
    }
    QString out = negative ? QStringLiteral("-") : QString();
    if (intDigits <= 0) {
        out += QStringLiteral("0.") + QString(-intDigits, u'0') + digits;
    } else if (intDigits >= digits.size()) {
        out += digits + QString(intDigits - digits.size(), u'0');
    } else {
        out += digits.left(intDigits) + u'.' + digits.mid(intDigits);
    }
    result.canonical_ = out;
    return result;
}

std::optional<DecimalText> DecimalText::fromDouble(double value) {
    return parse(QString::number(value, 'g', QLocale::FloatingPointShortest));
}

QString DecimalText::text(QChar decimalSeparator) const {
    QString out = canonical_;
    out.replace(u'.', decimalSeparator);
    return out;
}

double DecimalText::value() const {
    return canonical_.toDouble();
}

}  // namespace library
