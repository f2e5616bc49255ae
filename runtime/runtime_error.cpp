#include "runtime_error.h"

#include <string>

namespace zorv::runtime {
namespace {

std::string Narrow(std::u16string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

}  // namespace

std::u16string_view DescriptionOf(ErrorNumber number) noexcept {
    switch (number) {
    case ErrorNumber::Overflow:
        return u"Overflow";
    case ErrorNumber::SubscriptOutOfRange:
        return u"Subscript out of range";
    case ErrorNumber::DivisionByZero:
        return u"Division by zero";
    case ErrorNumber::TypeMismatch:
        return u"Type mismatch";
    }
    return u"Application-defined or object-defined error";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : std::runtime_error(Narrow(DescriptionOf(number))), number_(number) {}

std::u16string_view RuntimeError::Description() const noexcept {
    return DescriptionOf(number_);
}

}  // namespace zorv::runtime
