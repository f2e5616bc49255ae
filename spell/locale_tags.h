// Locale tags as the compiled rules are looked up by: a BCP 47 tag or an ICU locale ID
// written as the locale ID the rules are compiled under, and its parents by cutting
// parts off. RuleBook finds a locale's rules this way; the rule generator compares it
// with where ICU finds them to know which locales need an alias.
#pragma once

#include <string>
#include <string_view>

namespace zorv::spell {

// The CLDR locale ID of a BCP 47 tag or a locale ID: "_" between parts, all in lower
// case but a later part of four characters, a script, in title case ("Latn") and one
// of two or three not starting with a digit, a region, in upper case ("RS"; "419" is
// kept): "sr-latn-rs" and "SR_LATN_RS" give "sr_Latn_RS". Any text is taken.
[[nodiscard]] std::string LocaleId(std::string_view tag);

// The parent of a locale ID by truncation, the ID without its last part: "sr_Latn_RS"
// gives "sr_Latn", that "sr", and an ID of one part "". CLDR's own parents (es_AR:
// es_419) come from its data, not from here.
[[nodiscard]] std::string TruncatedParent(std::string_view id);

}  // namespace zorv::spell
