// Fuzzes the number-text conversions and the entry check. Every input is read
// as UTF-8 and checked in both number formats and against all four entry
// rules, each result compared with a slow reference of its own: a separate
// reader of the grammar, strtod in the C locale for the double, and decimal
// arithmetic on the digit string for the Fixed4.
//
// Texts that break the grammar raise the type-mismatch error in both
// conversions; texts that keep it but lie beyond a double (1E400) raise the
// overflow error in both, and isNumeric is false for them.
#include <locale.h>

#include <QLocale>
#include <QString>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "model/entry_check.h"
#include "runtime/number_text.h"

namespace {

using rt::ErrorKind;
using rt::Fixed4;

// What a conversion gave: a value or the runtime error it raised.
template <typename T>
struct Outcome {
    std::optional<T> value;
    std::optional<ErrorKind> error;
};

template <typename F>
auto attempt(F convert) {
    Outcome<decltype(convert())> out;
    try {
        out.value = convert();
    } catch (const rt::RuntimeError& error) {
        out.error = error.kind();
    }
    return out;
}

// The input under test, for the report of a broken property.
struct Case {
    const QString& text;
    const rt::NumberFormat& format;

    void require(bool holds, const char* property) const {
        if (holds) {
            return;
        }
        std::string shown;
        for (const QChar c : text.left(120)) {
            if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
                shown.push_back(static_cast<char>(c.unicode()));
            } else {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c.unicode()));
                shown += code;
            }
        }
        std::fprintf(stderr,
                     "conversions_fuzz: property broken: %s\n  separator '%c', text (%lld "
                     "chars): \"%s%s\"\n",
                     property, static_cast<char>(format.decimalSeparator().unicode()),
                     static_cast<long long>(text.size()), shown.c_str(),
                     text.size() > 120 ? "..." : "");
        __builtin_trap();
    }
};

// ---- The reference reader -------------------------------------------------

// A numeric text taken apart as typed.
struct Typed {
    bool negative = false;
    std::string whole;     // digits before the separator
    std::string fraction;  // digits after it
    bool negativeExponent = false;
    std::string exponent;  // digits of the exponent, possibly none
};

bool asciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks (space, tab) around; a sign; digits with at most one separator, at
// least one digit in all; then E or e, an optional sign and one digit or more.
std::optional<Typed> readTyped(const std::string& utf8, char separator) {
    std::size_t first = utf8.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::string s = utf8.substr(first, utf8.find_last_not_of(" \t") - first + 1);
    Typed t;
    std::size_t i = 0;
    const auto takeDigits = [&](std::string& into) {
        while (i < s.size() && asciiDigit(s[i])) {
            into.push_back(s[i++]);
        }
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        t.negative = s[i++] == '-';
    }
    takeDigits(t.whole);
    if (i < s.size() && s[i] == separator) {
        ++i;
        takeDigits(t.fraction);
    }
    if (t.whole.empty() && t.fraction.empty()) {
        return std::nullopt;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            t.negativeExponent = s[i++] == '-';
        }
        takeDigits(t.exponent);
        if (t.exponent.empty()) {
            return std::nullopt;
        }
    }
    if (i != s.size()) {
        return std::nullopt;
    }
    return t;
}

// The C library's reading of the same number, correctly rounded; nullopt when
// it overflows a double.
std::optional<double> referenceDouble(const Typed& t) {
    std::string c = t.negative ? "-" : "";
    c += t.whole.empty() ? "0" : t.whole;
    c += '.';
    c += t.fraction;
    if (!t.exponent.empty()) {
        c += t.negativeExponent ? "e-" : "e+";
        c += t.exponent;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const locale_t previous = uselocale(cLocale);
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(c.c_str(), &end);
    const bool overflowed = errno == ERANGE && std::isinf(value);
    uselocale(previous);
    if (end != c.c_str() + c.size()) {
        std::fprintf(stderr, "conversions_fuzz: strtod stopped early in %s\n", c.c_str());
        __builtin_trap();
    }
    if (overflowed) {
        return std::nullopt;
    }
    return value;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The value in units of 0.0001, rounded half to even, by hand on the digit
// string; nullopt when it does not fit a signed 64-bit count.
std::optional<std::int64_t> referenceUnits(const Typed& t) {
    std::string digits = t.whole + t.fraction;
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.empty()) {
        return 0;
    }
    // Saturating: past 10^15 the answer no longer depends on the exponent,
    // since no input is anywhere near that long.
    long long exponent = 0;
    for (const char c : t.exponent) {
        exponent = exponent > 1'000'000'000'000'000 ? exponent : exponent * 10 + (c - '0');
    }
    if (t.negativeExponent) {
        exponent = -exponent;
    }
    // units = digits * 10^shift
    const long long shift = exponent - static_cast<long long>(t.fraction.size()) + 4;
    const auto length = static_cast<long long>(digits.size());
    std::string units;
    if (shift >= 0) {
        if (length + shift > 20) {
            return std::nullopt;
        }
        units = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const long long wholeDigits = length + shift;
        char firstDropped = '0';  // the leading digit stands below the first dropped place
        bool restNonZero = false;
        if (wholeDigits >= 0) {
            const auto cut = static_cast<std::size_t>(wholeDigits);
            units = digits.substr(0, cut);
            firstDropped = digits[cut];
            restNonZero = digits.find_first_not_of('0', cut + 1) != std::string::npos;
        }
        if (units.empty()) {
            units.push_back('0');  // (assigning a literal trips GCC 12's -Wrestrict at -O3)
        }
        const bool odd = (units.back() - '0') % 2 != 0;
        if (firstDropped > '5' || (firstDropped == '5' && (restNonZero || odd))) {
            increment(units);
        }
    }
    const std::string limit = t.negative ? "9223372036854775808" : "9223372036854775807";
    if (units.size() > limit.size() || (units.size() == limit.size() && units > limit)) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    for (const char c : units) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return t.negative ? static_cast<std::int64_t>(0 - magnitude)
                      : static_cast<std::int64_t>(magnitude);
}

// ---- The properties --------------------------------------------------------

void checkConversions(const Case& c, const std::optional<Typed>& typed) {
    const rt::NumberFormat& f = c.format;
    const bool numeric = f.isNumeric(c.text);
    const auto asDouble = attempt([&] { return f.toDouble(c.text); });
    const auto asFixed4 = attempt([&] { return f.toFixed4(c.text); });

    c.require(numeric == asDouble.value.has_value(), "isNumeric exactly when toDouble succeeds");
    if (!typed) {
        c.require(!numeric, "a text outside the grammar is not numeric");
        c.require(asDouble.error == ErrorKind::TypeMismatch, "toDouble: type mismatch");
        c.require(asFixed4.error == ErrorKind::TypeMismatch, "toFixed4: type mismatch");
        return;
    }

    const std::optional<double> expected = referenceDouble(*typed);
    if (!expected) {
        c.require(!numeric, "a number beyond a double is not numeric");
        c.require(asDouble.error == ErrorKind::Overflow, "toDouble beyond a double: overflow");
        c.require(asFixed4.error == ErrorKind::Overflow, "toFixed4 beyond a double: overflow");
        return;
    }
    c.require(numeric, "a number within a double is numeric");
    c.require(*asDouble.value == *expected, "toDouble agrees with strtod");
    c.require(!std::signbit(*asDouble.value) || *asDouble.value != 0.0, "toDouble never gives -0");

    const std::optional<std::int64_t> units = referenceUnits(*typed);
    if (!units) {
        c.require(asFixed4.error == ErrorKind::Overflow, "toFixed4 out of range: overflow");
        return;
    }
    c.require(asFixed4.value.has_value(), "toFixed4 succeeds within its range");
    c.require(asFixed4.value->raw() == *units, "toFixed4 rounds the digits half to even");
    c.require(f.toFixed4(f.text(*asFixed4.value)) == *asFixed4.value,
              "a Fixed4 reads back from its own text");
}

// The start-up values: what a box holds when a refused entry restores it.
constexpr std::array<Fixed4, 4> kPrevious{Fixed4::literal("0.798"), Fixed4::literal("4.17"),
                                          Fixed4::literal("0.011"), Fixed4::literal("1")};

void checkEntryRules(const Case& c, const std::optional<Typed>& typed) {
    const std::optional<double> reference = typed ? referenceDouble(*typed) : std::nullopt;
    const bool number = reference.has_value();
    const double value = reference.value_or(0.0);
    for (std::size_t k = 0; k < model::kEntryRules.size(); ++k) {
        const model::EntryRule& rule = model::kEntryRules[k];
        const model::EntryVerdict verdict = model::checkEntry(c.text, rule, c.format);
        const model::EntryVerdict expected = !number ? model::EntryVerdict::NotANumber
                                             : value > rule.lower && value < rule.upper
                                                 ? model::EntryVerdict::Accepted
                                                 : model::EntryVerdict::OutOfRange;
        c.require(verdict == expected, "checkEntry: verdict");

        // What the box's LostFocus stores: the text when it is accepted, else
        // the previous value read back from the text the box is reset to.
        const Fixed4 stored = verdict == model::EntryVerdict::Accepted
                                  ? c.format.toFixed4(c.text)
                                  : c.format.toFixed4(c.format.text(kPrevious[k]));
        if (verdict != model::EntryVerdict::Accepted) {
            c.require(stored == kPrevious[k], "a refused entry keeps the previous value");
        }
        c.require(
            Fixed4::fromDouble(rule.lower) <= stored && stored <= Fixed4::fromDouble(rule.upper),
            "the stored value lies within the box's closed range");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const rt::NumberFormat hungarian{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    static const rt::NumberFormat english{QLocale(QLocale::English, QLocale::UnitedStates)};

    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The reference reads the decoded text, so bytes that were not UTF-8 are
    // judged as the replacement characters the box would hold.
    const std::string utf8 = text.toStdString();
    for (const rt::NumberFormat* format : {&hungarian, &english}) {
        const Case c{text, *format};
        const auto typed = readTyped(utf8, static_cast<char>(format->decimalSeparator().unicode()));
        checkConversions(c, typed);
        checkEntryRules(c, typed);
    }
    return 0;
}
