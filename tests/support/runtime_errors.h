#pragma once

#include <optional>
#include <ostream>

#include "runtime/runtime_error.h"

// The kind of runtime error a call raises, for
//   EXPECT_EQ(thrownKind([&] { ... }), rt::ErrorKind::Overflow);
// Empty when the call returns normally; any other exception passes through
// to GoogleTest, which reports it.
namespace rt {

inline void PrintTo(ErrorKind kind, std::ostream* out) {
    switch (kind) {
        case ErrorKind::Overflow:
            *out << "Overflow";
            return;
        case ErrorKind::DivisionByZero:
            *out << "DivisionByZero";
            return;
        case ErrorKind::TypeMismatch:
            *out << "TypeMismatch";
            return;
    }
    *out << "ErrorKind " << static_cast<int>(kind);
}

}  // namespace rt

namespace testsupport {

template <typename Call>
[[nodiscard]] std::optional<rt::ErrorKind> thrownKind(Call&& call) {
    try {
        call();
    } catch (const rt::RuntimeError& error) {
        return error.kind();
    }
    return std::nullopt;
}

}  // namespace testsupport
