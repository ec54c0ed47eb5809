#include "runtime_error.h"

namespace rt {

RuntimeError::RuntimeError(ErrorKind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

const char* describe(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::Overflow:
            return "Túlcsordulás";
        case ErrorKind::DivisionByZero:
            return "Osztás nullával";
        case ErrorKind::TypeMismatch:
            return "Típuseltérés";
    }
    return "Ismeretlen hiba";
}

}  // namespace rt
