#include "money_words.h"

#include "language_money.h"
#include "number_words.h"

namespace zorv::spell {
namespace {

// The minor part: "and five cents", "and five" after the currency first, or "and 05/100".
void MinorWordsInto(const Style& style, const std::string& minor, std::string& out) {
    out += " and ";
    if (style.minor == MinorForm::Digits) {
        out += minor;
        out += "/1";
        out.append(style.digits, '0');
        if (!style.currencyFirst) {
            out += ' ';
            out += style.units;
        }
    } else if (style.currencyFirst) {
        out += style.subunits;
        out += ' ';
        NumberWordsInto(style, false, minor, {}, out);
    } else {
        NumberWordsInto(style, false, minor, {}, out);
        const bool one = minor.find_first_not_of('0') == minor.size() - 1 && minor.back() == '1';
        out += ' ';
        out += one ? style.subunit : style.subunits;
    }
}

}  // namespace

void MoneyWordsInto(const Style& style, WrittenNumber amount, std::string& out) {
    if (amount.negative && style.cheque) throw SpellError("a cheque is not written for a negative amount");
    if (amount.fraction.size() > style.digits) {
        if (style.rounding == Rounding::None) {
            throw SpellError("more digits after the point than the currency's " + std::to_string(style.digits) +
                             " (round=half-up or round=half-even rounds them)");
        }
        RoundToPlaces(amount.whole, amount.fraction, style.digits, style.rounding);
    }
    const bool hasMinor = style.digits > 0 && (amount.point || style.minor == MinorForm::Digits);
    std::string minor = amount.fraction;
    minor.resize(style.digits, '0');
    const bool minorZero = minor.find_first_not_of('0') == std::string::npos;
    if (style.minor == MinorForm::None && !minorZero) throw SpellError("an amount with a minor part, which minor=none leaves out");
    const bool negative = amount.negative && (amount.whole != "0" || !minorZero);  // "-0.001" rounded to zero
    if (style.moneyLanguage != nullptr) {
        if (negative && style.currencyFirst) throw SpellError("a negative amount is not written with the currency first");
        LanguageMoneyInto(style, {amount.whole, hasMinor ? std::string_view(minor) : std::string_view(), negative}, out);
        return;
    }
    if (style.currencyFirst) {
        if (negative) throw SpellError("a negative amount is not written with the currency first");
        out += style.units;
        out += ' ';
        NumberWordsInto(style, false, amount.whole, {}, out);
    } else {
        // The rules write no sign on zero ("-0.50"): the sign is the words they put
        // before a negative number.
        if (negative) out += style.minusWords;
        NumberWordsInto(style, false, amount.whole, {}, out);
        if (!(hasMinor && style.minor == MinorForm::Digits)) {
            out += ' ';
            out += amount.whole == "1" ? style.unit : style.units;
        }
    }
    if (hasMinor && style.minor != MinorForm::None) MinorWordsInto(style, minor, out);
    if (style.only) out += " only";
}

}  // namespace zorv::spell
