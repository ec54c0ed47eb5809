#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace library {

// A coefficient as the decimal the user typed or the file held, never passed
// through a double on its way to the file: "0.798" stays 0.798. Kept in one
// canonical form (point, no exponent, no superfluous zeros) so that equal
// values compare and write equally.
class DecimalText {
public:
    DecimalText() = default;

    // Reads digits with at most one `decimalSeparator`, an optional sign and
    // an optional exponent (1,5E-3), blanks around it allowed. Empty on
    // anything else, and on more significant digits than a double holds
    // exactly (kMaxDigits), since such a value could not be read back alike.
    [[nodiscard]] static std::optional<DecimalText> parse(QStringView text,
                                                          QChar decimalSeparator = u'.');
    // The shortest decimal that reads back as `value`.
    [[nodiscard]] static std::optional<DecimalText> fromDouble(double value);

    static constexpr int kMaxDigits = 15;

    [[nodiscard]] bool isEmpty() const { return canonical_.isEmpty(); }
    // Canonical text with a decimal point: "0.798", "-2", "0.001".
    [[nodiscard]] const QString& text() const { return canonical_; }
    // The same digits with another decimal separator, for a regional format.
    [[nodiscard]] QString text(QChar decimalSeparator) const;
    [[nodiscard]] double value() const;

    friend bool operator==(const DecimalText&, const DecimalText&) = default;

private:
    QString canonical_;
    double value_ = 0;  // the canonical text read as a double
};

}  // namespace library
