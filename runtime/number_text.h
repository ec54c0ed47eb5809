#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <cstdint>

#include "fixed4.h"
#include "int16.h"

namespace rt {

// Numbers to text and back in one regional number format: the region's
// decimal separator, never any digit grouping, '-' for negative values.
// The program uses the user's format (QLocale::system()); tests pass their own.
class NumberFormat {
public:
    explicit NumberFormat(const QLocale& locale);

    // At most 15 significant digits in the shortest form: 0.1 * 3 -> "0,3",
    // 1e-5 -> "1E-05", 4 -> "4".
    [[nodiscard]] QString text(double value) const;
    // At most four decimals, no trailing zeros: 0.65 -> "0,65", 4 -> "4".
    [[nodiscard]] QString text(Fixed4 value) const;
    [[nodiscard]] QString text(Int16 value) const;
    // The same texts appended to `out`, for lines built in place.
    void appendTo(QString& out, double value) const;
    void appendTo(QString& out, Fixed4 value) const;

    // True when the whole text reads as a finite number: blanks around it, a
    // sign, digits with at most one decimal separator of this format, and an
    // exponent (1,5E-3) are fine; anything else, and the empty text, is not.
    [[nodiscard]] bool isNumeric(QStringView text) const;

    // The conversions raise the type-mismatch error for a text that is not
    // numeric and the overflow error for a value out of the type's range.
    [[nodiscard]] double toDouble(QStringView text) const;
    // Read from the decimal digits themselves (never through a double) and
    // rounded to four decimals, a half to the even neighbour.
    [[nodiscard]] Fixed4 toFixed4(QStringView text) const;

    [[nodiscard]] QChar decimalSeparator() const { return decimal_; }

private:
    void appendUnits(QString& out, std::int64_t units, int decimals) const;

    QChar decimal_;
};

}  // namespace rt
