"""The SQL functions in a real SQLite and a real PostgreSQL cluster, through
scripts/sql.sh: every row of the shared tables (the classic answers, the styles, the
readings, the verifications and the refused descriptions), NULL in and out, exact
numbers, and the errors' SQLSTATEs and messages.
    tests/sql_test.py sqlite|postgresql"""
import json
import pathlib
import re
import subprocess
import sys
import tempfile
import unittest

from support import ROOT, expected_outcomes, expected_readings, expected_styles, expected_verifications, refused_styles

ENGINE = sys.argv[1] if len(sys.argv) > 1 else "sqlite"
BAD_NUMBER, BAD_STYLE = "22P02", "22023"


def literal(text):
    """`text` as an SQL expression on one line: a string literal, its line breaks
    joined in by the engine's function for a character."""
    character = "char(10)" if ENGINE == "sqlite" else "chr(10)"
    return f" || {character} || ".join("'" + part.replace("'", "''") + "'" for part in text.split("\n"))


def cases():
    """(SQL expression, expected): expected is ("ok", value) or ("error", SQLSTATE, message); a
    number is compared as the text the engine writes."""
    rows = []
    for text, answered, answer in expected_outcomes():
        rows.append((f"zorv_classic({literal(text)})", ("ok", answer) if answered else ("error", BAD_NUMBER, answer)))
    for style, number, answered, answer in expected_styles():
        expected = ("ok", answer) if answered else ("error", BAD_NUMBER, answer)
        rows.append((f"zorv_spell({literal(number)}, {literal(style)})", expected))
    for style, words, read, answer in expected_readings():
        # A number comes back as the engine writes it: text in SQLite, numeric in PostgreSQL.
        expected = ("ok", answer) if read else ("error", BAD_NUMBER, answer)
        rows.append((f"zorv_read({literal(words)}, {literal(style)})", expected))
    true, false = ("1", "0") if ENGINE == "sqlite" else (True, False)
    for style, figures, words, agrees, _ in expected_verifications():
        rows.append((f"zorv_verify({literal(figures)}, {literal(words)}, {literal(style)})", ("ok", true if agrees else false)))
    for description, message in refused_styles():
        rows.append((f"zorv_spell('5', {literal(description)})", ("error", BAD_STYLE, message)))
    rows += [
        ("zorv_spell('21')", ("ok", "twenty-one")),  # the default style, plain
        ("zorv_read('Twenty-One')", ("ok", "21")),
        ("zorv_verify('21', 'twenty one')", ("ok", true)),
        ("zorv_spell(NULL, 'plain')", ("ok", None)),
        ("zorv_spell('5', NULL)", ("ok", None)),
        ("zorv_classic(NULL)", ("ok", None)),
        ("zorv_read(NULL, 'plain')", ("ok", None)),
        ("zorv_verify('5', NULL, 'plain')", ("ok", None)),
        ("zorv_spell(-7, 'money')", ("ok", "minus seven dollars")),
    ]
    if ENGINE == "sqlite":
        rows += [
            # INTEGER exactly, REAL through SQLite's own text of it (15 significant digits).
            ("zorv_spell(9007199254740993, 'plain')",
             ("ok", "nine quadrillion seven trillion one hundred ninety-nine billion two hundred fifty-four million "
                    "seven hundred forty thousand nine hundred ninety-three")),
            ("zorv_spell(1234.05, 'cheque')", ("ok", "One Thousand Two Hundred Thirty-Four and 05/100 Dollars")),
            ("zorv_spell(0.1 + 0.2, 'plain')", ("ok", "zero point three")),
        ]
    else:
        rows += [
            # numeric exactly, at any scale, exponents included.
            ("zorv_spell(1234.05::numeric, 'cheque')", ("ok", "One Thousand Two Hundred Thirty-Four and 05/100 Dollars")),
            ("zorv_spell(0.1::numeric + 0.2::numeric, 'plain')", ("ok", "zero point three")),
            ("zorv_spell('1E+3'::numeric, 'plain')", ("ok", "one thousand")),
            ("zorv_spell(12345678901234567890123.4500::numeric, 'plain')",
             ("ok", "twelve sextillion three hundred forty-five quintillion six hundred seventy-eight quadrillion "
                    "nine hundred one trillion two hundred thirty-four billion five hundred sixty-seven million eight "
                    "hundred ninety thousand one hundred twenty-three point four five zero zero")),
            ("zorv_spell('NaN'::numeric, 'plain')", ("error", BAD_NUMBER, "not a number")),
            ("zorv_read('one hundred and five', 'british') + 1", ("ok", "106")),
        ]
    return rows


def script(rows):
    """One statement per line: each prints one line, or in SQLite fails with a report
    on standard error that names its line."""
    if ENGINE == "sqlite":
        # After each row a line of its own, which prints even when the row fails.
        lines = [".bail off"] + [line for sql, _ in rows for line in (f"SELECT json_quote({sql});", "SELECT '-';")]
    else:
        lines = [
            # Each row's value as JSON, or its error's SQLSTATE and message.
            "CREATE FUNCTION pg_temp.outcome(call text) RETURNS text LANGUAGE plpgsql AS $$ DECLARE answer json; "
            "BEGIN EXECUTE 'SELECT to_json(' || call || ')' INTO answer; RETURN 'ok ' || coalesce(answer::text, 'null'); "
            "EXCEPTION WHEN others THEN RETURN 'error ' || SQLSTATE || ' ' || SQLERRM; END $$;"]
        lines += ["SELECT pg_temp.outcome(" + literal(sql) + ");" for sql, _ in rows]
    return "\n".join(lines) + "\n"


def run(text):
    with tempfile.NamedTemporaryFile("w", suffix=".sql", encoding="utf-8") as file:
        file.write(text)
        file.flush()
        return subprocess.run([str(ROOT / "scripts" / "sql.sh"), ENGINE, file.name], capture_output=True, text=True)


def outcomes(rows, result):
    """What each row gave: ("ok", value) or ("error", SQLSTATE, message)."""
    value = lambda text: json.loads(text, parse_int=str, parse_float=str)
    if ENGINE == "sqlite":
        # The report of a failed statement names its line: row i stands on line 2i + 2.
        errors = {int(line): message for line, message in
                  re.findall(r"^(?:Runtime|Parse) error near line (\d+): (.*)$", result.stderr, re.M)}
        values = result.stdout.split("-\n")
        return [("error", None, errors.get(2 * i + 2)) if not values[i] else ("ok", value(values[i]))
                for i in range(len(rows))]
    got = []
    for line in result.stdout.splitlines():
        kind, rest = line.split(" ", 1)
        got.append(("ok", value(rest)) if kind == "ok" else ("error", *rest.split(" ", 1)))
    return got


class SqlFunctionsTest(unittest.TestCase):
    def test_every_row_of_the_shared_tables(self):
        rows = cases()
        result = run(script(rows))
        if ENGINE == "postgresql":
            self.assertEqual(result.returncode, 0, result.stderr)
        got = outcomes(rows, result)
        self.assertEqual(len(got), len(rows), result.stdout + result.stderr)
        for (sql, expected), outcome in zip(rows, got):
            with self.subTest(sql=sql):
                if ENGINE == "sqlite" and expected[0] == "error":
                    expected = ("error", None, expected[2])  # SQLite has no SQLSTATE
                self.assertEqual(outcome, expected)

    def test_an_error_stops_the_run(self):
        result = run("SELECT zorv_spell('1');\nSELECT zorv_spell('x');\nSELECT zorv_spell('2');\n")
        self.assertNotEqual(result.returncode, 0)
        self.assertEqual(result.stdout, "one\n")
        self.assertIn("not a number", result.stderr)

    def test_the_functions_can_index_and_generate(self):
        # Deterministic (SQLite) and immutable (PostgreSQL): usable in an index and a
        # generated column.
        text = ("CREATE TABLE invoice (amount text, words text GENERATED ALWAYS AS (zorv_spell(amount, 'cheque')) STORED);\n"
                "CREATE INDEX invoice_words ON invoice (zorv_spell(amount, 'money'));\n"
                "INSERT INTO invoice (amount) VALUES ('1234.05'), ('7');\n"
                "SELECT words FROM invoice ORDER BY amount;\n")
        result = run(text)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "One Thousand Two Hundred Thirty-Four and 05/100 Dollars\nSeven and 00/100 Dollars\n")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
