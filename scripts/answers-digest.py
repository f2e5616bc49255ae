#!/usr/bin/python3
"""One md5 over what zorv-words answers for a fixed input, in every style worth telling
apart: each preset, the styles of the shared tables, money and cheques in several
currencies, every locale with each of its rule sets, and --verify verdicts on words it
wrote itself, on words of the next line, and on the shared verification rows.

Two builds that answer alike print the same digest; a refactoring that must not change
an answer is checked by running this before and after it.
    scripts/answers-digest.py [ZORV_WORDS] [LINES]
"""
import hashlib
import json
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
WORDS = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build/release/cli/zorv-words")
LINES = int(sys.argv[2]) if len(sys.argv) > 2 else 400
CORPUS = ROOT / "build/release/bench/zorv_bench_corpus"

ODD = ["0", "-0", "-0.00", "+7", "1,234,567.891", "12,34,567.5", "0.005", "1.995", "2.5",
       "-12.345", "999999999999999.999999999999999", "1" + "0" * 60, "1e5", "", " 5 ", "1.",
       ".5", "1,23", "--1", "\u22125", "12a", "100000000000000000000001"]


def run(args, text):
    done = subprocess.run([WORDS, *args], input=text.encode(), capture_output=True, check=False)
    return done.stdout + b"\0" + done.stderr + b"\0" + str(done.returncode).encode() + b"\n"


def main():
    tables = json.loads((ROOT / "tests/data/styles.json").read_text())
    corpus = subprocess.run([str(CORPUS), str(LINES)], capture_output=True, text=True,
                            check=True).stdout.split("\n")[:-1]
    inputs = corpus + ODD + sorted({row[1] for row in tables["styles"]})
    text = "\n".join(inputs) + "\n"

    styles = ["classic", "plain", "british", "ordinal", "indian", "money", "cheque"]
    styles += sorted({row[0] for row in tables["styles"]})
    for code in ("USD", "EUR", "GBP", "INR", "JPY", "KWD", "CHF"):
        styles += [f"money,currency={code}", f"cheque,currency={code},width=40,fill=*",
                   f"money,currency={code},minor=digits,only=on,first=on,case=upper",
                   f"money,currency={code},round=half-even", f"cheque,currency={code},round=half-up"]
    locales = run(["--list-locales"], "").split(b"\0")[0].decode().splitlines()
    for line in locales:
        tag, rule_sets = line.split(" (money:")[0].split(":")
        styles.append(f"plain,locale={tag}")
        styles += [f"plain,locale={tag},rules={name}" for name in rule_sets.split()]
        styles.append(f"ordinal,locale={tag}")

    digest = hashlib.md5()
    for style in dict.fromkeys(styles):
        answers = run(["--json", "--style", style], text)
        digest.update(style.encode() + b"\n" + answers)
        if style.startswith(("classic", "plain,locale", "ordinal,locale")):
            continue
        words = [json.loads(line).get("words") for line in answers.split(b"\0")[0].splitlines()]
        pairs = [(figures, said) for figures, said in zip(inputs, words) if said]
        shifted = [(figures, pairs[(i + 1) % len(pairs)][1]) for i, (figures, _) in enumerate(pairs)]
        lines = "".join(f"{f}\t{w}\n" for f, w in pairs + shifted)
        digest.update(run(["--verify", "--json", "--style", style], lines))
    for style, figures, said, _ in tables["verifications"]:
        digest.update(run(["--verify", "--json", "--style", style], f"{figures}\t{said}\n"))
    digest.update(run(["--json"], text))
    print(digest.hexdigest(), f"{len(dict.fromkeys(styles))} styles, {len(inputs)} inputs")


if __name__ == "__main__":
    main()
