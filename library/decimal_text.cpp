#include "decimal_text.h"

#include <QByteArray>
#include <QLocale>
#include <algorithm>
#include <charconv>

namespace library {

std::optional<DecimalText> DecimalText::parse(QStringView text, QChar decimalSeparator) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    // The mantissa's digits without the point, leading zeros dropped: only
    // kMaxDigits significant ones can be kept, so a small buffer holds them.
    char digits[kMaxDigits + 1];
    int count = 0;
    bool tooMany = false;
    bool anyDigit = false;
    qsizetype intDigits = 0;  // digits before the point, leading zeros included
    bool afterPoint = false;
    qsizetype leadingZeros = 0;  // zeros dropped before the first significant digit
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            anyDigit = true;
            if (!afterPoint) {
                ++intDigits;
            }
            if (count == 0 && c == u'0') {
                ++leadingZeros;
            } else if (count < kMaxDigits + 1) {
                digits[count++] = static_cast<char>(c.unicode());
            } else if (c != u'0') {
                tooMany = true;
            } else {
                ++count;  // a trailing zero beyond the buffer, dropped below if it stays one
            }
        } else if (c == decimalSeparator && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) {
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
    if (i != t.size() || tooMany) {
        return std::nullopt;
    }
    // The value is 0.d1d2d3... * 10^intDigits, counting from the first
    // significant digit.
    intDigits = intDigits - leadingZeros + exponent;
    int kept = std::min(count, kMaxDigits + 1);
    while (kept > 0 && digits[kept - 1] == '0') {
        --kept;
    }
    DecimalText result;
    if (kept == 0) {
        result.canonical_ = QStringLiteral("0");
        return result;
    }
    if (kept > kMaxDigits || intDigits > 308 || intDigits < -308) {
        return std::nullopt;
    }
    // At most a sign, 308 zeros, 15 digits and a point.
    char out[340];
    char* end = out;
    if (negative) {
        *end++ = '-';
    }
    const auto put = [&end](const char* from, qsizetype length) {
        end = std::copy(from, from + length, end);
    };
    if (intDigits <= 0) {
        put("0.", 2);
        end = std::fill_n(end, -intDigits, '0');
        put(digits, kept);
    } else if (intDigits >= kept) {
        put(digits, kept);
        end = std::fill_n(end, intDigits - kept, '0');
    } else {
        put(digits, intDigits);
        *end++ = '.';
        put(digits + intDigits, kept - intDigits);
    }
    result.canonical_ = QString::fromLatin1(out, end - out);
    // Read once here: a batch reads each value many times over.
    std::from_chars(out, end, result.value_);
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
    return value_;
}

}  // namespace library
