"""Calls the converter's C interface from Python through ctypes, as a program in any
language would, and checks that it answers as zorv-words answers the same bytes.
    python3 tests/ctypes_test.py LIBRARY ZORV_WORDS
"""
import ctypes
import json
import os
import subprocess
import sys
import unittest

from support import (c_constants, expected_outcomes, expected_readings, expected_styles, expected_verifications,
                     refused_styles)

LIBRARY, ZORV_WORDS = sys.argv[1], sys.argv[2]
C = c_constants()
WORDS, MESSAGE, FAILURE = C["ZORV_WORDS"], C["ZORV_MESSAGE"], C["ZORV_FAILURE"]


def load(path):
    lib = ctypes.CDLL(path)
    lib.zorv_converter_new.restype = ctypes.c_void_p
    lib.zorv_converter_free.argtypes = [ctypes.c_void_p]
    lib.zorv_convert.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t,
                                 ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
    lib.zorv_spell.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_size_t,
                               ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
    lib.zorv_string_free.argtypes = [ctypes.c_void_p]
    lib.zorv_style_new.restype = ctypes.c_void_p
    lib.zorv_style_new.argtypes = [ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
    lib.zorv_style_spell.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t,
                                     ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
    lib.zorv_style_free.argtypes = [ctypes.c_void_p]
    lib.zorv_style_read.argtypes = lib.zorv_style_spell.argtypes
    lib.zorv_style_spell_all.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_size_t,
                                         ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
    lib.zorv_style_verify.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_char_p, ctypes.c_size_t,
                                      ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
    lib.zorv_version.restype = ctypes.c_char_p
    return lib


class CInterfaceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lib = load(LIBRARY)
        cls.converter = cls.lib.zorv_converter_new()

    @classmethod
    def tearDownClass(cls):
        cls.lib.zorv_converter_free(cls.converter)

    def convert(self, data, converter=None):
        out, length = ctypes.c_void_p(), ctypes.c_size_t()
        status = self.lib.zorv_convert(self.converter if converter is None else converter,
                                       data, len(data) if data else 0, ctypes.byref(out), ctypes.byref(length))
        text = ctypes.string_at(out, length.value).decode() if out.value else None
        self.lib.zorv_string_free(out)
        return status, text

    def test_every_text_of_the_shared_table_gets_its_words_or_its_message(self):
        for typed, answered, text in expected_outcomes():
            with self.subTest(input=typed[:40]):
                self.assertEqual(self.convert(typed.encode()), (WORDS if answered else MESSAGE, text))
        self.assertEqual(self.convert(b"5\x00"), (MESSAGE, "Type mismatch"))  # a NUL is a character like any other

    def test_numbers_are_spelled_in_a_style_as_zorv_words_spells_them(self):
        for style, number in [(b"plain,locale=de", b"21"), (b"plain,locale=ru", b"609381.72"), (b"plain", b"1.2.3"),
                              (b"plain,locale=ja,rules=spellout-cardinal", b"9" * 1000)]:
            with self.subTest(style=style, number=number[:20]):
                out, length = ctypes.c_void_p(), ctypes.c_size_t()
                status = self.lib.zorv_spell(style, number, len(number), ctypes.byref(out), ctypes.byref(length))
                text = ctypes.string_at(out, length.value).decode()
                self.lib.zorv_string_free(out)
                run = subprocess.run([ZORV_WORDS, "--json", "--style", style.decode(), "--", number.decode()],
                                     capture_output=True, check=False)
                answer = json.loads(run.stdout)
                self.assertEqual((status, text), (WORDS, answer["words"]) if "words" in answer else (MESSAGE, answer["message"]))
        out = ctypes.c_void_p()
        self.assertEqual(self.lib.zorv_spell(b"plain,locale=xx", b"5", 1, ctypes.byref(out), None), C["ZORV_STYLE_ERROR"])
        self.assertEqual(ctypes.string_at(out), b"unknown locale 'xx'")
        self.lib.zorv_string_free(out)
        self.assertEqual(self.lib.zorv_spell(None, b"5", 1, ctypes.byref(out), None), FAILURE)

    def test_every_row_of_the_styles_table_through_a_style_object(self):
        styles = {}
        for style, number, answered, text in expected_styles():
            with self.subTest(style=style, number=number[:40]):
                if style not in styles:
                    styles[style] = self.lib.zorv_style_new(style.encode(), None, None)
                out, length = ctypes.c_void_p(), ctypes.c_size_t()
                status = self.lib.zorv_style_spell(styles[style], number.encode(), len(number.encode()),
                                                   ctypes.byref(out), ctypes.byref(length))
                self.assertEqual((status, ctypes.string_at(out, length.value).decode()), (WORDS if answered else MESSAGE, text))
                self.lib.zorv_string_free(out)
        for style in styles.values():
            self.lib.zorv_style_free(style)
        for style, message in refused_styles():
            with self.subTest(refused=style):
                error, length = ctypes.c_void_p(), ctypes.c_size_t()
                self.assertIsNone(self.lib.zorv_style_new(style.encode(), ctypes.byref(error), ctypes.byref(length)))
                self.assertEqual(ctypes.string_at(error, length.value).decode(), message)
                self.lib.zorv_string_free(error)
        out = ctypes.c_void_p()
        self.assertEqual(self.lib.zorv_style_spell(None, b"5", 1, ctypes.byref(out), None), FAILURE)

    def test_a_batch_of_every_style_gives_what_each_number_gets_alone(self):
        by_style = {}
        for style, number, answered, text in expected_styles():
            by_style.setdefault(style, []).append((number.encode(), answered, text))
        for style, rows in by_style.items():
            with self.subTest(style=style):
                handle = self.lib.zorv_style_new(style.encode(), None, None)
                texts = b"".join(number + b"\0" for number, _, _ in rows)
                out, length = ctypes.c_void_p(), ctypes.c_size_t()
                status = self.lib.zorv_style_spell_all(handle, texts, len(texts), len(rows), ctypes.byref(out), ctypes.byref(length))
                got = ctypes.string_at(out, length.value).decode()
                self.lib.zorv_string_free(out)
                statuses, answers = got[:len(rows)], got[len(rows):].split("\0")[:-1]
                self.assertEqual(statuses, "".join("0" if answered else "1" for _, answered, _ in rows))
                self.assertEqual(answers, [text for _, _, text in rows])
                self.assertEqual(status, WORDS if all(answered for _, answered, _ in rows) else MESSAGE)
                # A count that is not the number of texts is misuse.
                self.assertEqual(self.lib.zorv_style_spell_all(handle, texts, len(texts), len(rows) + 1, ctypes.byref(out), None),
                                 FAILURE)
                self.lib.zorv_style_free(handle)

    def test_every_row_of_the_readings_and_verifications_tables(self):
        def taken(status, out, length):
            text = ctypes.string_at(out, length.value).decode()
            self.lib.zorv_string_free(out)
            return status, text
        for style, words, read, text in expected_readings():
            with self.subTest(style=style, words=words[:40]):
                made = self.lib.zorv_style_new(style.encode(), None, None)
                out, length = ctypes.c_void_p(), ctypes.c_size_t()
                data = words.encode()
                status = self.lib.zorv_style_read(made, data, len(data), ctypes.byref(out), ctypes.byref(length))
                self.assertEqual(taken(status, out, length), (WORDS if read else MESSAGE, text))
                self.lib.zorv_style_free(made)
        for style, figures, words, agrees, text in expected_verifications():
            with self.subTest(style=style, figures=figures, words=words[:40]):
                made = self.lib.zorv_style_new(style.encode(), None, None)
                out, length = ctypes.c_void_p(), ctypes.c_size_t()
                status = self.lib.zorv_style_verify(made, figures.encode(), len(figures.encode()), words.encode(),
                                                    len(words.encode()), ctypes.byref(out), ctypes.byref(length))
                self.assertEqual(taken(status, out, length), (WORDS if agrees else MESSAGE, text))
                self.lib.zorv_style_free(made)

    def test_bytes_are_read_as_zorv_words_reads_them(self):
        # Each byte that begins no valid sequence is one U+FFFD, so 20,000 unfinished
        # two-byte sequences are 40,000 characters and put the point beyond the 16-bit
        # position; 20,000 single bad bytes do not.
        lines = [b"1\xff", b"\xe2\x82" * 20000 + b".5", b"\xff" * 20000 + b".5", b"\xc3\xa9", b"12\xf0\x9f\x98\x80"]
        run = subprocess.run([ZORV_WORDS, "--json"], input=b"\n".join(lines) + b"\n",
                             capture_output=True, check=False)
        answers = [json.loads(line) for line in run.stdout.splitlines()]
        self.assertEqual(len(answers), len(lines))
        for data, answer in zip(lines, answers):
            with self.subTest(data=data[:8]):
                expected = (WORDS, answer["words"]) if "words" in answer else (MESSAGE, answer["message"])
                self.assertEqual(self.convert(data), expected)
        self.assertEqual(answers[1]["message"], "Overflow")
        self.assertEqual(answers[2]["message"], "Type mismatch")

    @unittest.skipIf("asan" in os.environ.get("LD_PRELOAD", ""), "the sanitizer keeps freed memory in quarantine")
    def test_a_huge_input_gives_its_memory_back(self):
        def resident_mib():
            with open("/proc/self/statm") as statm:
                return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") / 2**20
        before = resident_mib()
        data = b"1" * (100 << 20)
        self.assertEqual(self.convert(data), (MESSAGE, "Overflow"))
        del data
        self.assertLess(resident_mib() - before, 32)

    def test_misuse_is_a_failure_not_a_crash(self):
        out, length = ctypes.c_void_p(1), ctypes.c_size_t(7)
        self.assertEqual(self.lib.zorv_convert(None, b"5", 1, ctypes.byref(out), ctypes.byref(length)), FAILURE)
        self.assertEqual((out.value, length.value), (None, 0))
        self.assertEqual(self.lib.zorv_convert(self.converter, None, 3, ctypes.byref(out), None), FAILURE)
        self.assertEqual(self.lib.zorv_convert(self.converter, None, 0, ctypes.byref(out), None), MESSAGE)
        self.lib.zorv_string_free(out)

    def test_typed_keys_are_kept_discarded_or_convert_as_in_the_window(self):
        convert, keep, discard = C["ZORV_KEY_CONVERT"], C["ZORV_KEY_KEEP"], C["ZORV_KEY_DISCARD"]
        cases = {13: convert, 8: keep, ord("."): keep, ord("/"): keep, ord("0"): keep, ord("9"): keep,
                 ord("-"): discard, ord(":"): discard, ord("a"): discard, 22: discard, 27: discard, 70000: discard}
        for code, action in cases.items():
            with self.subTest(code=code):
                self.assertEqual(self.lib.zorv_input_key_action(code), action)

    def test_version(self):
        self.assertEqual(self.lib.zorv_version(), b"1.00")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
