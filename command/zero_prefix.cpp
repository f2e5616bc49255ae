#include "zero_prefix.h"

#include "runtime_error.h"

namespace zorv::command {

using runtime::ErrorNumber;
using runtime::RuntimeError;

bool ZeroPrefix::Extend(char16_t next) {
    const bool digit = next >= u'0' && next <= u'9';
    switch (state_) {
    case State::Start:
        if (next == u' ') break;
        if (next == u'+' || next == u'-') state_ = State::Sign;
        else state_ = digit ? State::Digits : State::NotANumber;
        break;
    case State::Sign:
        state_ = digit ? State::Digits : State::NotANumber;
        break;
    case State::Digits:
        if (next == u' ') state_ = State::TrailingSpaces;
        else if (!digit) state_ = State::NotANumber;
        break;
    case State::TrailingSpaces:
        if (next != u' ') state_ = State::NotANumber;
        break;
    case State::NotANumber:
        break;
    }
    if (digit && next != u'0') nonZeroDigit_ = true;
    if (state_ != State::Digits && state_ != State::TrailingSpaces) {
        throw RuntimeError(ErrorNumber::TypeMismatch);
    }
    return !nonZeroDigit_;
}

}  // namespace zorv::command
