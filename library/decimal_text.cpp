#include "decimal_text.h"

#include <QByteArray>
#include <QLocale>
#include <algorithm>
#include <charconv>

namespace library {

namespace {

// The mantissa's digits without the point, leading zeros dropped: only
// kMaxDigits significant ones can be kept, so a small buffer holds them.
struct Mantissa {
    char digits[DecimalText::kMaxDigits + 1];
    int count = 0;
    bool tooMany = false;
    bool anyDigit = false;
    qsizetype intDigits = 0;     // digits before the point, leading zeros included
    qsizetype leadingZeros = 0;  // zeros dropped before the first significant digit
};

// Steps over a sign at `i`; true for a minus.
bool readSign(QStringView t, qsizetype& i) {
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        return t[i++] == u'-';
    }
    return false;
}

// Reads from `i` up to the first character that is neither a digit nor the
// first separator.
Mantissa readMantissa(QStringView t, qsizetype& i, QChar decimalSeparator) {
    Mantissa m;
    bool afterPoint = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            m.anyDigit = true;
            if (!afterPoint) {
                ++m.intDigits;
            }
            if (m.count == 0 && c == u'0') {
                ++m.leadingZeros;
            } else if (m.count < DecimalText::kMaxDigits + 1) {
                m.digits[m.count++] = static_cast<char>(c.unicode());
            } else if (c != u'0') {
                m.tooMany = true;
            } else {
                // A trailing zero beyond the buffer, dropped below if it stays one.
                ++m.count;
            }
        } else if (c == decimalSeparator && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    return m;
}

// The exponent after an "e" at `i`, 0 without one; none when it has no
// digits or is far beyond a double's.
std::optional<qsizetype> readExponent(QStringView t, qsizetype& i) {
    qsizetype exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        const bool expNegative = readSign(t, i);
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
    return exponent;
}

// Writes 0.d1d2d3... * 10^intDigits without an exponent; the end of the text.
char* writePlain(char* out, bool negative, const char* digits, qsizetype kept,
                 qsizetype intDigits) {
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
    return end;
}

}  // namespace

std::optional<DecimalText> DecimalText::parse(QStringView text, QChar decimalSeparator) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    const bool negative = readSign(t, i);
    const Mantissa m = readMantissa(t, i, decimalSeparator);
    if (!m.anyDigit) {
        return std::nullopt;
    }
    const std::optional<qsizetype> exponent = readExponent(t, i);
    if (!exponent || i != t.size() || m.tooMany) {
        return std::nullopt;
    }
    // The value is 0.d1d2d3... * 10^intDigits, counting from the first
    // significant digit.
    const qsizetype intDigits = m.intDigits - m.leadingZeros + *exponent;
    int kept = std::min(m.count, kMaxDigits + 1);
    while (kept > 0 && m.digits[kept - 1] == '0') {
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
    const char* end = writePlain(out, negative, m.digits, kept, intDigits);
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
