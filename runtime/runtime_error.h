#pragma once

#include <stdexcept>

namespace rt {

// The errors a procedure can raise. None of them is trapped by the program's
// own procedures: they travel up to the event loop, which reports and exits.
enum class ErrorKind {
    // An Int16 or Fixed4 result out of range, or a floating-point result
    // that overflows or is undefined (0/0, inf - inf).
    Overflow,
    // A finite non-zero number divided by zero.
    DivisionByZero,
    // A text converted to a number although it does not read as one.
    TypeMismatch,
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind);

    [[nodiscard]] ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// The text shown to the user when the error ends the program.
[[nodiscard]] const char* describe(ErrorKind kind) noexcept;

}  // namespace rt
