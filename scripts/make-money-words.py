#!/usr/bin/env python3
"""Compiles the money words of spell/rules/money/*.tsv into a C++ table (run by the
build): every row checked, so that a fault in the table stops the build with the file
and line that hold it, not a wrong amount at run time.

    scripts/make-money-words.py OUTPUT TSV...
"""
import pathlib
import re
import sys

KEYS = {"currencies", "words", "digits", "whole", "of", "of-elided", "of-after", "replace", "replace-masculine",
        "replace-feminine", "replace-neuter", "rules", "places", "zero", "complete"}
REPEATED = {"replace", "replace-masculine", "replace-feminine", "replace-neuter"}
CATEGORIES = ("zero", "one", "two", "few", "many", "other")
# A gender names the rule set of its numbers, spellout-cardinal-GENDER; "-" for none.
GENDER = re.compile(r"-|[a-z]+")
PLACEHOLDERS = {"{major}", "{unit}", "{minor}", "{subunit}", "{base}", "{suffix}", "{places}"}
CURRENCY_OPTIONS = {"name", "suffix", "exactly-1", "exactly-2", "minor-exactly-1", "minor-exactly-2"}


class TableError(Exception):
    pass


def forms(text, where):
    """'one=рубль|few=рубля|other=рубля' -> the form of each category, `other` required."""
    parsed = {}
    for pair in text.split("|"):
        category, equals, form = pair.partition("=")
        if not equals or category not in CATEGORIES or not form or category in parsed:
            raise TableError(f"{where}: '{pair}' is no category=form of {', '.join(CATEGORIES)}")
        parsed[category] = form
    if "other" not in parsed:
        raise TableError(f"{where}: no form for 'other'")
    return [parsed.get(category, "") for category in CATEGORIES]


def quoted(text):
    return '"' + "".join(c if c not in '"\\' else "\\" + c for c in text) + '"'


def read(paths, codes):
    languages, currencies = [], []
    seen = set()
    for path in paths:
        for number, line in enumerate(pathlib.Path(path).read_text(encoding="utf-8").splitlines(), 1):
            where = f"{path}:{number}"
            if not line.strip() or line.startswith("#"):
                continue
            columns = line.split("\t")
            if columns[0] == "language" and len(columns) == 4:
                _, locale, key, value = columns
                if key not in KEYS:
                    raise TableError(f"{where}: unknown key '{key}'")
                if (locale, key) in seen and key not in REPEATED:
                    raise TableError(f"{where}: '{key}' of {locale} is given twice")
                seen.add((locale, key))
                for placeholder in re.findall(r"\{[^}]*\}", value) if key in ("words", "digits", "whole") else []:
                    if placeholder not in PLACEHOLDERS:
                        raise TableError(f"{where}: unknown placeholder {placeholder}")
                if key.startswith("replace") and "=>" not in value:
                    raise TableError(f"{where}: a replace is FROM=>TO")
                if key == "currencies":
                    for code in value.split():
                        if code not in codes:
                            raise TableError(f"{where}: currency {code} is not in spell/rules/currencies.tsv")
                languages.append((locale, key, value))
            elif columns[0] == "currency" and len(columns) >= 7:
                _, locale, code, gender, unit, minor_gender, minor = columns[:7]
                if code not in codes:
                    raise TableError(f"{where}: currency {code} is not in spell/rules/currencies.tsv")
                if not GENDER.fullmatch(gender) or not GENDER.fullmatch(minor_gender):
                    raise TableError(f"{where}: a gender is a word in lower case (masculine, common, ...) or '-'")
                options = {}
                for option in columns[7:]:
                    key, equals, value = option.partition("=")
                    if not equals or key not in CURRENCY_OPTIONS:
                        raise TableError(f"{where}: unknown currency option '{option}'")
                    options[key] = value
                if (locale, code) in seen:
                    raise TableError(f"{where}: {code} of {locale} is given twice")
                seen.add((locale, code))
                currencies.append((locale, code, gender, forms(unit, where), minor_gender, forms(minor, where),
                                   options.get("name", ""), options.get("suffix", ""),
                                   [options.get(k, "") for k in ("exactly-1", "exactly-2", "minor-exactly-1", "minor-exactly-2")]))
            else:
                raise TableError(f"{where}: a row is 'language LOCALE KEY VALUE' or 'currency LOCALE CODE ...'")
    return languages, currencies


def main():
    output, paths = sys.argv[1], sorted(sys.argv[2:])
    root = pathlib.Path(__file__).resolve().parent.parent
    codes = {line.split("\t")[0] for line in (root / "spell/rules/currencies.tsv").read_text().splitlines()
             if line and not line.startswith("#")}
    try:
        languages, currencies = read(paths, codes)
    except TableError as error:
        sys.exit(f"make-money-words: {error}")
    lines = ["// Generated by scripts/make-money-words.py from spell/rules/money/*.tsv: do not edit.",
             "// Language rows: locale, key, value."]
    lines.append("constexpr MoneyLanguageRow kMoneyLanguageRows[] = {")
    lines += [f"    {{{quoted(locale)}, {quoted(key)}, {quoted(value)}}}," for locale, key, value in languages]
    lines.append("};")
    lines.append("// Currency rows: locale, code, gender, forms by category (zero, one, two, few, many,")
    lines.append("// other), the minor unit's gender and forms, the currency's own name, its suffix, and the")
    lines.append("// phrases that stand for exactly one and two units and minor units, number and noun.")
    lines.append("constexpr MoneyCurrencyRow kMoneyCurrencyRows[] = {")
    for locale, code, gender, unit, minor_gender, minor, name, suffix, exactly in currencies:
        lines.append(f"    {{{quoted(locale)}, {quoted(code)}, {quoted(gender)}, {{{', '.join(map(quoted, unit))}}}, "
                     f"{quoted(minor_gender)}, {{{', '.join(map(quoted, minor))}}}, {quoted(name)}, {quoted(suffix)}, "
                     f"{{{', '.join(map(quoted, exactly))}}}}},")
    lines.append("};")
    text = "\n".join(lines) + "\n"
    path = pathlib.Path(output)
    if not path.exists() or path.read_text(encoding="utf-8") != text:
        path.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
