#pragma once

#include <QLocale>

#include "runtime/number_text.h"

// The tests' own region, whatever the machine's: Hungarian numbers, with a
// decimal comma and no dependence on installed system locales.
namespace testsupport {

[[nodiscard]] inline QLocale hungarianLocale() {
    return QLocale(QLocale::Hungarian, QLocale::Hungary);
}

[[nodiscard]] inline const rt::NumberFormat& hungarian() {
    static const rt::NumberFormat format{hungarianLocale()};
    return format;
}

}  // namespace testsupport
