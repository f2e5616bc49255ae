"""Drives the web pages in headless Chromium with real key events: the classic page's
controls, keys and messages, the answers against zorv-words on the corpus, no network
request, and no accessibility violation (axe-core); the spelling module on the shared
tables; and the cheque writer: words on every keystroke, options, copy, the check panel
and printing to PDF.
    /usr/bin/python3 tests/web_test.py WEB_DIR ZORV_WORDS CORPUS_PROGRAM
"""
import base64
import json
import pathlib
import subprocess
import sys
import tempfile
import threading
import unittest
from functools import partial
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from support import (browser, c_constants, expected_outcomes, expected_readings, expected_styles, expected_verifications,
                     outcome_of, refused_styles, table, wait_ready)

WEB_DIR, ZORV_WORDS, CORPUS = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2], sys.argv[3]
AXE = pathlib.Path(__file__).parent / "web" / "node_modules" / "axe-core" / "axe.min.js"
TITLE = "Zorv Number to Word Converter"


def requested_urls(driver):
    urls = []
    for entry in driver.get_log("performance"):
        event = json.loads(entry["message"])["message"]
        if event["method"] == "Network.requestWillBeSent":
            urls.append(event["params"]["request"]["url"])
    return urls


def zorv_words(lines):
    run = subprocess.run([ZORV_WORDS, "--json"], input="\n".join(lines).encode() + b"\n", capture_output=True,
                         check=False)
    return [json.loads(line) for line in run.stdout.splitlines()]


def selenium_keys(row):
    """What Selenium sends for a key of the shared key table: named keys as WebDriver
    keys, characters as the text they type, modifiers held down."""
    *modifiers, key = row["key"].split("+") if row["key"] != "+" else ["+"]
    named = {"Return": Keys.RETURN, "Enter": Keys.ENTER, "Backspace": Keys.BACKSPACE, "Esc": Keys.ESCAPE,
             "Del": Keys.DELETE, "Left": Keys.LEFT, "Home": Keys.HOME, "Tab": Keys.TAB, "F1": Keys.F1}
    if key in named:
        typed = named[key]
    elif row.get("keypad") and key.isdigit():
        typed = getattr(Keys, "NUMPAD" + key)
    else:
        typed = row["text"] if not modifiers else key.lower()
    held = {"Ctrl": Keys.CONTROL, "Shift": Keys.SHIFT}
    return "".join(held[m] for m in modifiers) + typed + (Keys.NULL if modifiers else "")


class PageTest(unittest.TestCase):
    """One headless Chromium for the tests of a class, each test on the page `page` freshly loaded."""
    page = "index.html"

    @classmethod
    def setUpClass(cls):
        cls.driver = browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.driver.get((WEB_DIR / self.page).as_uri())
        wait_ready(self.driver)


class WebPageTest(PageTest):
    def setUp(self):
        super().setUp()
        self.txtnumber = self.driver.find_element(By.ID, "txtnumber")
        self.txtword = self.driver.find_element(By.ID, "txtword")
        self.cmdresult = self.driver.find_element(By.ID, "cmdresult")

    def active_id(self):
        return self.driver.execute_script("return document.activeElement.id")

    def value(self, element):
        return element.get_property("value")

    def set_output(self, text):
        self.driver.execute_script("arguments[0].value = arguments[1]", self.txtword, text)

    def message(self):
        """The open message's title and text, after closing it with OK; None when none is open."""
        if not self.driver.execute_script("return document.getElementById('message').open"):
            return None
        title = self.driver.find_element(By.ID, "message-title").text
        text = self.driver.find_element(By.ID, "message-text").text
        buttons = self.driver.find_elements(By.CSS_SELECTOR, "#message button")
        self.assertEqual([button.text for button in buttons], ["OK"])
        self.assertEqual(self.active_id(), "message-ok")
        buttons[0].send_keys(Keys.ENTER)
        self.assertFalse(self.driver.execute_script("return document.getElementById('message').open"))
        return title, text

    def test_typing_keeps_digits_points_slashes_and_backspace(self):
        cases = [("12a3", "123"), ("1.2.3/4", "1.2.3/4"), ("-5 +6", "56"), ("7\u00e9,8\u20ac", "78"),
                 ("123" + Keys.BACKSPACE + "4", "124")]
        for typed, kept in cases:
            with self.subTest(typed=typed):
                self.txtnumber.clear()
                self.set_output("earlier words")
                self.txtnumber.send_keys(typed)
                self.assertEqual(self.value(self.txtnumber), kept)
                self.assertEqual(self.value(self.txtword), "")

    def test_every_typed_character_empties_the_output_but_keys_typing_none_do_not(self):
        for keys in ("1", "a", Keys.BACKSPACE, Keys.ESCAPE, Keys.CONTROL + "v"):
            with self.subTest(keys=keys):
                self.set_output("Twelve ")
                self.txtnumber.send_keys(keys)
                self.assertEqual(self.value(self.txtword), "")
        self.txtnumber.clear()
        self.txtnumber.send_keys("123")
        self.set_output("words")
        self.txtnumber.send_keys(Keys.HOME, Keys.DELETE, Keys.RIGHT)
        self.assertEqual(self.value(self.txtnumber), "23")
        self.assertEqual(self.value(self.txtword), "words")

    def test_enter_and_the_button_show_the_words_from_their_start(self):
        self.txtnumber.send_keys("1234.05", Keys.ENTER)
        words = outcome_of("1234.05")
        self.assertEqual(self.value(self.txtword), words)
        self.assertEqual(self.value(self.txtnumber), "1234.05")
        self.set_output("")
        self.cmdresult.click()
        self.assertEqual(self.value(self.txtword), words)
        self.txtnumber.clear()
        self.txtnumber.send_keys("45." + "0" * 60 + "1", Keys.ENTER)
        self.assertTrue(self.value(self.txtword).startswith("Fourty Five point zero"))
        self.assertEqual(self.txtword.get_property("selectionStart"), 0)
        self.assertEqual(self.txtword.get_property("scrollLeft"), 0)

    def test_messages_are_modal_with_the_title_and_one_button_and_typing_goes_on(self):
        for typed, text in [(typed, outcome_of(typed)) for typed in ("", "1000000000000000", "1/2")]:
            with self.subTest(typed=typed):
                self.txtnumber.clear()
                self.txtnumber.send_keys(typed)
                self.set_output("earlier words")
                self.txtnumber.send_keys(Keys.ENTER)
                self.assertEqual(self.message(), (TITLE, text))
                self.assertEqual(self.value(self.txtword), "earlier words")
                self.assertEqual(self.active_id(), "txtnumber")
                self.driver.switch_to.active_element.send_keys("9")
                self.assertEqual(self.value(self.txtnumber), typed + "9")

    def test_the_output_box_takes_no_typed_character(self):
        self.set_output("Twenty Five ")
        self.txtword.click()
        self.txtword.send_keys(Keys.HOME, "a1 .", Keys.ENTER, Keys.BACKSPACE, Keys.CONTROL + "x")
        self.assertEqual(self.value(self.txtword), "Twenty Five ")
        self.txtword.send_keys(Keys.DELETE)  # no character: the box acts on it
        self.assertEqual(self.value(self.txtword), "wenty Five ")

    def test_pasted_text_is_not_filtered_but_text_from_an_input_method_is(self):
        self.txtnumber.send_keys("1")
        self.driver.execute_cdp_cmd("Input.insertText", {"text": "2a3"})  # an input method's commit
        self.assertEqual(self.value(self.txtnumber), "123")
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite",
                                                                                 "clipboardSanitizedWrite"]})
        self.driver.execute_async_script("navigator.clipboard.writeText('9a9').then(arguments[0]);")
        # The editing command Paste, as the context menu gives it, on a key that types nothing.
        for kind in ("rawKeyDown", "keyUp"):
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": "F13", "code": "F13",
                                                                    "commands": ["paste"]})
        self.assertEqual(self.value(self.txtnumber), "1239a9")
        self.txtnumber.send_keys(Keys.ENTER)
        self.assertEqual(self.message(), (TITLE, "Type mismatch"))

    def test_controls_have_the_windows_ids_texts_places_colours_and_font(self):
        self.assertEqual(self.driver.title, TITLE + " - Created by www.example.com")
        self.assertEqual(self.active_id(), "txtnumber")
        look = table("look")
        self.assertEqual(self.driver.title, look["title"])
        frame = self.driver.find_element(By.ID, "frmmain").rect
        self.assertEqual([frame["width"], frame["height"]], look["size"])
        for name, control in look["controls"].items():
            with self.subTest(control=name):
                box = self.driver.execute_script(
                    "const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                    "const f = document.getElementById('frmmain').getBoundingClientRect();"
                    "return [r.left - f.left, r.top - f.top, r.width, r.height];", name)
                self.assertEqual([round(v) for v in box], control["place"])
                element = self.driver.find_element(By.ID, name)
                self.assertEqual(element.value_of_css_property("font-weight"), "700" if look["font"]["bold"] else "400")
                self.assertEqual(element.value_of_css_property("font-size"), f"{look['font']['pixels']}px")
                self.assertTrue(element.value_of_css_property("font-family").startswith(look["font"]["family"]))
                if "text" in control:
                    self.assertEqual(element.text, control["text"])
                for side, css in (("color", "color"), ("background", "background-color")):
                    if side in control:
                        self.assertEqual(element.value_of_css_property(css), "rgba({}, {}, {}, 1)".format(*control[side]))

    def test_screen_readers_hear_names_and_axe_finds_no_violation(self):
        self.assertEqual(self.txtnumber.accessible_name, "Enter Number")
        self.assertEqual(self.txtword.accessible_name, "Number in words")
        self.txtnumber.send_keys(Keys.ENTER)
        dialog = self.driver.find_element(By.ID, "message")
        self.assertEqual(dialog.aria_role, "dialog")
        self.assertEqual(dialog.accessible_name, TITLE)
        for state in ("with the message open", "with the message closed"):
            with self.subTest(state=state):
                self.driver.execute_script(AXE.read_text())
                # The label's red on white is the window's own colour, at a contrast of 4.0 to 1
                # (axe asks 4.5 for text of this size); every other rule runs on every node.
                result = self.driver.execute_async_script(
                    "const done = arguments[arguments.length - 1];"
                    "axe.run({exclude: [], include: [document]},"
                    " {rules: {}}).then(r => done(r.violations.flatMap(v => v.nodes"
                    "  .filter(n => !(v.id === 'color-contrast' && n.target.join() === '#lblnumber'))"
                    "  .map(n => v.id + ': ' + n.target.join()))));")
                self.assertEqual(result, [])
                self.message()

    def test_answers_equal_zorv_words_on_the_corpus_and_nothing_is_requested(self):
        corpus = subprocess.run([CORPUS, "10000"], capture_output=True, check=True, text=True).stdout.splitlines()
        lines = corpus + ["", "0150", "1.2.3", "-5", "5.", "1000000000000000", "0.0000000000000000001", " 12 "]
        expected = zorv_words(lines)
        got = self.driver.execute_script("return arguments[0].map(t => window.zorvWords.convert(t));", lines)
        self.assertEqual(len(got), len(expected))
        for line, page, native in zip(lines, got, expected):
            if page["status"] == 0:
                self.assertEqual({"words": page["text"]}, {k: v for k, v in native.items() if k == "words"}, line)
            else:
                self.assertEqual(page["text"], native.get("message"), line)
        urls = requested_urls(self.driver)
        self.assertTrue(urls, "no request was seen at all")
        self.assertEqual([url for url in urls if not url.startswith(("file://", "data:"))], [])

    def test_every_text_of_the_shared_table_gets_its_outcome_with_the_status_the_header_declares(self):
        constants = c_constants()
        self.assertEqual(self.driver.execute_script("return window.zorvWords.module.constants"), constants)
        rows = expected_outcomes()
        got = self.driver.execute_script("return arguments[0].map(t => window.zorvWords.convert(t));",
                                         [typed for typed, _, _ in rows])
        for (typed, answered, text), page in zip(rows, got):
            with self.subTest(input=typed[:40]):
                self.assertEqual(page, {"status": constants["ZORV_WORDS" if answered else "ZORV_MESSAGE"], "text": text})

    def test_keys_become_the_codes_of_the_shared_table(self):
        # The page hands each code to the module's rule; a spy on that call sees it. The
        # module binds its export on the first call, which would replace the spy.
        self.driver.execute_script("""
            const module = window.zorvWords.module;
            module._zorv_input_key_action(0);
            const rule = module._zorv_input_key_action;
            window.seenCodes = [];
            module._zorv_input_key_action = (code) => { window.seenCodes.push(code); return rule(code); };""")
        for row in table("keys")["keys"]:
            with self.subTest(key=row["key"], keypad=row.get("keypad", False)):
                self.txtnumber.clear()
                self.txtnumber.click()
                self.driver.execute_script("window.seenCodes = []")
                self.txtnumber.send_keys(selenium_keys(row))
                self.message()  # Enter converts the empty box
                seen = self.driver.execute_script("return window.seenCodes")
                self.assertEqual(seen, [] if row["code"] is None else [row["code"]])

    def test_the_spelling_module_answers_every_row_of_the_styles_table(self):
        rows = [[style, number] for style, number, _, _ in expected_styles()]
        refused = [style for style, _ in refused_styles()]
        readings = [[style, words] for style, words, _, _ in expected_readings()]
        verifications = [[style, figures, words] for style, figures, words, _, _ in expected_verifications()]
        got = self.driver.execute_async_script("""
            const [rows, refused, readings, verifications, done] =
              [arguments[0], arguments[1], arguments[2], arguments[3], arguments[arguments.length - 1]];
            const script = document.createElement("script");
            script.src = "zorv-spell.js";
            script.onload = () => ZorvSpellModule().then((m) => {
              const put = (text) => { const bytes = new TextEncoder().encode(text + "\\0");
                                      const at = m._malloc(bytes.length); m.HEAPU8.set(bytes, at); return at; };
              const out = m._malloc(8);
              const taken = () => { const [at, length] = [m.HEAPU32[out >> 2], m.HEAPU32[(out + 4) >> 2]];
                                    const text = new TextDecoder().decode(m.HEAPU8.subarray(at, at + length));
                                    m._zorv_string_free(at); return text; };
              const answers = rows.map(([style, number]) => {
                const [s, n] = [put(style), put(number)];
                const made = m._zorv_style_new(s, 0, 0);
                const status = m._zorv_style_spell(made, n, new TextEncoder().encode(number).length, out, out + 4);
                m._zorv_style_free(made);
                [s, n].forEach((p) => m._free(p));
                return [status, taken()];
              });
              const errors = refused.map((style) => {
                const s = put(style);
                const made = m._zorv_style_new(s, out, out + 4);
                m._free(s);
                return [made, taken()];
              });
              const length = (text) => new TextEncoder().encode(text).length;
              const read = readings.map(([style, words]) => {
                const [s, w] = [put(style), put(words)];
                const made = m._zorv_style_new(s, 0, 0);
                const status = m._zorv_style_read(made, w, length(words), out, out + 4);
                m._zorv_style_free(made);
                [s, w].forEach((p) => m._free(p));
                return [status, taken()];
              });
              const verified = verifications.map(([style, figures, words]) => {
                const [s, f, w] = [put(style), put(figures), put(words)];
                const made = m._zorv_style_new(s, 0, 0);
                const status = m._zorv_style_verify(made, f, length(figures), w, length(words), out, out + 4);
                m._zorv_style_free(made);
                [s, f, w].forEach((p) => m._free(p));
                return [status, taken()];
              });
              const [s, n] = [put("plain,locale=ru"), put("609381.72")];
              const once = [m._zorv_spell(s, n, 9, out, out + 4), taken()];
              done({answers, errors, read, verified, once});
            });
            document.head.appendChild(script);""", rows, refused, readings, verifications)
        constants = c_constants()
        self.assertEqual(got["answers"], [[constants["ZORV_WORDS"] if answered else constants["ZORV_MESSAGE"], text]
                                          for _, _, answered, text in expected_styles()])
        self.assertEqual(got["errors"], [[0, message] for _, message in refused_styles()])
        self.assertEqual(got["read"], [[constants["ZORV_WORDS"] if read else constants["ZORV_MESSAGE"], text]
                                       for _, _, read, text in expected_readings()])
        self.assertEqual(got["verified"], [[constants["ZORV_WORDS"] if agrees else constants["ZORV_MESSAGE"], text]
                                           for _, _, _, agrees, text in expected_verifications()])
        self.assertEqual(got["once"], [constants["ZORV_WORDS"],
                                       "шестьсот девять тысяч триста восемьдесят одна целый семьдесят две сотых"])

    def test_a_failed_allocation_answers_that_conversion_only(self):
        got = self.driver.execute_script("""
            const {convert, module} = window.zorvWords, malloc = module._malloc;
            module._malloc = () => 0;
            const failed = convert("1".repeat(1000));
            module._malloc = malloc;
            return [failed, convert("12"), convert("1".repeat(1000))];""")
        self.assertEqual(got, [{"status": -1, "text": "Out of memory"}, {"status": 0, "text": "Twelve "},
                               {"status": 1, "text": table("outcomes")["messages"]["limit"]}])


def words_of(description, number):
    """zorv-words' words for `number` in the style `description`."""
    run = subprocess.run([ZORV_WORDS, "--json", "--style", description, "--", number], capture_output=True, text=True,
                         check=False)
    return json.loads(run.stdout).get("words", "")


def money_languages():
    """The currencies of each locale, as zorv-words --list-locales ends its line ("ru:
    spellout-numbering ... (money: RUB USD EUR GBP)"): none for a locale without money words."""
    run = subprocess.run([ZORV_WORDS, "--list-locales"], capture_output=True, text=True, check=True)
    return {line.split(":")[0]: line.split("(money:")[1].rstrip(")").split() if "(money:" in line else []
            for line in run.stdout.splitlines()}


class ChequePageTest(PageTest):
    """The cheque writer, cheque.html: words on every keystroke, options, copy, print and
    the check panel, with real keys in headless Chromium."""
    page = "cheque.html"

    def setUp(self):
        super().setUp()
        self.amount = self.driver.find_element(By.ID, "amount")

    def words(self):
        return self.driver.find_element(By.ID, "words").get_property("value")

    def choose(self, control, value):
        Select(self.driver.find_element(By.ID, control)).select_by_value(value)

    def test_the_words_follow_every_keystroke_and_every_option(self):
        self.assertEqual(self.driver.execute_script("return document.activeElement.id"), "amount")
        typed = ""
        for key in "1,234.05":
            self.amount.send_keys(key)
            typed += key
            with self.subTest(typed=typed):
                self.assertEqual(self.words(), words_of("cheque,currency=USD,width=60,fill=*", typed))
        for control, value, description in [
                ("currency", "INR", "cheque,currency=INR,width=60,fill=*"),
                ("case", "upper", "cheque,currency=INR,case=upper,width=60,fill=*"),
                ("style", "plain", "plain,case=upper,width=60,fill=*"),
                ("locale", "de", "plain,locale=de,width=60,fill=*")]:
            with self.subTest(control=control, value=value):
                self.choose(control, value)
                self.assertEqual(self.words(), words_of(description, "1,234.05"))
        self.amount.send_keys(Keys.BACKSPACE * 8, "1,23,4567")
        self.assertEqual(self.words(), "")
        self.assertEqual(self.driver.find_element(By.ID, "message").text,
                         next(text for style, number, _, text in expected_styles() if number == "1,23,4567"))
        urls = [url for url in requested_urls(self.driver) if not url.startswith("data:")]
        self.assertEqual(sorted(set(urls)), sorted((WEB_DIR / name).as_uri()
                                                   for name in ("cheque.html", "cheque.css", "zorv-spell.js", "cheque.js")))

    def test_copy_puts_the_words_on_the_clipboard(self):
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.amount.send_keys("77.10")
        self.driver.find_element(By.ID, "copy").click()
        copied = self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1]; navigator.clipboard.readText().then(done, e => done(String(e)));")
        self.assertEqual(copied, words_of("cheque,currency=USD,width=60,fill=*", "77.10"))

    def test_the_check_panel_marks_the_first_disagreeing_word(self):
        for figures, words, result, mark in [
                ("1234.05", "One Thousand Two Hundred Thirty-Four and 05/100 Dollars",
                 "The words agree with the figures: 1234.05.", None),
                ("1234.05", "One Thousand Two Hundred Thirty-Five and 05/100 Dollars",
                 "They disagree: the words say 1235.05, the figures 1234.05. "
                 "One Thousand Two Hundred Thirty-Five and 05/100 Dollars", "Five"),
                ("12", "Fourty-Twelve", "They disagree: 'Fourty-Twelve' is not a number: 'Twelve' cannot follow 'Fourty'. "
                 "Fourty-Twelve", "Fourty"),
                ("5", "-Five and 00/100 Dollars", "They disagree: '-' before the words: a negative number is written with its "
                 "word, as in 'minus five'. -Five and 00/100 Dollars", None),
                ("5", "Five and 00/100 Euros", "They disagree: the words are in another currency (EUR) than the style's USD. "
                 "Five and 00/100 Euros", "Euros")]:
            with self.subTest(words=words):
                for control, text in (("check-figures", figures), ("check-words", words)):
                    field = self.driver.find_element(By.ID, control)
                    field.clear()
                    field.send_keys(text)
                self.driver.find_element(By.ID, "check").send_keys(Keys.ENTER)
                self.assertEqual(self.driver.find_element(By.ID, "check-result").text, result)
                marks = self.driver.find_elements(By.CSS_SELECTOR, "#check-result mark")
                self.assertEqual([m.text for m in marks], [mark] if mark else [])

    def test_every_refusal_is_explained_and_only_what_a_description_takes_is_offered(self):
        message = lambda: self.driver.find_element(By.ID, "message").text
        self.amount.send_keys("5")
        width, fill = self.driver.find_element(By.ID, "width"), self.driver.find_element(By.ID, "fill")
        fill.send_keys(Keys.BACKSPACE, ",")  # the comma separates a description's options
        self.assertEqual(fill.get_property("value"), "")
        self.assertEqual(self.words(), words_of("cheque,currency=USD,width=60", "5"))
        fill.send_keys("#")
        width.clear()
        width.send_keys("10.5")
        self.assertEqual(self.words(), "")
        self.assertEqual(message(), "the option width= takes a number of characters from 10 to 9999")
        width.send_keys(Keys.BACKSPACE * 4, "40")
        self.assertEqual(self.words(), words_of("cheque,currency=USD,width=40,fill=#", "5"))

        # Ordinal only where the language has ordinal rules, by a gendered rule set if it has no other.
        self.choose("style", "plain")
        ordinal = self.driver.find_element(By.CSS_SELECTOR, '#style option[value="ordinal"]')
        for locale, offered in (("pl", False), ("fr", True), ("de", True), ("uk", False)):
            with self.subTest(locale=locale):
                self.choose("locale", locale)
                self.assertEqual(ordinal.is_enabled(), offered)
        self.choose("locale", "fr")
        self.choose("style", "ordinal")
        self.assertEqual(self.words(), words_of("ordinal,locale=fr,rules=spellout-ordinal-masculine,width=40,fill=#", "5"))
        self.assertFalse(self.driver.find_element(By.CSS_SELECTOR, '#locale option[value="pl"]').is_enabled())

        # A text longer than the library reads is refused, not answered by its beginning.
        too_long = "longer than 1 MiB (1,048,576 bytes), the most one text may be"
        set_text = "const e = document.getElementById(arguments[0]); e.value = arguments[1]; e.dispatchEvent(new Event('input'));"
        self.choose("locale", "en")
        self.choose("style", "money")
        self.driver.execute_script(set_text, "amount", "0" * (2 ** 20 - 1) + "12345")
        self.assertEqual((self.words(), message()), ("", too_long))
        self.driver.execute_script(set_text, "check-figures", "5")
        self.driver.execute_script(set_text, "check-words", "five" + " " * 2 ** 20 + " hundred dollars")
        self.driver.find_element(By.ID, "check").click()
        self.assertTrue(self.driver.find_element(By.ID, "check-result").text.startswith("They disagree: " + too_long + "."))

    def test_printed_words_stand_on_their_lines_with_the_fill(self):
        self.amount.send_keys("1234567.89")
        width = self.driver.find_element(By.ID, "width")
        width.clear()
        width.send_keys("30")
        expected = words_of("cheque,currency=USD,width=30,fill=*", "1234567.89").split("\n")
        self.assertGreater(len(expected), 2)
        pdf = base64.b64decode(self.driver.execute_cdp_cmd("Page.printToPDF", {"printBackground": True})["data"])
        with tempfile.TemporaryDirectory() as directory:
            path = pathlib.Path(directory) / "cheque.pdf"
            path.write_bytes(pdf)
            text = subprocess.run(["pdftotext", "-layout", str(path), "-"], capture_output=True, text=True, check=True).stdout
        printed = [line.strip() for line in text.splitlines() if line.strip()]
        self.assertEqual(printed, expected)

    def axe_violations(self):
        self.driver.execute_script(AXE.read_text())
        return self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "axe.run(document).then(r => done(r.violations.flatMap(v => v.nodes.map(n => v.id + ': ' + n.target.join()))));")

    def test_keyboard_alone_screen_readers_zoom_and_axe(self):
        order = []
        for _ in range(12):
            order.append(self.driver.execute_script("return document.activeElement.id"))
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
        # A cheque may be written in any language with money words: the language list takes focus.
        self.assertEqual(order, ["amount", "style", "currency", "case", "locale", "width", "fill", "copy", "print",
                                 "check-figures", "check-words", "check"])
        self.assertEqual(self.amount.accessible_name, "Amount")
        self.assertEqual(self.driver.find_element(By.ID, "words").accessible_name, "In words")
        size = lambda: float(self.driver.find_element(By.ID, "words").value_of_css_property("font-size")[:-2])
        before = size()
        self.driver.execute_script("document.documentElement.style.fontSize = '200%'")
        self.assertAlmostEqual(size(), 2 * before)
        self.driver.execute_script("document.documentElement.style.fontSize = ''")
        self.amount.send_keys("1234.05")
        self.assertEqual(self.axe_violations(), [])
        # Another language: its name and the words marked as that language's text.
        self.choose("locale", "ru")
        self.assertEqual(self.driver.find_element(By.ID, "words").get_attribute("lang"), "ru")
        self.assertEqual(self.axe_violations(), [])

    def test_money_and_cheques_in_each_language_with_money_words(self):
        languages = money_languages()
        width = self.driver.find_element(By.ID, "width")
        width.send_keys(Keys.CONTROL + "a" + Keys.NULL, Keys.BACKSPACE)  # no printed lines: the words alone
        for locale, style, amount, currency, words in [
                ("ru", "cheque", "1001.51", "RUB", "Одна тысяча один рубль пятьдесят одна копейка"),
                ("ru", "money", "2.05", "RUB", "два рубля пять копеек"),
                ("pl", "cheque", "104.12", "PLN", "Sto cztery złote dwanaście groszy"),
                ("zh", "cheque", "3006.70", "CNY", "叁仟零陆元柒角")]:
            with self.subTest(locale=locale, style=style):
                if not languages[locale]:
                    self.skipTest(f"zorv-words --list-locales names no money words for '{locale}' in this build")
                self.choose("style", style)
                self.choose("locale", locale)
                currencies = Select(self.driver.find_element(By.ID, "currency"))
                self.assertEqual([option.get_attribute("value") for option in currencies.options], languages[locale])
                self.assertEqual(currencies.first_selected_option.get_attribute("value"), currency)
                self.amount.clear()
                self.amount.send_keys(amount)
                description = f"{style},locale={locale},currency={currency}"
                self.assertEqual(self.driver.execute_script("return chequeWriter.description(true)"), description)
                self.assertEqual((self.words(), words_of(description, amount)), (words, words))

    def test_the_currency_list_follows_the_language_and_keeps_the_english_choice(self):
        english = [option.get_attribute("value") for option in Select(self.driver.find_element(By.ID, "currency")).options]
        self.amount.send_keys("3.01")
        for locale, currency, listed, description in [
                ("en", "INR", english, "cheque,currency=INR,width=60,fill=*"),
                ("ru", None, money_languages()["ru"], "cheque,locale=ru,currency=RUB,width=60,fill=*"),
                ("ru", "USD", money_languages()["ru"], "cheque,locale=ru,currency=USD,width=60,fill=*"),
                ("en", None, english, "cheque,currency=INR,width=60,fill=*")]:
            with self.subTest(locale=locale, currency=currency):
                self.choose("locale", locale)
                if currency:
                    self.choose("currency", currency)
                currencies = Select(self.driver.find_element(By.ID, "currency"))
                self.assertEqual([option.get_attribute("value") for option in currencies.options], listed)
                self.assertEqual(self.words(), words_of(description, "3.01"))

    def test_money_is_offered_only_in_languages_with_money_words_and_a_refusal_is_explained(self):
        languages = money_languages()
        without = next(locale for locale, currencies in languages.items() if not currencies and not locale.startswith("en"))
        option = lambda control, value: self.driver.find_element(By.CSS_SELECTOR, f'#{control} option[value="{value}"]')
        for style, locale, enabled in [("cheque", "ru", True), ("cheque", without, False), ("cheque", "en", True),
                                       ("money", without, False), ("british", "ru", False), ("plain", without, True)]:
            with self.subTest(style=style, locale=locale):
                self.choose("locale", "en")  # every style is offered in English
                self.choose("style", style)
                self.assertEqual(option("locale", locale).is_enabled(), enabled)
                self.choose("style", "plain")  # and every language in plain words
                self.choose("locale", locale)
                self.assertEqual(option("style", style).is_enabled(), enabled)
        # A language chosen by a script all the same: the library's refusal, no words.
        self.choose("locale", "en")
        self.choose("style", "cheque")
        self.amount.send_keys("5")
        self.driver.execute_script("const e = document.getElementById('locale'); e.value = arguments[0];"
                                   "e.dispatchEvent(new Event('change'));", without)
        self.assertEqual(self.words(), "")
        self.assertEqual(self.driver.find_element(By.ID, "message").text,
                         f"the locale '{without}' has no money words (--list-locales names the locales that have)")

    def test_the_check_panel_reads_and_marks_words_in_the_chosen_language(self):
        languages = money_languages()
        for style, locale, figures, words, mark in [
                ("cheque", "ru", "1001.51", "одна тысяча один рубль пятьдесят одна копейка", None),
                ("cheque", "ru", "1001.51", "Одна тысяча два рубля пятьдесят одна копейка", "два"),
                ("cheque", "pl", "104.12", "Sto pięć złotych dwanaście groszy", "pięć"),
                ("cheque", "zh", "3006.70", "叁仟零陆元捌角", "捌"),
                # the rules write "ein\u00ADtausend...": the soft hyphens are no words' ends
                ("plain", "de", "1234.56", "eintausendzweihundertvierunddreißig Komma fünf sieben", "sieben")]:
            with self.subTest(locale=locale, words=words):
                if style == "cheque" and not languages[locale]:
                    self.skipTest(f"zorv-words --list-locales names no money words for '{locale}' in this build")
                self.choose("style", "plain")  # every language has plain words
                self.choose("locale", locale)
                self.choose("style", style)
                description = self.driver.execute_script("return chequeWriter.description(false)")
                for control, text in (("check-figures", figures), ("check-words", words)):
                    field = self.driver.find_element(By.ID, control)
                    field.clear()
                    field.send_keys(text)
                self.driver.find_element(By.ID, "check").send_keys(Keys.ENTER)
                verified = subprocess.run([ZORV_WORDS, "--verify", "--style", description], input=f"{figures}\t{words}\n",
                                          capture_output=True, text=True, check=False)
                verdict = (f"The words agree with the figures: {figures}." if verified.returncode == 0 else
                           "They disagree: " + verified.stderr.split(": ", 2)[2].strip() + ". " + words)
                self.assertEqual(self.driver.find_element(By.ID, "check-result").text, verdict)
                self.assertEqual(verified.returncode == 0, mark is None)
                marks = self.driver.find_elements(By.CSS_SELECTOR, "#check-result mark")
                self.assertEqual([m.text for m in marks], [mark] if mark else [])

    def test_the_languages_are_listed_by_their_own_names(self):
        language = lambda value: self.driver.find_element(By.CSS_SELECTOR, f'#locale option[value="{value}"]')
        # "ccp": a language the browser has no names in, listed by its locale ID.
        for locale, name, lang in [("en", "English", "en"), ("de", "Deutsch", "de"), ("ru", "русский", "ru"),
                                   ("zh", "中文", "zh"), ("sr_Latn", "srpski (latinica)", "sr-Latn"),
                                   ("zh_Hant", "繁體中文", "zh-Hant"), ("ccp", "ccp", "")]:
            with self.subTest(locale=locale):
                self.assertEqual((language(locale).get_attribute("textContent"), language(locale).get_attribute("lang")),
                                 (name, lang))


class QuietHandler(SimpleHTTPRequestHandler):
    """Serves the page's files without logging each request."""

    def log_message(self, *args):
        pass


class StaticServerTest(unittest.TestCase):
    def test_the_page_works_from_a_static_server_and_asks_it_only_for_its_own_files(self):
        server = ThreadingHTTPServer(("127.0.0.1", 0), partial(QuietHandler, directory=str(WEB_DIR)))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        driver = browser()
        try:
            origin = f"http://127.0.0.1:{server.server_address[1]}/"
            driver.get(origin + "index.html")
            wait_ready(driver)
            driver.find_element(By.ID, "txtnumber").send_keys("21.34", Keys.ENTER)
            self.assertEqual(driver.find_element(By.ID, "txtword").get_property("value"),
                             "Twenty One point Thirty Four ")
            urls = [url for url in requested_urls(driver) if not url.startswith("data:")]
            self.assertEqual(sorted(set(urls)), sorted(origin + name for name in
                                                       ("index.html", "style.css", "zorv-words.js", "app.js")))
            driver.get(origin + "cheque.html")
            wait_ready(driver)
            driver.find_element(By.ID, "amount").send_keys("21.34")
            self.assertEqual(driver.find_element(By.ID, "words").get_property("value"),
                             words_of("cheque,currency=USD,width=60,fill=*", "21.34"))
            urls = [url for url in requested_urls(driver) if not url.startswith("data:")]
            self.assertEqual(sorted(set(urls) - {origin + name for name in ("index.html", "style.css", "zorv-words.js", "app.js")}),
                             sorted(origin + name for name in ("cheque.html", "cheque.css", "cheque.js", "zorv-spell.js")))
        finally:
            driver.quit()
            server.shutdown()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
