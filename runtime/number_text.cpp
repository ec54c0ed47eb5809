#include "number_text.h"

#include <iterator>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "wide.h"

namespace rt {
namespace {

// A numeric text taken apart: (-1)^negative * digits * 10^exponent, with the
// digits stripped of leading and trailing zeros (empty for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Exponents are saturated far beyond any representable value, so that a
// huge exponent neither overflows the parser nor loses its meaning.
constexpr long long kExponentLimit = 1'000'000'000;

// The exponent after an "e" at `i`, saturated, 0 without one; none when
// the "e" has no digits.
std::optional<long long> readExponent(QStringView text, qsizetype& i, qsizetype end) {
    long long exponent = 0;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        if (i == end || !isDigit(text[i])) {
            return std::nullopt;
        }
        for (; i < end && isDigit(text[i]); ++i) {
            exponent = std::min(exponent * 10 + (text[i].unicode() - u'0'), kExponentLimit);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    return exponent;
}

std::optional<Decimal> parse(QStringView text, QChar decimal) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    qsizetype i = begin;
    Decimal d;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        d.negative = text[i] == u'-';
        ++i;
    }
    bool anyDigit = false;
    bool afterSeparator = false;
    long long fractionDigits = 0;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (afterSeparator) {
                ++fractionDigits;
            }
            if (!(d.digits.empty() && c == u'0')) {  // leading zeros carry no digit
                d.digits.push_back(static_cast<char>(c.unicode()));
            }
        } else if (c == decimal && !afterSeparator) {
            afterSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    const std::optional<long long> exponent = readExponent(text, i, end);
    if (!exponent || i != end) {
        return std::nullopt;
    }
    // Leading zeros were not stored, but every fraction digit was counted, so
    // the value is digits * 10^(exponent - fractionDigits).
    d.exponent = *exponent - fractionDigits;
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.exponent;
    }
    if (d.digits.empty()) {
        d.exponent = 0;
    }
    return d;
}

// The decimal exponent of the leading digit: value lies in [10^m, 10^(m+1)).
long long magnitude(const Decimal& d) {
    return d.exponent + static_cast<long long>(d.digits.size()) - 1;
}

// Finite double nearest to the decimal, or nullopt when it overflows.
std::optional<double> nearestDouble(const Decimal& d) {
    if (d.digits.empty()) {
        return 0.0;
    }
    if (magnitude(d) > 400) {
        return std::nullopt;
    }
    if (magnitude(d) < -400) {
        return d.negative ? -0.0 : 0.0;
    }
    const std::string scientific = d.digits + 'e' + std::to_string(d.exponent);
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude(d) > 0) {
            return std::nullopt;
        }
        value = 0.0;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return d.negative ? -value : value;
}

QString withSeparator(const char* first, const char* last, QChar decimal) {
    QString out;
    out.reserve(static_cast<qsizetype>(last - first));
    for (const char* p = first; p != last; ++p) {
        const char c = *p;
        if (c == '.') {
            out.append(decimal);
        } else if (c == 'e') {
            out.append(u'E');
        } else {
            out.append(QLatin1Char(c));
        }
    }
    return out;
}

}  // namespace

NumberFormat::NumberFormat(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    decimal_ = point.size() == 1 ? point.front() : QChar(u'.');
}

QString NumberFormat::text(double value) const {
    QString out;
    appendTo(out, value);
    return out;
}

QString NumberFormat::text(Fixed4 value) const {
    QString out;
    appendTo(out, value);
    return out;
}

void NumberFormat::appendTo(QString& out, double value) const {
    if (value == 0.0) {
        out += u'0';  // never "-0"
        return;
    }
    // A whole number of thousandths, as the shown cuts give, is the double
    // nearest its decimal, so its 15 significant digits are that decimal's:
    // written from the integer, far faster than to_chars.
    const double thousandths = value * 1000;
    if (std::fabs(thousandths) < 1e12) {
        const double whole = std::nearbyint(thousandths);
        if (whole / 1000 == value) {
            appendUnits(out, static_cast<std::int64_t>(whole), 3);
            return;
        }
    }
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc()) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    out += withSeparator(buffer, end, decimal_);
}

void NumberFormat::appendTo(QString& out, Fixed4 value) const {
    appendUnits(out, value.raw(), 4);
}

// `units` of 10^-decimals written without trailing zeros, as text(Fixed4)
// writes them; backwards into a buffer, since a batch writes millions.
void NumberFormat::appendUnits(QString& out, std::int64_t units, int decimals) const {
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    // Work on the magnitude as unsigned so the most negative value is safe.
    const std::uint64_t magnitudeUnits =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    char16_t buffer[32];
    char16_t* start = std::end(buffer);
    std::uint64_t fraction = magnitudeUnits % scale;
    if (fraction != 0) {
        int digits = decimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        for (; digits > 0; --digits, fraction /= 10) {
            *--start = static_cast<char16_t>(u'0' + fraction % 10);
        }
        *--start = decimal_.unicode();
    }
    std::uint64_t whole = magnitudeUnits / scale;
    do {
        *--start = static_cast<char16_t>(u'0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (units < 0) {
        *--start = u'-';
    }
    out.append(reinterpret_cast<const QChar*>(start), std::end(buffer) - start);
}

QString NumberFormat::text(Int16 value) const {
    return QString::number(value.value());
}

bool NumberFormat::isNumeric(QStringView text) const {
    const auto decimal = parse(text, decimal_);
    return decimal && nearestDouble(*decimal).has_value();
}

double NumberFormat::toDouble(QStringView text) const {
    const auto decimal = parse(text, decimal_);
    if (!decimal) {
        throw RuntimeError(ErrorKind::TypeMismatch);
    }
    const auto value = nearestDouble(*decimal);
    if (!value) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    return *value == 0.0 ? 0.0 : *value;
}

Fixed4 NumberFormat::toFixed4(QStringView text) const {
    const auto decimal = parse(text, decimal_);
    if (!decimal) {
        throw RuntimeError(ErrorKind::TypeMismatch);
    }
    const Decimal& d = *decimal;
    if (d.digits.empty()) {
        return Fixed4();
    }
    // Units of 0.0001: digits * 10^(exponent + 4).
    const long long shift = d.exponent + 4;
    const auto digitCount = static_cast<long long>(d.digits.size());
    if (magnitude(d) + 4 > 19) {  // at least 10^20 units: far out of range
        throw RuntimeError(ErrorKind::Overflow);
    }
    if (shift + digitCount < 0) {
        // The leading digit stands two or more places below a unit: less
        // than a tenth of a unit, which rounds to zero.
        return Fixed4();
    }
    const long long kept = std::min(digitCount, shift + digitCount);
    UInt128 units = 0;
    for (long long k = 0; k < kept; ++k) {
        units = units * 10 + static_cast<unsigned>(d.digits[static_cast<std::size_t>(k)] - '0');
    }
    for (long long k = 0; k < shift; ++k) {
        units *= 10;
    }
    if (kept < digitCount) {
        // The dropped digits decide the rounding: above, below or at a half.
        const char first = d.digits[static_cast<std::size_t>(kept)];
        const bool restNonZero = kept + 1 < digitCount;  // trailing zeros were stripped
        if (first > '5' || (first == '5' && (restNonZero || units % 2 != 0))) {
            ++units;
        }
    }
    const UInt128 limit = d.negative
                              ? static_cast<UInt128>(std::numeric_limits<std::int64_t>::max()) + 1
                              : static_cast<UInt128>(std::numeric_limits<std::int64_t>::max());
    if (units > limit) {
        throw RuntimeError(ErrorKind::Overflow);
    }
    const auto magnitudeUnits = static_cast<std::uint64_t>(units);
    return Fixed4::fromRaw(d.negative ? static_cast<std::int64_t>(0 - magnitudeUnits)
                                      : static_cast<std::int64_t>(magnitudeUnits));
}

}  // namespace rt
