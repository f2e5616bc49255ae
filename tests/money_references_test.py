"""The money words of zorv-words beside two independent wordings of the same amounts:
libnumbertext's spellout and num2words. For every language that words money, random
amounts as invoices carry them (fixed seed) go through the real zorv-words, one run
per currency; each reference words the same amounts where it knows the language and
the currency. Only presentation is made equal (letter case, spaces, num2words' comma
between the unit and the minor part, the apostrophe's code point); every remaining
difference must be explained by one row of DIFFERENCES, or the test fails and prints it.
    tests/money_references_test.py ZORV_WORDS SOURCE_DIR"""
import collections
import itertools
import json
import pathlib
import random
import re
import subprocess
import sys
import time
import unicodedata
from decimal import Decimal

SPELLOUT = "/usr/lib/libnumbertext/spellout"
SEED = 20240605
AMOUNTS_PER_LANGUAGE = 240
# num2words names some languages by a code of its own.
NUM2WORDS_LANGUAGE = {"cs": "cz"}


# ---------------------------------------------------------------------------------------
# The classes of difference. A row is one word pair or one construction: `rewrite` turns
# our wording of an amount into the reference's (a (pattern, replacement) pair of regular
# expressions on our normalised words, or a function of the words and the amount's
# context), and applies only to that reference and those locales (None: any locale, for
# a construction that names no word). A difference is explained when some rows of its
# language and reference, applied in table order, turn our words into the reference's.
# `right` says whose wording a document should carry.
# ---------------------------------------------------------------------------------------

def without_zero_minor(words, amount):
    """Our words for the same amount with its zero minor part left out ("3.00" as "3")."""
    if not re.fullmatch(r"-?\d+\.0+", amount.text):
        return words
    return normalised(amount.ours_of(amount.text.split(".")[0]))


def with_zero_minor(words, amount):
    """Our words for a whole amount with its zero minor part worded ("3" as "3.00")."""
    if "." in amount.text or amount.digits == 0:
        return words
    return normalised(amount.ours_of(amount.text + "." + "0" * amount.digits))


def row(name, reference, locales, rewrite, example, reason, right):
    return {"name": name, "reference": reference, "locales": locales, "rewrite": rewrite,
            "example": example, "reason": reason, "right": right}


DIFFERENCES = [
    row("zero minor part left out", "spellout", None, without_zero_minor,
        "ru RUB 5.00: ours 'пять рублей ноль копеек', spellout 'пять рублей'",
        "spellout reads the amount as a number, in which 5.00 is 5; we word every minor digit typed, "
        "as a document that writes 5.00 in figures does",
        "both: a style choice"),
    row("zero minor part worded", "num2words", None, with_zero_minor,
        "ru RUB 5: ours 'пять рублей', num2words 'пять рублей, ноль копеек'",
        "num2words always words the minor part; we word it only when the amount is typed with it",
        "both: a style choice"),
    row("'доллар США' for the dollar", "spellout", ("ru",), (r"\b(доллар\w*)", r"\1 сша"),
        "ru USD 2.02: ours 'два доллара два цента', spellout 'два доллара сша два цента'",
        "spellout names the country with the unit; the currency code already says whose dollar",
        "both: a style choice"),
    row("'пенни' for one penny", "spellout", ("ru",), (r"\bпенс$", "пенни"),
        "ru GBP 51.61: ours 'шестьдесят один пенс', spellout 'шестьдесят один пенни'",
        "Russian has both the borrowed singular 'пенни' and 'пенс', the singular of the 'пенса, пенсов' "
        "that counts pence; we keep one noun through all its forms",
        "both"),
]


# ---------------------------------------------------------------------------------------
# Amounts, our words and the references' words.
# ---------------------------------------------------------------------------------------

class Amount:
    """One amount of one language and currency, and our words for other amounts of the
    same language and currency (to word a construction with or without a part)."""

    def __init__(self, text, digits, ours_of):
        self.text, self.digits, self.ours_of = text, digits, ours_of


def minor_digits(source_dir):
    """{currency: minor digits} from the currency table the library is built from."""
    digits = {}
    for line in (source_dir / "spell" / "currencies.inc").read_text(encoding="utf-8").splitlines():
        match = re.match(r'\{"([A-Z]{3})",.*, (\d)\},$', line)
        if match:
            digits[match[1]] = int(match[2])
    return digits


def money_locales(zorv_words):
    """{locale: [currency, ...]} of every locale whose line in --list-locales ends in
    its money currencies."""
    listing = subprocess.run([zorv_words, "--list-locales"], capture_output=True, text=True, check=True).stdout
    locales = {}
    for line in listing.splitlines():
        match = re.match(r"(\S+): .*\(money: ([A-Z ]+)\)$", line)
        if match:
            locales[match[1]] = match[2].split()
    return locales


def draw_amounts(locale, currencies, digits):
    """[(currency, amount text)] as invoices carry them: mostly 0.01 to 10 million with
    the minor digits, some round numbers, some whole amounts (typed with and without
    their zero minor part), some small ones and some large ones. Each locale draws from
    its own seeded generator, so a new language leaves the others' amounts unchanged."""
    generator = random.Random(f"{SEED}:{locale}")
    amounts = []
    for index in range(AMOUNTS_PER_LANGUAGE):
        currency = currencies[index % len(currencies)]
        places = digits[currency]
        kind = generator.random()
        if kind < 0.55:
            whole, minor = int(10 ** generator.uniform(0, 7)), generator.randrange(10 ** places)
            if whole == 1 and generator.random() < 0.5:
                whole = 0
        elif kind < 0.65:
            whole, minor = generator.randint(1, 9) * 10 ** generator.randint(0, 7), 0
        elif kind < 0.80:
            whole, minor = generator.randrange(1, 10 ** generator.randint(1, 7)), 0
        elif kind < 0.92:
            whole, minor = generator.randrange(0, 100), generator.randrange(10 ** places)
        else:
            whole, minor = int(10 ** generator.uniform(7, 12)), generator.randrange(10 ** places)
        if places == 0:
            text = str(whole)
        elif minor == 0 and generator.random() < 0.5:
            text = str(whole)
        else:
            text = f"{whole}.{minor:0{places}d}"
        if text in ("0", "0." + "0" * places):
            text = "0." + "0" * (places - 1) + "1" if places else "1"
        amounts.append((currency, text))
    return amounts


def companion(text, places):
    """The same amount typed the other way: a whole amount with its zero minor part and
    the reverse; None when there is no other way."""
    if places == 0:
        return None
    if "." not in text:
        return text + "." + "0" * places
    if re.fullmatch(r"\d+\.0+", text):
        return text.split(".")[0]
    return None


def ours(zorv_words, locale, currency, texts):
    """{amount: words} from one run of zorv-words, the amounts one a line on its input."""
    run = subprocess.run([zorv_words, "--json", "--style", f"money,locale={locale},currency={currency}"],
                         input="".join(text + "\n" for text in texts), capture_output=True, text=True)
    words = {}
    for line in run.stdout.splitlines():
        answer = json.loads(line)
        if "words" not in answer:
            raise AssertionError(f"zorv-words refused {locale} {currency} {answer['input']}: {answer['message']}")
        words[answer["input"]] = answer["words"]
    if set(words) != set(texts):
        raise AssertionError(f"zorv-words answered {len(words)} of {len(set(texts))} amounts in {locale} {currency}: "
                             f"{run.stderr.strip()}")
    return words


def spellout(locale, currency, texts):
    """{amount: words} from spellout, or the reason it words none of them. spellout writes
    one line for each argument (empty for one it cannot word), and for a currency it does
    not know writes the bare numbers: a whole amount with and without the currency then
    reads the same."""
    language = locale.replace("_", "-")
    probe = [subprocess.run([SPELLOUT, "-l", language] + prefix + ["2"], capture_output=True, text=True)
             for prefix in ([], ["-p", currency])]
    if any(run.returncode != 0 for run in probe):
        return f"no language module ({probe[0].stderr.strip() or probe[1].stderr.strip()})"
    if probe[0].stdout == probe[1].stdout:
        return f"no {currency} in this language"
    run = subprocess.run([SPELLOUT, "-l", language, "-p", currency] + texts, capture_output=True, text=True, check=True)
    lines = run.stdout.split("\n")[:-1]
    if len(lines) != len(texts):
        raise AssertionError(f"spellout wrote {len(lines)} lines for {len(texts)} amounts in {locale} {currency}")
    return {text: line for text, line in zip(texts, lines) if line.strip()}


def num2words_of(locale, currency, texts):
    """{amount: words} from num2words, or the reason it words none of them."""
    from num2words import CONVERTER_CLASSES, num2words
    language = NUM2WORDS_LANGUAGE.get(locale, locale)
    if language not in CONVERTER_CLASSES:
        language = NUM2WORDS_LANGUAGE.get(locale.split("_")[0], locale.split("_")[0])
    if language not in CONVERTER_CLASSES:
        return f"no language {locale}"
    words = {}
    for text in texts:
        try:
            words[text] = num2words(Decimal(text), lang=language, to="currency", currency=currency)
        except (NotImplementedError, TypeError, KeyError) as error:
            return f"{type(error).__name__}: {error}".strip()
    return words


def normalised(words, reference=None):
    """The wording alone: one case, single spaces, one apostrophe, and without num2words'
    comma between the unit and the minor part."""
    text = unicodedata.normalize("NFC", words).casefold()
    text = re.sub("[\u02bc\u2019]", "'", text)
    if reference == "num2words":
        text = re.sub(r"\s*,\s*", " ", text)
    return " ".join(text.split())


def rewritten(row_, words, amount):
    rewrite = row_["rewrite"]
    if callable(rewrite):
        return rewrite(words, amount)
    return re.sub(rewrite[0], rewrite[1], words)


def explanation(reference, locale, words, theirs, amount):
    """The fewest rows of DIFFERENCES that, applied in table order, turn our words into
    the reference's; None when no set of rows does."""
    rows = [r for r in DIFFERENCES if r["reference"] == reference and (r["locales"] is None or locale in r["locales"])]
    rows = [r for r in rows if rewritten(r, words, amount) != words]
    for size in range(1, len(rows) + 1):
        for chosen in itertools.combinations(rows, size):
            text = words
            for r in chosen:
                text = rewritten(r, text, amount)
            if text == theirs:
                return chosen
    return None


def main():
    started = time.monotonic()
    zorv_words, source_dir = sys.argv[1], pathlib.Path(sys.argv[2])
    digits = minor_digits(source_dir)
    locales = money_locales(zorv_words)
    assert locales, "zorv-words lists no locale with money words"
    compared = collections.Counter()       # (locale, reference) -> amounts compared
    agreed = collections.Counter()         # (locale, reference) -> amounts worded alike
    unsupported = collections.defaultdict(set)   # (locale, reference) -> reasons
    per_class = collections.Counter()      # (name, locale) -> differences it took part in
    failures = []
    for locale, currencies in sorted(locales.items()):
        drawn = draw_amounts(locale, currencies, digits)
        for currency in currencies:
            texts = [text for code, text in drawn if code == currency]
            if not texts:
                continue
            extra = [c for c in (companion(t, digits[currency]) for t in texts) if c]
            our_words = ours(zorv_words, locale, currency, sorted(set(texts + extra)))
            ours_of = lambda text, words=our_words: words[text]  # noqa: E731
            for reference, wording in (("spellout", spellout), ("num2words", num2words_of)):
                theirs = wording(locale, currency, texts)
                if isinstance(theirs, str):
                    unsupported[(locale, reference)].add(f"{currency}: {theirs}")
                    continue
                for text in texts:
                    if text not in theirs:
                        unsupported[(locale, reference)].add(f"{currency}: some amounts not worded")
                        continue
                    compared[(locale, reference)] += 1
                    mine, other = normalised(our_words[text]), normalised(theirs[text], reference)
                    if mine == other:
                        agreed[(locale, reference)] += 1
                        continue
                    amount = Amount(text, digits[currency], ours_of)
                    rows = explanation(reference, locale, mine, other, amount)
                    if rows is None:
                        failures.append(f"{locale} {currency} {text} ({reference})\n    ours:   {our_words[text]}\n"
                                        f"    theirs: {theirs[text]}")
                    else:
                        for r in rows:
                            per_class[(r["name"], locale, reference)] += 1

    print("amounts compared (agreeing) per language and reference:")
    for locale in sorted(locales):
        cells = []
        for reference in ("spellout", "num2words"):
            if compared[(locale, reference)]:
                cells.append(f"{reference} {compared[(locale, reference)]} ({agreed[(locale, reference)]})")
            for reason in sorted(unsupported[(locale, reference)]):
                cells.append(f"{reference} not compared, {reason}")
        print(f"  {locale}: " + "; ".join(cells))
    print("differences per class:")
    for r in DIFFERENCES:
        counts = {(locale, ref): n for (name, locale, ref), n in per_class.items() if name == r["name"]}
        where = ", ".join(f"{locale} {n}" for (locale, _), n in sorted(counts.items())) or "none this run"
        print(f"  [{r['reference']}] {r['name']}: {sum(counts.values())} ({where})")
    print(f"{len(failures)} differences in no class; {time.monotonic() - started:.1f} s")
    for failure in failures:
        print(failure)
    total = sum(compared.values())
    print(f"{total - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
