"""The Python package as installed from its wheel into a clean venv: every row of the
shared tables, exact numbers of every type, threads, pickling and a Dask cluster."""
import json
import pathlib
import pickle
from concurrent.futures import ThreadPoolExecutor
from decimal import Decimal

import pytest

import zorv_words
from zorv_words import NumberRefused, Style, StyleError

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"
OUTCOMES = json.loads((DATA / "outcomes.json").read_text(encoding="utf-8"))
STYLES = json.loads((DATA / "styles.json").read_text(encoding="utf-8"))


def test_the_package_is_the_installed_one():
    assert "site-packages" in zorv_words.__file__


@pytest.mark.parametrize("row", OUTCOMES["outcomes"], ids=lambda row: repr(row["input"]))
def test_classic_answers_every_typed_text(row):
    if "words" in row:
        assert zorv_words.classic(row["input"]) == row["words"]
    else:
        with pytest.raises(NumberRefused) as refused:
            zorv_words.classic(row["input"])
        assert str(refused.value) == OUTCOMES["messages"][row["message"]]


@pytest.mark.parametrize("style, number, outcome", STYLES["styles"])
def test_spell_answers_every_row_of_the_styles_table(style, number, outcome):
    if "words" in outcome:
        assert zorv_words.spell(number, style) == outcome["words"]
    else:
        with pytest.raises(NumberRefused, match=None) as refused:
            zorv_words.spell(number, style)
        assert str(refused.value) == outcome["message"]


@pytest.mark.parametrize("style, words, outcome", STYLES["readings"])
def test_read_gives_every_reading_exactly(style, words, outcome):
    if "number" in outcome:
        number = zorv_words.read(words, style)
        assert isinstance(number, Decimal) and str(number) == outcome["number"]
    else:
        with pytest.raises(NumberRefused) as refused:
            zorv_words.read(words, style)
        assert str(refused.value) == outcome["message"]


@pytest.mark.parametrize("style, figures, words, outcome", STYLES["verifications"])
def test_verify_gives_every_verdict(style, figures, words, outcome):
    verdict = zorv_words.verify(figures, words, style)
    assert verdict.agrees == ("number" in outcome)
    if verdict.agrees:
        assert str(verdict.number) == outcome["number"] and verdict.message is None
    else:
        assert verdict.message == outcome["message"]


@pytest.mark.parametrize("description, message", STYLES["refused styles"])
def test_a_refused_description_raises_style_error(description, message):
    with pytest.raises(StyleError) as refused:
        Style(description)
    assert str(refused.value) == message
    with pytest.raises(ValueError):
        zorv_words.spell("5", description)


@pytest.mark.parametrize("number, style, words", [
    (Decimal("1E+3"), "plain", "one thousand"),
    (Decimal("1.50"), "plain", "one point five zero"),
    (Decimal("-0"), "plain", "zero"),
    (Decimal("12345678.90"), "indian", "one crore twenty-three lakh forty-five thousand six hundred seventy-eight point nine zero"),
    (1234.05, "cheque", "One Thousand Two Hundred Thirty-Four and 05/100 Dollars"),  # repr, not 1234.0499999...
    (0.1 + 0.2, "plain", "zero point three zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero four"),
    (1e22, "plain", "ten sextillion"),
    (2.5e-7, "plain", "zero point zero zero zero zero zero zero two five"),
    (10 ** 30, "plain", "one nonillion"),
    (-7, "money", "minus seven dollars"),
    ("1,234.5", "money,currency=EUR", "one thousand two hundred thirty-four euros and fifty cents"),
])
def test_numbers_of_every_type_are_exact(number, style, words):
    assert zorv_words.spell(number, style) == words


def test_what_is_no_number_is_refused():
    for number in (Decimal("NaN"), float("inf"), "1.2.3"):
        with pytest.raises(NumberRefused, match="not a number"):
            zorv_words.spell(number)
    with pytest.raises(NumberRefused, match="longer than 1 MiB"):
        zorv_words.spell(Decimal("1E+2000000"))
    for number in (True, None, [5]):
        with pytest.raises(TypeError):
            zorv_words.spell(number)
    assert issubclass(NumberRefused, ValueError) and issubclass(StyleError, ValueError)


def test_verify_names_what_the_words_say():
    assert zorv_words.verify("5", "six") == (False, Decimal("6"), "the words say 6, the figures 5")
    assert zorv_words.verify(Decimal("1234.50"), "one thousand two hundred thirty-four dollars and fifty cents",
                             "money") == (True, Decimal("1234.50"), None)


def test_locales_and_styles():
    locales = zorv_words.locales()
    assert len(locales) == 100 and "spellout-numbering" in locales["de"]
    cheque = Style("cheque,currency=INR")
    assert pickle.loads(pickle.dumps(cheque)).spell("12,00,000") == "Rupees Twelve Lakh Only"
    assert cheque.description == "cheque,currency=INR"


def test_many_threads_get_what_one_gets():
    numbers = [f"{n * 7919 % 10 ** 9}.{n % 100:02d}" for n in range(4000)]
    styles = ["plain", "cheque", "money,currency=EUR", "plain,locale=ru"]
    expected = [[zorv_words.spell(n, s) for n in numbers] for s in styles]
    with ThreadPoolExecutor(8) as pool:
        got = list(pool.map(lambda s: [zorv_words.spell(n, s) for n in numbers], styles * 2))
    assert got == expected * 2
    typed = [f"{n * 7919 % 10 ** 9}.{n % 97 + 1}" for n in range(4000)]  # as the window takes them
    with ThreadPoolExecutor(4) as pool:
        assert list(pool.map(zorv_words.classic, typed)) == [zorv_words.classic(n) for n in typed]


def test_a_dask_cluster_of_two_worker_processes_maps_spell():
    distributed = pytest.importorskip("distributed")
    import dask.bag

    numbers = [str(n * 7919 % 10 ** 7) for n in range(2000)]
    with distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1, dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        words = dask.bag.from_sequence(numbers, npartitions=8).map(zorv_words.spell, "money").compute()
        styled = client.submit(Style("cheque").spell, "77.10").result()  # a Style travels as its description
    assert words == [zorv_words.spell(n, "money") for n in numbers]
    assert styled == "Seventy-Seven and 10/100 Dollars"


def test_spell_many_gives_what_spell_gives_one_by_one():
    numbers = ["1,234.05", 7, Decimal("0.5"), 2.25, "12,34,567"]
    for style in ("money", "cheque,currency=INR", "plain,locale=fr", "classic"):
        singles = []
        for number in numbers:
            try:
                singles.append(zorv_words.spell(number, style))
            except NumberRefused:
                singles.append(None)
        if None in singles:
            with pytest.raises(NumberRefused) as refused:
                zorv_words.spell_many(numbers, style)
            assert refused.value.index == singles.index(None)
        else:
            assert zorv_words.spell_many(numbers, style) == singles
    assert zorv_words.spell_many([]) == []
