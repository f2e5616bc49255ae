// RuntimeError: the one error type of the converter. Every failing conversion
// raises it at once; only the Convert command catches it and shows its description.
#pragma once

#include <stdexcept>
#include <string_view>

namespace zorv::runtime {

// The error numbers the program can raise, with the runtime's historic values.
enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

// An error raised by a conversion or a table lookup. Number() is the historic
// error number; Description() is the text the user is shown ("Overflow", ...).
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number);

    [[nodiscard]] ErrorNumber Number() const noexcept { return number_; }
    [[nodiscard]] std::u16string_view Description() const noexcept;

private:
    ErrorNumber number_;
};

// The description shown for an error number.
[[nodiscard]] std::u16string_view DescriptionOf(ErrorNumber number) noexcept;

}  // namespace zorv::runtime
