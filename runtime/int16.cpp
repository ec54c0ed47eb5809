#include "int16.h"

#include <cmath>

#include "rounding.h"

namespace rt {

Int16 Int16::fromDouble(double value) {
    if (!(std::fabs(value) < 65536.0)) {  // also catches NaN
        throw RuntimeError(ErrorKind::Overflow);
    }
    return checked(static_cast<long long>(roundHalfEven(value)));
}

}  // namespace rt
