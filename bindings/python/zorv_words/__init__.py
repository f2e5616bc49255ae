"""Numbers in words, and words read back to numbers: cheques, invoices, contracts and
the number words of 100 languages, exactly.

    >>> import zorv_words
    >>> zorv_words.spell("1234.05", "cheque")
    'One Thousand Two Hundred Thirty-Four and 05/100 Dollars'
    >>> zorv_words.read("twenty-one")
    Decimal('21')

A style is a description: a preset (plain, british, ordinal, indian, money, cheque,
classic) and options, as in "cheque,currency=INR,case=upper" or "plain,locale=de".
Numbers are exact: a str or int as written, a Decimal as its exact value, a float as
its shortest round-trip text (repr). Every call goes to the converter's library, which
is inside this package; calls release the GIL and may come from many threads.
"""
from __future__ import annotations

import ctypes
import functools
import pathlib
import threading
from decimal import Decimal
from typing import Dict, Iterable, List, NamedTuple, Optional, Union

__all__ = ["NumberRefused", "Style", "StyleError", "Verdict", "classic", "locales", "read", "spell", "spell_many", "verify"]

Number = Union[str, int, Decimal, float]

_WORDS, _MESSAGE, _FAILURE = 0, 1, -1
_LONGEST_TEXT = 1048576  # ZORV_LONGEST_TEXT: the library refuses a longer text

_library = ctypes.CDLL(str(pathlib.Path(__file__).with_name("libzorv-words.so.1")))
_text_out = [ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]


def _declare(name, result, *arguments):
    function = getattr(_library, name)
    function.restype = result
    function.argtypes = list(arguments)
    return function


_style_new = _declare("zorv_style_new", ctypes.c_void_p, ctypes.c_char_p, *_text_out)
_style_free = _declare("zorv_style_free", None, ctypes.c_void_p)
_style_spell = _declare("zorv_style_spell", ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, *_text_out)
_style_spell_all = _declare("zorv_style_spell_all", ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t,
                            ctypes.c_size_t, *_text_out)
_style_read = _declare("zorv_style_read", ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, *_text_out)
_style_verify = _declare("zorv_style_verify", ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t,
                         ctypes.c_char_p, ctypes.c_size_t, *_text_out)
_converter_new = _declare("zorv_converter_new", ctypes.c_void_p)
_converter_free = _declare("zorv_converter_free", None, ctypes.c_void_p)
_convert = _declare("zorv_convert", ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, *_text_out)
_list_locales = _declare("zorv_list_locales", ctypes.c_int, *_text_out)
_string_free = _declare("zorv_string_free", None, ctypes.c_void_p)


class StyleError(ValueError):
    """A style description that names an unknown preset, option, value, locale, rule set
    or currency; the message names it."""


class NumberRefused(ValueError):
    """A number the style cannot write, or words that name no number; the message says
    why, as the library words it. From spell_many, `index` is the number's place."""

    index: Optional[int] = None


class Verdict(NamedTuple):
    """Whether words name exactly the figures' number: `number` is what the words name
    (None when they name none) and `message` why they disagree (None when they agree)."""

    agrees: bool
    number: Optional[Decimal]
    message: Optional[str]


def _call(function, *arguments) -> tuple[int, str]:
    """Calls a function of the library that hands out a text; gives its status and the text."""
    out, length = ctypes.c_void_p(), ctypes.c_size_t()
    status = function(*arguments, ctypes.byref(out), ctypes.byref(length))
    if status == _FAILURE or not out.value:
        raise MemoryError("the converter's library ran out of memory")
    try:
        return status, ctypes.string_at(out.value, length.value).decode("utf-8")
    finally:
        _string_free(out)


def _number_text(number: Number) -> bytes:
    """The exact text of a number, as the library reads it."""
    if isinstance(number, str):
        return number.encode("utf-8")
    if isinstance(number, bool) or not isinstance(number, (int, Decimal, float)):
        raise TypeError(f"a number is a str, int, Decimal or float, not {type(number).__name__}")
    if isinstance(number, float):
        number = Decimal(repr(number)) if number == number and abs(number) != float("inf") else repr(number)
        if isinstance(number, str):
            return number.encode()  # inf and nan, which the library refuses
    if isinstance(number, Decimal):
        if not number.is_finite():
            return str(number).encode()
        sign, digits, exponent = number.as_tuple()
        # The digits written out can be far more than any text the library reads: then
        # it is given a text just too long, and refuses it with its own message.
        if len(digits) + abs(exponent) > _LONGEST_TEXT:
            return b"0" * (_LONGEST_TEXT + 1)
        return format(number, "f").encode()
    return str(number).encode()


class Style:
    """A style description read once, for many numbers and many threads.

    >>> Style("money,currency=EUR").spell(1234.5)
    'one thousand two hundred thirty-four euros and fifty cents'

    Raises StyleError for a description the library refuses. A Style pickles as its
    description, so that it travels to other processes (multiprocessing, Dask)."""

    __slots__ = ("_description", "_handle", "__weakref__")

    def __init__(self, description: str = "plain") -> None:
        self._description = description
        self._handle = None
        error, length = ctypes.c_void_p(), ctypes.c_size_t()
        handle = _style_new(description.encode("utf-8"), ctypes.byref(error), ctypes.byref(length))
        if not handle:
            if not error.value:
                raise MemoryError("the converter's library ran out of memory")
            message = ctypes.string_at(error.value, length.value).decode("utf-8")
            _string_free(error)
            raise StyleError(message)
        self._handle = handle

    def __del__(self) -> None:
        if getattr(self, "_handle", None):
            _style_free(self._handle)
            self._handle = None

    def __reduce__(self):
        return (Style, (self._description,))

    def __repr__(self) -> str:
        return f"Style({self._description!r})"

    @property
    def description(self) -> str:
        return self._description

    def spell(self, number: Number) -> str:
        """The number in words. Raises NumberRefused with the library's message."""
        text = _number_text(number)
        status, answer = _call(_style_spell, self._handle, text, len(text))
        if status != _WORDS:
            raise NumberRefused(answer)
        return answer

    def spell_many(self, numbers: Iterable[Number]) -> List[str]:
        """The words of each number, all in one call to the library, which saves the cost
        of a call per number. Raises NumberRefused for the first number refused, with its
        place in `index`."""
        texts = [_number_text(number) for number in numbers]
        if any(b"\0" in text for text in texts):  # a NUL ends a number in the batch: one at a time
            return [self.spell(text.decode("utf-8", "surrogateescape")) for text in texts]
        data = b"\0".join(texts) + b"\0" if texts else b""
        _, answers = _call(_style_spell_all, self._handle, data, len(data), len(texts))
        statuses, words = answers[:len(texts)], answers[len(texts):].split("\0")[:-1]
        refused = statuses.find("1")
        if refused >= 0:
            error = NumberRefused(words[refused])
            error.index = refused
            raise error
        return words

    def read(self, words: str) -> Decimal:
        """The number that the words name, exactly ("05/100" keeps its zeros). Raises
        NumberRefused saying where the words stop making sense."""
        text = words.encode("utf-8")
        status, answer = _call(_style_read, self._handle, text, len(text))
        if status != _WORDS:
            raise NumberRefused(answer)
        return Decimal(answer)

    def verify(self, figures: Number, words: str) -> Verdict:
        """Whether the words name exactly the number of the figures."""
        number, text = _number_text(figures), words.encode("utf-8")
        status, answer = _call(_style_verify, self._handle, number, len(number), text, len(text))
        if status == _WORDS:
            return Verdict(True, Decimal(answer), None)
        try:
            named = self.read(words)
        except NumberRefused:
            named = None
        return Verdict(False, named, answer)


@functools.lru_cache(maxsize=64)
def _style(description: str) -> Style:
    return Style(description)


def spell(number: Number, style: str = "plain") -> str:
    """The number in words in the style described: spell("1234.05", "cheque")."""
    return _style(style).spell(number)


def spell_many(numbers: Iterable[Number], style: str = "plain") -> List[str]:
    """The words of each number in one call to the library: spell_many(["1", "2.50"], "money")."""
    return _style(style).spell_many(numbers)


def read(words: str, style: str = "plain") -> Decimal:
    """The number that words in the style's language name: read("one hundred and five")."""
    return _style(style).read(words)


def verify(figures: Number, words: str, style: str = "plain") -> Verdict:
    """Whether the words name exactly the number of the figures, and what they name."""
    return _style(style).verify(figures, words)


class _Converter(threading.local):
    """One converter of the classic answer per thread: a converter answers one text at a time."""

    def __init__(self) -> None:
        self.handle = _converter_new()
        if not self.handle:
            raise MemoryError("the converter's library ran out of memory")

    def __del__(self) -> None:
        _converter_free(self.handle)


_converter = _Converter()


def classic(text: str) -> str:
    """The classic answer, spaces and all: classic("1234.05") is
    'One Thousand Two Hundred Thirty Four point zero Five '. Raises NumberRefused with the
    message the window shows ("Type mismatch", "Overflow", ...)."""
    data = text.encode("utf-8", "surrogatepass")
    status, answer = _call(_convert, _converter.handle, data, len(data))
    if status != _WORDS:
        raise NumberRefused(answer)
    return answer


def locales() -> Dict[str, List[str]]:
    """Every locale with spelling rules, with its public rule sets (for locale= and rules=)."""
    _, listing = _call(_list_locales)
    return {name: sets.partition("(")[0].split() for name, _, sets in (line.partition(":") for line in listing.splitlines())}
