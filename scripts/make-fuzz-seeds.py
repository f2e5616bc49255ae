#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora from the converter's edge cases.

fuzz/corpus/convert/  one input text each, as UTF-16LE (the convert fuzzer reads
                      16-bit characters)
fuzz/corpus/words/    standard-input streams for zorv-words, one input per line
fuzz/corpus/spell/    a locale and a rule set (one byte each), then the number spelled
fuzz/corpus/style/    a style description, a newline, and the number: each row of
                      tests/data/styles.json and each description it refuses
fuzz/corpus/reader/   a byte choosing a style, then words: each reading and each
                      verification (figures, a tab, words) of tests/data/styles.json
"""
import json
import os

TEXTS = [
    "", "0", "5", "25", "007", "0150", "000150", "012345", " 123", "-5", "   ",
    "0.5", "0.05", "1.10", "5.50", "5.010", "1000.001", "1.2.3", "1000000.5", "21.34",
    "25.25", "123456.789", "0.0000000000000000001", "5.1000123", "1234.05",
    "999999999999999", "1000000000000000", "1.1000000000000000", "5.", ".5", "1..2",
    "12/3", "5.0", "5.000", "9999999999999999./", "20000", "23456", "1234567890",
    "1005000000", "2015345678", "123456789012345", "1. 5", "1.+5", "1.0 ", "+7", "1e5",
    "\u0661\u0662", "\uff15", "caf\u00e9", "9" * 400, "-" + "9" * 400,
]

STREAMS = [
    b"1234.05\n\n1.2.3\n0150\n",
    b"21.34\r\n99\n1.5",
    b"\"quoted\"\nback\\slash\ntab\there\x01\x1f\n",
    b"nul\x00byte\n\xff\xfe bad utf8\n\xe2\x82\n\xef\xbb\xbf5\n",
    b"\n\n\n",
    b"\r\n\r",
]


SPELLINGS = [
    b"\x00\x00" + b"1234.05", b"\x1b\x01" + b"21", b"\x4d\x02" + b"609381.72", b"\x17\x00" + b"-0.5",
    b"\x05\x03" + b"1" + b"0" * 40, b"\x30\x04" + b"4561.10", b"\x10\x00" + b"0.1234567890123456789",
    b"\x20\x05" + b"9" * 1001, b"\x40\x06" + b"12e3",
]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "corpus")
    convert = os.path.join(root, "convert")
    words = os.path.join(root, "words")
    os.makedirs(convert, exist_ok=True)
    os.makedirs(words, exist_ok=True)
    for i, text in enumerate(TEXTS):
        with open(os.path.join(convert, "seed%02d" % i), "wb") as f:
            f.write(text.encode("utf-16-le"))
    style = os.path.join(root, "style")
    os.makedirs(style, exist_ok=True)
    with open(os.path.join(root, "..", "..", "tests", "data", "styles.json"), encoding="utf-8") as f:
        table = json.load(f)
    rows = [(row[0], row[1]) for row in table["styles"]] + [(row[0], "5") for row in table["refused styles"]]
    for i, (description, number) in enumerate(rows):
        with open(os.path.join(style, "seed%02d" % i), "wb") as f:
            f.write(description.encode() + b"\n" + number.encode())
    reader = os.path.join(root, "reader")
    os.makedirs(reader, exist_ok=True)
    texts = [row[1] for row in table["readings"]] + [row[1] + "\t" + row[2] for row in table["verifications"]]
    for i, text in enumerate(texts):
        with open(os.path.join(reader, "seed%02d" % i), "wb") as f:
            f.write(bytes([i % 7]) + text.encode())
    spell = os.path.join(root, "spell")
    os.makedirs(spell, exist_ok=True)
    for i, seed in enumerate(SPELLINGS):
        with open(os.path.join(spell, "seed%02d" % i), "wb") as f:
            f.write(seed)
    for i, stream in enumerate(STREAMS):
        with open(os.path.join(words, "seed%02d" % i), "wb") as f:
            f.write(stream)


if __name__ == "__main__":
    main()
