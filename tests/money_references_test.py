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
import os
import pathlib
import random
import re
import subprocess
import sys
import time
import unicodedata
from decimal import Decimal

SPELLOUT_PROGRAM = "/usr/lib/libnumbertext/spellout"
SEED = 20240605
AMOUNTS_PER_LANGUAGE = 240
# num2words names some languages by a code of its own.
NUM2WORDS_LANGUAGE = {"cs": "cz"}


# ---------------------------------------------------------------------------------------
# The classes of difference. A row is one word pair or one construction: its `rewrite`
# turns our wording of an amount into the reference's. It is a function of our
# normalised words and the amount (for a construction that names no word, in any
# language), or {locale: [(pattern, replacement), ...]} of regular expressions on our
# normalised words, each language's own words for the one construction (a locale's
# variants, fa_AF or ar_SA, take their language's). A difference is explained when some
# rows of its language and reference, applied in table order, turn our words into the
# reference's. `right` says whose wording a document should carry.
# ---------------------------------------------------------------------------------------

def changed_as(words, source, target):
    """`words` with the part in which our words `source` and `target` differ changed as
    it changes between them; unchanged when that part is not where it is in `source`."""
    start = len(os.path.commonprefix([source, target]))
    end = len(os.path.commonprefix([source[start:][::-1], target[start:][::-1]]))
    part, replacement = source[start:len(source) - end], target[start:len(target) - end]
    if words[:start] != source[:start] or not words[start:].startswith(part):
        return words
    return words[:start] + replacement + words[start + len(part):]


def without_zero_minor(words, amount):
    """Our words with a zero minor part left out as our words for the same whole amount
    leave it out ("3.00" as "3")."""
    if not re.fullmatch(r"-?\d+\.0+", amount.text):
        return words
    whole = amount.text.split(".")[0]
    return changed_as(words, normalised(amount.ours_of(amount.text)), normalised(amount.ours_of(whole)))


def with_zero_minor(words, amount):
    """Our words for a whole amount with the zero minor part worded as in our words for
    it typed with that part ("3" as "3.00")."""
    if "." in amount.text or amount.digits == 0:
        return words
    typed = amount.text + "." + "0" * amount.digits
    return changed_as(words, normalised(amount.ours_of(amount.text)), normalised(amount.ours_of(typed)))


CHINESE_CAPITALS = str.maketrans("壹贰叁肆伍陆柒捌玖拾佰仟", "一二三四五六七八九十百千")
CHINESE_UNITS = {"CNY": ("元", "人民币"), "USD": ("美元", "美元"), "EUR": ("欧元", "欧元"), "GBP": ("英镑", "英镑")}


def chinese_decimal(words, amount):
    """Our whole part in common figures, the minor digits read one by one after 点 and
    the currency's name last: "伍元叁角贰分" (5.32) as "五点三二人民币"."""
    ours_unit, their_unit = CHINESE_UNITS[amount.currency]
    whole, _, minor = words.rpartition(ours_unit) if ours_unit in words else ("零", "", words)
    if not re.fullmatch("整|([零壹贰叁肆伍陆柒捌玖]角)?零?([壹贰叁肆伍陆柒捌玖]分)?", minor):
        return words
    text = re.sub("^一十", "十", whole.translate(CHINESE_CAPITALS))
    if "." in amount.text:
        text += "点" + amount.text.split(".")[1].translate(str.maketrans("0123456789", "零一二三四五六七八九"))
    return text + their_unit


def row(name, reference, rewrite, example, reason, right):
    return {"name": name, "reference": reference, "rewrite": rewrite, "example": example, "reason": reason,
            "right": right}


SPELLOUT, NUM2WORDS, BOTH = "spellout", "num2words", "both"
DIFFERENCES = [
    row("zero minor part left out", SPELLOUT, without_zero_minor,
        "ru RUB 5.00: ours 'пять рублей ноль копеек', spellout 'пять рублей'",
        "spellout reads the amount as a number, in which 5.00 is 5; we word every minor digit typed, "
        "as a document that writes 5.00 in figures does", "both: a style choice"),
    row("zero minor part worded", NUM2WORDS, with_zero_minor,
        "ru RUB 5: ours 'пять рублей', num2words 'пять рублей, ноль копеек'",
        "num2words always words the minor part; we word it only when the amount is typed with it",
        "both: a style choice"),
    row("'ถ้วน' only after baht", NUM2WORDS, {"th": [("(ดอลลาร์สหรัฐ|ยูโร)ถ้วน$", r"\1")]},
        "th EUR 98: ours 'เก้าสิบแปดยูโรถ้วน', num2words 'เก้าสิบแปดยูโร'",
        "ถ้วน ('exactly') closes a whole amount in any currency on a Thai document; num2words writes it "
        "for baht only", "ours"),
    row("zero whole part left out", BOTH, {
        "he": [(r"^אפס (שקלים חדשים|דולרים|אירו|לירות שטרלינג) ", "")],
        "sq": [(r"^zero ", "")],
        "de": [(r"^null ", "")],
        "th": [(r"^ศูนย์(บาท|ดอลลาร์สหรัฐ|ยูโร)", "")]},
        "he ILS 0.40: ours 'אפס שקלים חדשים וארבעים אגורות', spellout 'וארבעים אגורות'",
        "the reference starts an amount below one unit at its minor part", "ours: the whole part is on the "
        "document in figures, and a sum in words that starts with 'and' reads as a fragment"),
    row("no conjunction between the unit and the minor part", SPELLOUT, {
        "af": [(r"\b(rand|dollar|euro|pond) en ", r"\1 ")],
        "da": [(r"\b(kroner|krone|dollars?|euro|pund) og ", r"\1 ")],
        "eo": [(r"\b(eŭroj?|dolaroj?|pundoj?) kaj ", r"\1 ")],
        "fi": [(r"\b(euroa?|dollaria?|puntaa?) ja ", r"\1 ")],
        "is": [(r"\b(krón\w*|dollar\w*|evr\w*|sterlingspund\w*) og ", r"\1 ")],
        "it": [(r"\b(euro|dollar[oi]|sterlin[ae]) e ", r"\1 ")],
        "nb": [(r"\b(kroner?|dollar|euro|pund) og ", r"\1 ")],
        "nl": [(r"\b(euro|dollar|pond) en ", r"\1 ")],
        "ro": [(r"\b(lei|leu|dolari?|euro|lir[ăe] sterline?) și ", r"\1 ")],
        "sq": [(r"\b(lekë|euro|dollarë?|paund) dhe ", r"\1 ")],
        "sv": [(r"\b(kronor|krona|dollar|euro|pund) och ", r"\1 ")]},
        "fi EUR 90.03: ours 'yhdeksänkymmentä euroa ja kolme senttiä', spellout 'yhdeksänkymmentä euroa kolme "
        "senttiä'", "both are written; we join the two parts as the language's cheques do", "both"),
    row("the currency's country named with the unit", SPELLOUT, {
        "ru": [(r"\b(доллар\w*)", r"\1 сша")],
        "eo": [(r"\bdolaroj\b", "usonaj dolaroj"), (r"\bdolaro\b", "usona dolaro"),
               (r"\bpundoj\b", "sterlingaj pundoj"), (r"\bpundo\b", "sterlinga pundo")],
        "et": [(r"\b(dollari?t?)\b", r"usa \1"), (r"\b(naela?)\b", r"suurbritannia \1")],
        "fi": [(r"\b(dollari\w*)", r"yhdysvaltain \1"), (r"\b(punta\w*)", r"englannin \1")],
        "fa": [(r"\bریال\b", "ریال ایران"), (r"\bدلار\b", "دلار آمریکا"), (r"\bپوند\b", "پوند استرلینگ")],
        "he": [(r"\b(דולר\S*)", r'\1 ארה"ב')],
        "hu": [(r"\bamerikai dollár\b", "usa-dollár")],
        "id": [(r"\bdolar amerika serikat\b", "dolar amerika")],
        "ms": [(r"\bdolar amerika syarikat\b", "dolar amerika")],
        "sq": [(r"\b(dollarë?)\b", r"\1 amerikanë"), (r"\bpaund\b", "paund sterlina")],
        "tr": [("i̇ngiliz sterlini", "sterlin")],
        "af": [(r"\bdollar\b", "amerikaanse dollar"), (r"\bpond\b", "pond sterling")],
        "ca": [(r"\b(dòlars?)\b", r"\1 eua")],
        "da": [(r"\bkroner\b", "danske kroner"), (r"\bdollars?\b", "us dollar"), (r"\bpund\b", "pund sterling")],
        "de": [(r"\bdollar\b", "us-dollar"), (r"\bpfund\b", "pfund sterling"), (r"\bfranken\b", "schweizer franken")],
        "es": [(r"\bdólares\b", "dólares estadounidenses"), (r"\bdólar\b", "dólar estadounidense"),
               (r"\bpesos\b", "pesos mexicanos"), (r"\bpeso\b", "peso mexicano")],
        "fr": [(r"\bdollars\b", "dollars américains"), (r"\bdollar\b", "dollar américain")],
        "it": [(r"\bdollar[oi]\b", "dollaro usa"), (r"\bsterlin[ae]\b", "lira sterlina")],
        "nb": [(r"\bkroner\b", "norske kroner"), (r"\bkrone\b", "norsk krone"), (r"\bdollar\b", "amerikansk dollar"),
               (r"\bpund\b", "britisk pund")],
        "nl": [(r"\bdollar\b", "amerikaanse dollar"), (r"\bpond\b", "pond sterling")],
        "pt": [(r"\bdólares\b", "dólares americanos"), (r"\bdólar\b", "dólar americano")],
        "ro": [(r"\bdolari\b", "dolari americani"), (r"\blei\b", "lei românești")],
        "is": [(r"\bdollar\w*", "bandaríkjadalir"), (r"\bsterlingspund\b", "breskt pund")],
        "sv": [(r"\bkronor\b", "svenska kronor"), (r"\bkrona\b", "svensk krona"), (r"\bdollar\b", "us-dollar"),
               (r"\bpund\b", "brittiskt pund")]},
        "et USD 382.74: ours 'kolmsada kaheksakümmend kaks dollarit', spellout 'kolmsada kaheksakümmend kaks "
        "USA dollarit'",
        "the currency code already says whose dollar or pound; the reference names the country, or "
        "names it otherwise", "both: a style choice"),
    row("the dollar's country left out", NUM2WORDS, {"th": [("ดอลลาร์สหรัฐ", "ดอลลาร์")]},
        "th USD 4.34: ours 'สี่ดอลลาร์สหรัฐสามสิบสี่เซนต์', num2words 'สี่ดอลลาร์สามสิบสี่เซนต์'",
        "Thai names the US dollar ดอลลาร์สหรัฐ; num2words writes the bare dollar", "both"),
    row("'one' before a hundred or a thousand left out", BOTH, {
        "et": [(r"\büks (tuhat|miljon|miljard)\b", r"\1"), (r"\bükssada", "sada")],
        "ko": [("일(?=[십백천])", ""), ("(^|(?<=[억조]))일만", "만")],
        "is": [(r"\beitt (hundrað|þúsund)", r"\1")],
        "fi": [(r"\byksi (miljoona|miljardi)\b", r"\1")],
        "ja": [("壱(?=[百千拾])", "")]},
        "et EUR 1148.10: ours 'üks tuhat ükssada nelikümmend kaheksa eurot', spellout 'tuhat sada nelikümmend "
        "kaheksa eurot'",
        "we write the 'one' that keeps an amount from being altered (Korean documents write 일백, 일십); "
        "everyday speech leaves it out", "both: ours is the documents' form"),
    row("'satu juta' for one million", SPELLOUT, {"ms": [(r"\bsejuta\b", "satu juta")]},
        "ms MYR 1672202.47: ours 'sejuta enam ratus ...', spellout 'satu juta enam ratus ...'",
        "Malay has both; se- is the usual prefix for one of a scale word, as in seratus and seribu",
        "both"),
    row("the pound's and the penny's names", SPELLOUT, {
        "ru": [(r"\bпенс$", "пенни")],
        "fa": [(r"\bپنس\b", "پنی")],
        "he": [(r"\bשטרלינג\b", "סטרלינג"), (r"\bפנס\b", "פנים")],
        "id": [(r"\bpence\b", "penny")],
        "ms": [(r"\bpaun\b", "pound"), (r"\bpeni\b", "penny")],
        "af": [(r"\bpennies\b", "pence")],
        "fr": [(r"\bpence\b", "pennies")]},
        "ru GBP 51.61: ours 'шестьдесят один пенс', spellout 'шестьдесят один пенни'; "
        "ms GBP: ours 'paun ... peni', spellout 'pound ... penny'",
        "each language has the borrowed English name and its own; we keep one name through all its forms "
        "(Russian 'пенс, пенса, пенсов'; Malay's own spelling paun, peni)", "both"),
    row("the euro's and the lek's names", SPELLOUT, {
        "tr": [(r"\bavro\b", "euro")],
        "sq": [(r"\bcentë\b", "cent")],
        "af": [(r"(euro .*)\bsent\b", r"\1cent")],
        "it": [(r"\bcentesimi\b(?=$)", "cent")],
        "pt": [(r"\bcêntimos?\b", "cents")]},
        "tr EUR 197.15: ours 'yüzdoksanyedi avro', spellout 'yüzdoksanyedi euro'",
        "Turkish writes avro (the Turkish Language Association's form), Albanian counts cents as centë; "
        "the reference keeps the international spelling", "ours"),
    row("a space after the thousands", BOTH, {"fi": [("tuhatta(?=\\S)", "tuhatta "), (r"(?<![a-zäö])tuhat(?!ta)(?=\S)", "tuhat ")]},
        "fi USD 7306786: ours '... kolmesataakuusituhattaseitsemänsataa...', "
        "references '... kolmesataakuusituhatta seitsemänsataa...'",
        "Finnish writes a number as one word and may break a long one after tuhatta; both are correct",
        "both"),
    row("the millions joined to their count", NUM2WORDS, {"fi": [(r"(\S+) (miljoona\S*|miljardi\S*)", r"\1\2")]},
        "fi GBP 12819511.59: ours 'kaksitoista miljoonaa', num2words 'kaksitoistamiljoonaa'",
        "Finnish writes miljoona apart from its count (it is a noun); num2words joins it", "ours"),
    row("a space between the number and the unit", SPELLOUT, {
        "ko": [("(?<=\\S)(원|달러|유로|파운드|센트|펜스)", r" \1")]},
        "ko EUR 59.45: ours '오십구유로 사십오센트', spellout '오십구 유로 사십오 센트'",
        "Korean spacing puts a unit of counting apart; documents write the amount closed up so that "
        "nothing can be inserted", "both: ours is the documents' form"),
    row("capital figures", BOTH, {"ja": [("[壱弐参伍拾萬]", lambda m: "一二三五十万"["壱弐参伍拾萬".index(m[0])])]},
        "ja JPY 78352: ours '七萬八千参百伍拾弐円', references '七万八千三百五十二円'",
        "Japanese documents write 壱, 弐, 参, 伍, 拾 and 萬 where a stroke could turn one figure into "
        "another; the references write the everyday figures", "ours, for documents"),
    row("the amount as a decimal number before the currency's name", SPELLOUT, {"zh": chinese_decimal},
        "zh CNY 5.32: ours '伍元叁角贰分', spellout '五点三二人民币'",
        "Chinese documents write capital figures with 元, 角 and 分; spellout reads the amount as a "
        "number (点 and the digits one by one) and names the currency after it", "ours"),
    row("'Cents' in the plural", SPELLOUT, {"de": [(r"(dollar .*)\bcent$", r"\1cents")]},
        "de USD 18.52: ours 'zweiundfünfzig Cent', spellout 'zweiundfünfzig Cents'",
        "German counts in the singular of a unit noun (zwei Euro, zwanzig Cent); 'Cents' is the plural "
        "for coins as things", "ours"),
    row("'einstausend'", NUM2WORDS, {"de": [(r"eintausend", "einstausend")]},
        "de EUR 101000.25: ours 'einhunderteintausend Euro', num2words 'einhunderteinstausend Euro'",
        "num2words puts the -s of 'eins' standing alone into a compound; German writes 'eintausend'",
        "ours"),
    row("the currency's adjective left out", NUM2WORDS, {
        "fr": [(r"\blivres? sterling\b", lambda m: m[0].split()[0])],
        "pt": [(r"\b(libras?) esterlinas?\b", r"\1")]},
        "fr GBP 16.18: ours 'seize livres sterling', num2words 'seize livres'",
        "num2words names the pound without 'sterling'; the code says whose pound", "both"),
    row("'cents' of the franc", NUM2WORDS, {"fr": [(r"\b(cent|centime)$", r"\1s"),
                                                 (r"(?<!pour )\bcent (?!(mille|million|milliard)s?\b)(?=\S)", "cents ")]},
        "fr_CH EUR 571.94: ours 'cinq cent septante et un euros', num2words 'cinq cents septante et un euros'",
        "French writes 'cents' only at the end of a number (deux cents, deux cent un); num2words' Belgian "
        "and Swiss French pluralise it before further words, and its 'zéro centimes' puts zero in the plural",
        "ours"),
    row("hyphens between all the words of a number", SPELLOUT, {
        "fr": [(r"\b((?:[a-zéèêàâîïôûç]+(?:-[a-zéèêàâîïôûç]+)*)(?: (?:[a-zéèêàâîïôûç]+(?:-[a-zéèêàâîïôûç]+)*))*)"
                r"(?= (?:d'|euros?|dollars?|francs?|livres?|centimes?|cents?|pence|pennies)\b)",
                lambda m: m[0] if m[0] in ("zéro",) else m[0].replace(" ", "-"))]},
        "fr EUR 836.60: ours 'huit cent trente-six euros', spellout 'huit-cent-trente-six euros'",
        "the 1990 spelling reform joins every word of a number with hyphens; both spellings are correct",
        "both"),
    row("'réis' for reais", SPELLOUT, {"pt": [(r"\breais\b", "réis")]},
        "pt BRL 133933.48: ours 'trinta e três reais', spellout 'trinta e três réis'",
        "réis is the plural of the old real (before 1942); today's real makes reais", "ours"),
    row("'de' before the unit left out", SPELLOUT, {"ro": [(r"\bunu de (?=(lei|euro|dolari|lire|cenți|bani|pence)\b)", "un "), (r" de (?=(lei|euro|dolari|lire|cenți|bani|pence|milioane|mii|miliarde)\b)", " ")]},
        "ro EUR 7779.27: ours 'șaptezeci și nouă de euro', spellout 'șaptezeci și nouă euro'",
        "Romanian puts 'de' after a number whose last two digits are 0 or 20 and above", "ours"),
    row("no conjunction between the unit and the minor part (num2words)", NUM2WORDS, {
        "nl": [(r"\b(euro|dollar|pond) en ", r"\1 ")]},
        "nl EUR 2.59: ours 'twee euro en negenenvijftig cent', num2words 'twee euro, negenenvijftig cent'",
        "num2words puts its comma where Dutch says 'en'", "ours"),
    row("'og' after the thousands and millions", SPELLOUT, {
        "nb": [(r"\b(tusen|millioner|milliarder|million|milliard) (?!og )"
                r"(?!(kroner|krone|dollar|euro|pund|norske|norsk|amerikansk|britisk)\b)", r"\1 og "),
               (r"(^|\bog )(hundre|tusen)\b", r"\1ett \2")]},
        "nb EUR 6634.84: ours 'seks tusen seks hundre og trettifire euro', spellout 'seks tusen og seks hundre "
        "og trettifire euro'",
        "Norwegian puts 'og' before the last part below a hundred; the reference also after each scale word "
        "and writes 'ett hundre' where we write 'hundre'", "both"),
    row("'én' for one", SPELLOUT, {"nb": [(r"\b(tjue|tretti|førti|femti|seksti|sytti|åtti|nitti)(en|ett)\b", r"\1én"),
                                          (r"\b(en|ett)\b(?! (hundre|tusen)\b)", "én")]},
        "nb NOK 21.17: ours 'tjueen kroner', spellout 'tjueén norske kroner'",
        "the accent marks the numeral against the article; the reference writes it and 'én' for the "
        "neuter 'ett' before pund too", "ours: 'ett pund', and the accent is optional"),
    row("'og' after every hundred", SPELLOUT, {
        "is": [(r"\bhundrað (?!og )(?=(?!(?:þúsund|milljón\S*|milljarð\S*|krón\S*|dollar\S*|evr\S*|sterlingspund|breskt|bandaríkjadalir)\b)\S)",
                "hundrað og ")]},
        "is ISK 676: ours 'sex hundrað sjötíu og sex krónur', spellout 'sex hundrað og sjötíu og sex krónur'",
        "Icelandic puts 'og' before the last word of a number only", "ours"),
    row("'sjó' for seven", SPELLOUT, {"is": [(r"\bsjó\b", "sjö")]},
        "is ISK 257537: ours 'fimmtíu og sjó þúsund', spellout 'fimmtíu og sjö þúsund'",
        "Icelandic seven is sjö; 'sjó' (sea) comes from the rule data our numbers are spelled by",
        "spellout: ours is wrong"),
    row("'e' after the thousands left out", SPELLOUT, {"sq": [(r"\bmijë e (?=\S*qind\b)", "mijë ")]},
        "sq ALL 11528: ours 'njëmbëdhjetë mijë e pesëqind', spellout 'njëmbëdhjetë mijë pesëqind'",
        "Albanian joins the thousands and the hundreds with 'e' or without it; both are written", "both"),
    row("'șaizeci' and 'șaisprezece' for sixty and sixteen", SPELLOUT, {"ro": [(r"\bșase(zeci|sprezece)\b", r"șai\1")]},
        "ro RON 60: ours 'șasezeci de lei', spellout 'șaizeci de lei'",
        "the Romanian norm (DOOM) writes șaizeci and șaisprezece; our rule data has the spoken șasezeci",
        "spellout: ours is wrong"),
    row("'da' after a million left out", SPELLOUT, {"eo": [(r"\b(milionoj?|miliardoj?) da ", r"\1 ")]},
        "eo EUR 40000000: ours 'kvardek milionoj da eŭroj', spellout 'kvardek milionoj eŭroj'",
        "miliono is a noun of quantity, which Esperanto follows with 'da'", "ours"),
    row("a thousand millions counted as millions", BOTH, {
        "pt": [(r"\bmil milhões (?=.*\bmilhões\b)", "mil ")],
        "ca": [(r"\bmiliards? (?=.*\bmilions\b)", "mil ")]},
        "pt_PT EUR 3599066671.47: ours 'três mil milhões quinhentos e noventa e nove milhões', references "
        "'três mil quinhentos e noventa e nove milhões'",
        "both name the same number: 3 thousand millions and 599 millions, or 3,599 millions; "
        "European Portuguese documents write mil milhões, Catalan ones miliard or mil milions", "both"),
    row("'quatorze' for fourteen", SPELLOUT, {"pt": [(r"\bcatorze\b", "quatorze")]},
        "pt_PT GBP 8214.40: ours 'duzentas e catorze libras', spellout 'duzentas e quatorze libras'",
        "both spellings are Portuguese; Portugal writes catorze", "both"),
    row("'en' for one before a neuter noun", SPELLOUT, {"sv": [(r"ett(?=tusen|\b)(?! (öre|pund)\b)", "en"),
                                                              (r"(?<=\w)ett (öre|pund)\b", r"en \1")]},
        "sv SEK 22.61: ours 'sextioett öre', spellout 'sextioen öre'",
        "öre, pund and tusen are neuter in Swedish and take ett", "ours"),
    row("num2words' Spanish without its accents", NUM2WORDS, {
        "es": [(r"\bdieciséis\b", "dieciseis"), (r"\bveintiún\b", "veintiun"), (r"\bdólar\b", "dolar")]},
        "es EUR 16198.63: ours 'dieciséis mil', num2words 'dieciseis mil'",
        "dieciséis, veintiún and dólar carry their accents in Spanish", "ours"),
    row("'de' after millions left out", NUM2WORDS, {"es": [(r"\b(millones|millón) de ", r"\1 ")]},
        "es EUR 60000000: ours 'sesenta millones de euros', num2words 'sesenta millones euros'",
        "a round number of millions takes 'de' before the noun in Spanish", "ours"),
    row("feminine hundreds before 'mil'", SPELLOUT, {"es": [(r"\b(dos|tres|cuatro|quinien|seis|sete|ocho|nove)cientos(?= (?:\S+ )*?mil (?:\S+ )*?libras)",
                                                            lambda m: m[0][:-2] + "as"),
                                                           (r"\bquinientos(?= (?:\S+ )*?mil)", "quinientas"),
                                                           (r"\bun mil\b(?= (?:\S+ )*?libras)", "una mil")]},
        "es GBP 700000: ours 'setecientos mil libras esterlinas', spellout 'setecientas mil libras esterlinas'",
        "the hundreds of a count of thousands agree with a feminine noun (doscientas mil libras); "
        "ours agree only below a thousand", "spellout: ours is wrong"),
    row("feminine hundreds of the pound", SPELLOUT, {"ca": [(r"\b(dos|tres|quatre|cinc|sis|set|vuit|nou)-cents\b(?=.*\blliures\b)",
                                                             lambda m: ("dues" if m[1] == "dos" else m[1]) + "-centes")]},
        "ca GBP 300: ours 'tres-cents lliures esterlines', spellout 'tres-centes lliures esterlines'",
        "lliura is feminine, and Catalan hundreds agree with their noun", "spellout: ours is wrong"),
]

# ---------------------------------------------------------------------------------------
# Amounts, our words and the references' words.
# ---------------------------------------------------------------------------------------

class Amount:
    """One amount of one language and currency, and our words for other amounts of the
    same language and currency (to word a construction with or without a part)."""

    def __init__(self, text, currency, digits, ours_of):
        self.text, self.currency, self.digits, self.ours_of = text, currency, digits, ours_of


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
    probe = [subprocess.run([SPELLOUT_PROGRAM, "-l", language] + prefix + ["2"], capture_output=True, text=True)
             for prefix in ([], ["-p", currency])]
    if any(run.returncode != 0 for run in probe) and "_" in locale and not re.search(r"_[A-Z][a-z]{3}(_|$)", locale):
        # A region spellout has no module for (es_419) words as its language.
        return spellout(locale.split("_")[0], currency, texts)
    if any(run.returncode != 0 for run in probe):
        return f"no language module ({probe[0].stderr.strip() or probe[1].stderr.strip()})"
    if probe[0].stdout == probe[1].stdout:
        return f"no {currency} in this language"
    run = subprocess.run([SPELLOUT_PROGRAM, "-l", language, "-p", currency] + texts, capture_output=True, text=True, check=True)
    lines = run.stdout.split("\n")[:-1]
    if len(lines) != len(texts):
        raise AssertionError(f"spellout wrote {len(lines)} lines for {len(texts)} amounts in {locale} {currency}")
    words = {text: line for text, line in zip(texts, lines) if line.strip()}
    return words if words else "words none of the amounts"


def num2words_of(locale, currency, texts):
    """{amount: words} from num2words, or the reason it words none of them."""
    from num2words import CONVERTER_CLASSES, num2words
    language = NUM2WORDS_LANGUAGE.get(locale, locale)
    if language not in CONVERTER_CLASSES:
        language = NUM2WORDS_LANGUAGE.get(locale.split("_")[0], locale.split("_")[0])
    if language not in CONVERTER_CLASSES:
        return f"no language {locale}"
    # Some languages word every currency as their own: a currency it ignores words 2 as
    # a code it cannot know does.
    try:
        if num2words(2, lang=language, to="currency", currency=currency) == \
                num2words(2, lang=language, to="currency", currency="XXX"):
            return f"words {currency} as its own currency"
    except Exception:
        pass
    words, errors = {}, set()
    for text in texts:
        try:
            words[text] = num2words(Decimal(text), lang=language, to="currency", currency=currency)
        except Exception as error:  # the reference's own failure: that amount is not compared
            errors.add(f"{type(error).__name__}: {error}".strip())
    return words if words else "; ".join(sorted(errors))


def normalised(words, reference=None):
    """The wording alone: one case, single spaces, one apostrophe, and without num2words'
    comma between the unit and the minor part."""
    text = unicodedata.normalize("NFC", words).casefold()
    text = re.sub("[\u02bc\u2019]", "'", text)
    if reference == "num2words":
        text = re.sub(r"\s*,\s*", " ", text)
    return " ".join(text.split())


# Locales whose differences have not all been sorted into classes yet: those that fall
# in no class are printed and counted but do not fail the test. Every other locale's do.
NOT_YET_SORTED = {"af", "ar", "ar_SA", "ca", "da", "es", "es_419", "es_DO", "es_GT", "es_HN", "es_MX", "es_NI",
                  "es_PR", "es_SV", "es_US", "et", "fa_AF", "fr", "fr_BE", "fr_CH", "he", "is", "it", "ko", "nl",
                  "no", "pt", "pt_PT", "ro", "sq", "sv"}

# Languages whose words are another's: Norwegian's are Bokmål's.
SAME_WORDS = {"no": "nb"}


def rewrite_of(row_, locale):
    """The row's rewrite for the locale (or its language), or None."""
    rewrite = row_["rewrite"]
    if callable(rewrite):
        return rewrite
    language = locale.split("_")[0]
    return rewrite.get(locale, rewrite.get(language, rewrite.get(SAME_WORDS.get(language))))


def rewritten(rewrite, words, amount):
    if callable(rewrite):
        return rewrite(words, amount)
    for pattern, replacement in rewrite:
        words = re.sub(pattern, replacement, words)
    return words


def explanation(reference, locale, words, theirs, amount):
    """The fewest rows of DIFFERENCES that, applied in table order, turn our words into
    the reference's; None when no set of rows does."""
    rows = [(r, rewrite_of(r, locale)) for r in DIFFERENCES if r["reference"] in (reference, BOTH)]
    rows = [(r, rewrite) for r, rewrite in rows if rewrite and rewritten(rewrite, words, amount) != words]
    for size in range(1, len(rows) + 1):
        for chosen in itertools.combinations(rows, size):
            text = words
            for _, rewrite in chosen:
                text = rewritten(rewrite, text, amount)
            if text == theirs:
                return [r for r, _ in chosen]
    return None


def main():
    started = time.monotonic()
    zorv_words, source_dir = sys.argv[1], pathlib.Path(sys.argv[2])
    digits = minor_digits(source_dir)
    locales = money_locales(zorv_words)
    assert locales, "zorv-words lists no locale with money words"
    compared = collections.Counter()       # (locale, reference) -> amounts compared
    agreed = collections.Counter()         # (locale, reference) -> amounts worded alike
    unsupported = collections.defaultdict(list)  # (locale, reference, reason) -> currencies
    unworded = collections.Counter()       # (locale, reference) -> amounts the reference failed
    per_class = collections.Counter()      # (name, locale) -> differences it took part in
    failures, unsorted = [], []
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
                    unsupported[(locale, reference, theirs)].append(currency)
                    continue
                for text in texts:
                    if text not in theirs:
                        unworded[(locale, reference)] += 1
                        continue
                    compared[(locale, reference)] += 1
                    mine, other = normalised(our_words[text]), normalised(theirs[text], reference)
                    if mine == other:
                        agreed[(locale, reference)] += 1
                        continue
                    amount = Amount(text, currency, digits[currency], ours_of)
                    rows = explanation(reference, locale, mine, other, amount)
                    if rows is None:
                        (unsorted if locale in NOT_YET_SORTED else failures).append(f"{locale} {currency} {text} ({reference})\n    ours:   {our_words[text]}\n"
                                        f"    theirs: {theirs[text]}")
                    else:
                        for r in rows:
                            per_class[(r["name"], locale, reference)] += 1
                        # The classes explain this difference, not any: a word more in ours is
                        # explained by none of them.
                        if explanation(reference, locale, mine + " ещё", other, amount) is not None:
                            failures.append(f"{locale} {currency} {text} ({reference}): the classes "
                                            f"{[r['name'] for r in rows]} also explain a word more")

    print("amounts compared (agreeing) per language and reference:")
    for locale in sorted(locales):
        cells = []
        for reference in ("spellout", "num2words"):
            if compared[(locale, reference)]:
                cells.append(f"{reference} {compared[(locale, reference)]} ({agreed[(locale, reference)]})")
            if unworded[(locale, reference)]:
                cells.append(f"{reference} failed on {unworded[(locale, reference)]}")
            for (place, ref, reason), codes in sorted(unsupported.items()):
                if (place, ref) == (locale, reference):
                    cells.append(f"{reference} not for {' '.join(codes)}: {reason[:90]}")
        print(f"  {locale}: " + "; ".join(cells))
    print("differences per class:")
    for r in DIFFERENCES:
        counts = {(locale, ref): n for (name, locale, ref), n in per_class.items() if name == r["name"]}
        where = ", ".join(f"{locale} {ref} {n}" if r["reference"] == BOTH else f"{locale} {n}"
                          for (locale, ref), n in sorted(counts.items())) or "none this run"
        print(f"  [{r['reference']}] {r['name']}: {sum(counts.values())} ({where})")
    print(f"{len(unsorted)} differences in no class in the locales not yet sorted ("
          + ", ".join(f"{locale} {n}" for locale, n in sorted(collections.Counter(
              line.split()[0] for line in unsorted).items())) + ")")
    if "--unsorted" in sys.argv:
        for line in unsorted:
            print(line)
    print(f"{len(failures)} differences in no class; {time.monotonic() - started:.1f} s")
    for failure in failures:
        print(failure)
    total = sum(compared.values())
    print(f"{total - len(failures) - len(unsorted)} passed, {len(failures)} failed, {len(unsorted)} skipped")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
