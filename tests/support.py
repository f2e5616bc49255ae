"""What the Python tests and scripts share: the tables of data/ that every suite reads,
the C interface's constants as its header declares them, and headless Chromium with
the page loaded and ready."""
import json
import pathlib
import re
import time

TESTS = pathlib.Path(__file__).resolve().parent
ROOT = TESTS.parent
HEADER = ROOT / "words" / "include" / "zorv" / "words.h"


def table(name):
    """The object held in data/NAME.json."""
    return json.loads((TESTS / "data" / f"{name}.json").read_text(encoding="utf-8"))


def expected_outcomes():
    """(input, answered, words or message) for each row of the shared table, in order."""
    outcomes = table("outcomes")
    return [(row["input"], "words" in row, row["words"] if "words" in row else outcomes["messages"][row["message"]])
            for row in outcomes["outcomes"]]


def outcome_of(text):
    """The words or message the shared table gives for `text`."""
    return next(answer for typed, _, answer in expected_outcomes() if typed == text)


def expected_styles():
    """(style, number, answered, words or message) for each row of data/styles.json."""
    return [(style, number, "words" in outcome, outcome.get("words", outcome.get("message")))
            for style, number, outcome in table("styles")["styles"]]


def expected_readings():
    """(style, words, read, number or message) for each row of "readings" in data/styles.json."""
    return [(style, words, "number" in outcome, outcome.get("number", outcome.get("message")))
            for style, words, outcome in table("styles")["readings"]]


def expected_verifications():
    """(style, figures, words, agrees, number or message) for each row of "verifications"."""
    return [(style, figures, words, "number" in outcome, outcome.get("number", outcome.get("message")))
            for style, figures, words, outcome in table("styles")["verifications"]]


def refused_styles():
    """(description, message) for each description data/styles.json refuses."""
    return [tuple(row) for row in table("styles")["refused styles"]]


def c_constants():
    """Every ZORV_ enumerator of the C interface's header, by name."""
    return {name: int(value) for name, value in re.findall(r"\b(ZORV_[A-Z_]+) = (-?\d+)", HEADER.read_text())}


def browser():
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service

    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", "--window-size=800,400", "--allow-file-access-from-files"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_ready(driver):
    for _ in range(200):
        if driver.execute_script("return document.documentElement.dataset.ready") == "true":
            return
        time.sleep(0.02)
    raise AssertionError("the page never became ready")
