"""Entity extraction, one-entity readings and entities through normalize()."""

import json

import pytest

from kalvesta import entity_to_spoken, extract_entities, normalize

LANGS = ["ms", "id", "en", "zh", "zh_my"]


def _ids(v):
    return str(v)[:28]


# ---- extract_entities ----

EXTRACT = [
    ("empty", "", "", []),
    ("email-not-also-url", "mail ali@contoh.com now", "mail <<<EMAIL_1>>> now",
     [("EMAIL", "ali@contoh.com", 1)]),
    ("ip-is-url-then-versions", "ip 192.168.1.1 v 1.2.3 and 10.0.19045",
     "ip <<<URL_1>>> v <<<VERSION_2>>> and <<<VERSION_3>>>",
     [("URL", "192.168.1.1", 1), ("VERSION", "1.2.3", 2), ("VERSION", "10.0.19045", 3)]),
    ("year-first-dotted-untouched", "on 2024.01.15 ok", "on 2024.01.15 ok", []),
    ("money-scale-letter-kept", "RM 12.50, USD1,000, $5 and RM5K",
     "<<<CURRENCY_1>>>, <<<CURRENCY_2>>>, <<<CURRENCY_3>>> and <<<CURRENCY_4>>>",
     [("CURRENCY", "RM 12.50", 1), ("CURRENCY", "USD1,000", 2), ("CURRENCY", "$5", 3),
      ("CURRENCY", "RM5K", 4)]),
    # The dotted date is a VERSION: VERSION scans first and refuses only a 4-digit head.
    ("dates-and-dotted-version",
     "12/05/2024 2024-05-12 12-05-2024 12.05.2024 5 May 2024 May 5, 2024 5 may 2024",
     "<<<DATE_2>>> <<<DATE_3>>> 12-05-2024 <<<VERSION_1>>> <<<DATE_4>>> <<<DATE_5>>> 5 may 2024",
     [("VERSION", "12.05.2024", 1), ("DATE", "12/05/2024", 2), ("DATE", "2024-05-12", 3),
      ("DATE", "5 May 2024", 4), ("DATE", "May 5, 2024", 5)]),
    ("seconds", "at 12:30:45 sharp", "at <<<TIME_1>>> sharp", [("TIME", "12:30:45", 1)]),
    ("period-words", "7:30 PM, 7:30 pagi, 7.30pm", "<<<TIME_1>>>, <<<TIME_2>>>, 7.30pm",
     [("TIME", "7:30 PM", 1), ("TIME", "7:30 pagi", 2)]),
    ("ids-follow-kind-order", "12/05/2024 then a@b.com", "<<<DATE_2>>> then <<<EMAIL_1>>>",
     [("EMAIL", "a@b.com", 1), ("DATE", "12/05/2024", 2)]),
    ("url-carrying-email", "see http://x.com/?u=a@b.com ok", "see <<<URL_2>>> ok",
     [("EMAIL", "a@b.com", 1), ("URL", "http://x.com/?u=<<<EMAIL_1>>>", 2)]),
    ("phones", "call +6012-345 6789, 1-300-88-1234 or 15454",
     "call <<<PHONE_1>>>, <<<PHONE_2>>> or <<<PHONE_3>>>",
     [("PHONE", "+6012-345 6789", 1), ("PHONE", "1-300-88-1234", 2), ("PHONE", "15454", 3)]),
    ("six-shared-kinds", "30°C 3/4 3x 880101-14-5678 15hb 1445H",
     "<<<TEMPERATURE_1>>> <<<FRACTION_2>>> <<<X_KALI_3>>> <<<IC_4>>> <<<HARI_BULAN_5>>> <<<HIJRI_6>>>",
     [("TEMPERATURE", "30°C", 1), ("FRACTION", "3/4", 2), ("X_KALI", "3x", 3),
      ("IC", "880101-14-5678", 4), ("HARI_BULAN", "15hb", 5), ("HIJRI", "1445H", 6)]),
    ("slash-address-before-fraction", "Jalan SS2/24 and Lorong 5 / 3",
     "<<<ADDRESS_SLASH_1>>> and <<<ADDRESS_SLASH_2>>>",
     [("ADDRESS_SLASH", "Jalan SS2/24", 1), ("ADDRESS_SLASH", "Lorong 5 / 3", 2)]),
    ("typed-placeholder-kept", "<<<URL_9>>> typed", "<<<URL_9>>> typed", []),
    # A typed copy of a real placeholder is indistinguishable from it.
    ("typed-copy-of-real-one", "x <<<EMAIL_1>>> a@b.com", "x <<<EMAIL_1>>> <<<EMAIL_1>>>",
     [("EMAIL", "a@b.com", 1)]),
]


@pytest.mark.parametrize("name,text,protected,entities", EXTRACT, ids=[c[0] for c in EXTRACT])
def test_extract_entities(name, text, protected, entities):
    assert extract_entities(text) == (protected, entities)


MIXED = "a@b.com 1.2.3 12/05/2024 7:30 pm RM5 30°C 3/4 3x 15hb 1445H Jalan SS2/24"

FILTERS = [
    ("date-time-hijri", ["DATE", "TIME", "FOO", "HIJRI"],
     [("DATE", "12/05/2024", 1), ("TIME", "7:30 pm", 2), ("HIJRI", "1445H", 3)]),
    ("slash-and-fraction", ("FRACTION", "ADDRESS_SLASH"),
     [("ADDRESS_SLASH", "Jalan SS2/24", 1), ("FRACTION", "3/4", 2)]),
    ("unknown-only", ["FOO", "date"], []),
    ("all-tags-same-ids", ["URL", "EMAIL", "PHONE", "VERSION", "CURRENCY", "DATE", "TIME",
                           "TEMPERATURE", "ADDRESS_SLASH", "FRACTION", "X_KALI", "IC",
                           "HARI_BULAN", "HIJRI"], None),
]


@pytest.mark.parametrize("name,tags,want", FILTERS, ids=[c[0] for c in FILTERS])
def test_tag_filter_renumbers_but_never_filters_the_text(name, tags, want):
    protected, everything = extract_entities(MIXED)
    assert protected == ("<<<EMAIL_1>>> <<<VERSION_2>>> <<<DATE_4>>> <<<TIME_5>>> <<<CURRENCY_3>>> "
                         "<<<TEMPERATURE_6>>> <<<FRACTION_8>>> <<<X_KALI_9>>> <<<HARI_BULAN_10>>> "
                         "<<<HIJRI_11>>> <<<ADDRESS_SLASH_7>>>")
    got_text, got = extract_entities(MIXED, tags)
    assert got_text == protected
    assert got == (everything if want is None else want)


# ---- entity_to_spoken ----

def _row(tag, text, ms, id_, en, zh, zh_my):
    return [(tag, text, lang, want) for lang, want in zip(LANGS, (ms, id_, en, zh, zh_my))]


SPOKEN = [
    *_row("URL", "https://www.example.com:8080/a-b?x=1&y=2",
          "h t t p s colon slash slash w w w dot example dot com colon lapan kosong lapan kosong "
          "slash a dash b question mark x equals satu and y equals dua",
          "h t t p s colon slash slash w w w dot example dot com colon delapan nol delapan nol "
          "slash a dash b question mark x equals satu and y equals dua",
          "h t t p s colon slash slash w w w dot example dot com colon eight zero eight zero "
          "slash a dash b question mark x equals one and y equals two",
          "h t t p s 冒号斜杠斜杠w w w 点 example点com:八 零 八 零斜杠a杠b 问号 x 等于 一 和 y 等于 二",
          "h t t p s 冒号 slash slash w w w 点 example点com:八 零 八 零斜杠a杠b 问号 x 等于 一 和 y 等于 二"),
    # Capital WWW is no www prefix; star and bang depend on the exact code.
    *_row("URL", "WWW.abc2.com/*x!",
          "WWW dot abcdua dot com slash x", "WWW dot abcdua dot com slash star x!",
          "WWW dot abctwo dot com slash x", "WWW点abc二点com斜杠 星号 x!", "WWW点abc二点com斜杠 星号 x!"),
    *_row("EMAIL", "john_doe99+tag@mail-box.com",
          "john underscore doe sembilan sembilan plus tag at mail dash box dot com",
          "john underscore doe sembilan sembilan plus tag at mail dash box dot com",
          "john underscore doe nine nine plus tag at mail dash box dot com",
          "john下划线doe九 九加tag艾特mail杠box点com", "john下划线doe九 九加tag艾特mail杠box点com"),
    *_row("PHONE", "+60 12-345 6789",
          "enam kosong satu dua tiga empat lima enam tujuh lapan sembilan",
          "enam nol satu dua tiga empat lima enam tujuh delapan sembilan",
          "six zero one two three four five six seven eight nine",
          "六 零 一 二 三 四 五 六 七 八 九", "六 零 一 二 三 四 五 六 七 八 九"),
    *_row("VERSION", "1..2", "satu point kosong point dua", "satu point nol point dua",
          "one point zero point two", "satu point kosong point dua", "satu point kosong point dua"),
    *_row("CURRENCY", "$5", "lima dollar", "lima dolar", "five dollar", "五美元", "五美金"),
    *_row("CURRENCY", "$0.50", "lima puluh cents", "lima puluh sen", "fifty cents",
          "零美元五十分", "零美金五十仙"),
    *_row("CURRENCY", "$5.5", "lima dollar lima puluh cents", "lima dolar lima puluh sen",
          "five dollar fifty cents", "五美元五十分", "五美金五十仙"),
    *_row("CURRENCY", "$5.00", "lima dollar kosong cents", "lima dolar nol sen",
          "five dollar zero cents", "五美元", "五美金"),
    *_row("CURRENCY", "RM1,50", "seratus lima puluh ringgit", "seratus lima puluh ringgit",
          "one hundred and fifty ringgit", "一百五十令吉", "一百五十令吉"),
    *_row("CURRENCY", "Rp5000", "lima ribu rupiah", "lima ribu rupiah", "five thousand rupiah",
          "Rp5000", "Rp5000"),
    *_row("CURRENCY", "£3", "tiga pound", "tiga pound", "three pound", "三英镑", "三英磅"),
    ("CURRENCY", "€2", "id", "dua euro"),
    ("CURRENCY", "$5.05", "zh", "五美元五分"),
    ("CURRENCY", "RM5K", "en", "five thousand ringgit"),
    *_row("DATE", "12/05/2024", "dua belas Mei dua ribu dua puluh empat",
          "dua belas Mei dua ribu dua puluh empat", "twelve of May twenty twenty-four",
          "二零二四年五月十二日", "二零二四年五月十二日"),
    ("DATE", "2024-05-12", "en", "twelve of May twenty twenty-four"),
    ("DATE", "01/08/2024", "id", "satu Agustus dua ribu dua puluh empat"),
    ("DATE", "5 May 2024", "en", "five of May twenty twenty-four"),
    ("DATE", "01/13/0999", "en", "one of 13 nine hundred and ninety-nine"),
    ("DATE", "1/1/2100", "en", "one of January two thousand, one hundred"),
    *_row("TIME", "7:30 pm", "tujuh tiga puluh petang", "tujuh tiga puluh sore", "seven thirty p m",
          "晚上七点三十分", "晚上七点三十分"),
    *_row("TIME", "12:00 am", "dua belas kosong pagi", "dua belas nol pagi", "twelve zero a m",
          "上午十二点", "早上十二点"),
    *_row("TIME", "7:30 malam", "tujuh tiga puluh malam", "tujuh tiga puluh malam", "seven thirty ",
          "七点三十分", "七点三十分"),
    ("TIME", "6:00 pm", "zh", "下午六点"),
    ("TIME", "7:30 Tengah  Hari", "ms", "tujuh tiga puluh Tengah  Hari"),
    ("TIME", "12:30:45", "en", "twelve thirty forty-five"),
    ("TIME", "12:30:45", "zh", "十二点三十分四十五秒"),
    ("TIME", "7:05", "ms", "tujuh lima"),
    *_row("ADDRESS_SLASH", "Jalan SS2/24", "Jalan S S dua slash dua empat",
          "Jalan S S dua slash dua empat", "Jalan S S two slash two four",
          "Jalan S S 二 slash 二 四", "Jalan S S 二 slash 二 四"),
    *_row("TEMPERATURE", "-0.5°c", "negatif kosong perpuluhan lima celcius",
          "negatif nol perpuluhan lima selsius", "negative zero perpuluhan five celsius",
          "负零点五摄氏度", "负零点五摄氏度"),
    ("TEMPERATURE", "36,6°c", "ms", "tiga puluh enam perpuluhan enam celcius"),
    ("TEMPERATURE", "36.05 c", "ms", "tiga puluh enam perpuluhan kosong lima celcius"),
    ("TEMPERATURE", "25K", "zh", "二十五开尔文"),
    ("TEMPERATURE", "98.6°F", "en", "ninety-eight perpuluhan six fahrenheit"),
    *_row("FRACTION", "3 / 4", "tiga per empat", "tiga per empat", "three over four",
          "四分之三", "四分之三"),
    *_row("X_KALI", "2x", "dua kali", "dua kali", "two times", "两次", "两次"),
    ("X_KALI", "12X", "zh_my", "十二次"),
    ("X_KALI", "1" + "0" * 39 + "x", "ms", "kosong kali"),
    *_row("IC", "880101-14-5678",
          "lapan lapan kosong satu kosong satu satu empat lima enam tujuh lapan",
          "delapan delapan nol satu nol satu satu empat lima enam tujuh delapan",
          "eight eight zero one zero one one four five six seven eight",
          "八 八 零 一 零 一 一 四 五 六 七 八", "八 八 零 一 零 一 一 四 五 六 七 八"),
    ("IC", "abc", "ms", ""),
    *_row("HARI_BULAN", "15 HB", "lima belas hari bulan", "lima belas hari bulan",
          "fifteen hari bulan", "lima belas hari bulan", "lima belas hari bulan"),
    *_row("HIJRI", "1445H", "satu empat empat lima Hijri", "satu empat empat lima Hijriah",
          "one four four five Hijri", "一 四 四 五 Hijri", "一 四 四 五 Hijri"),
    ("HIJRI", "tahun ini", "ms", "tahun ini"),
    # A tag that names no kind is read as a web address.
    ("FOO", "a.b", "ms", "a dot b"),
    ("email", "a@b.com", "en", "a@b dot com"),
    ("", "a.b", "zh", "a点b"),
]


@pytest.mark.parametrize("tag,text,lang,want", SPOKEN, ids=_ids)
def test_entity_to_spoken(tag, text, lang, want):
    assert entity_to_spoken(text, tag, lang) == want, (tag, text, lang)


@pytest.mark.parametrize("lang,plain", [(" EN ", "en"), ("Zh_MY", "zh_my"), ("\tid\n", "id")], ids=_ids)
def test_entity_language_is_trimmed_and_lowercased(lang, plain):
    for tag, text in [("X_KALI", "3x"), ("CURRENCY", "$5.5"), ("TIME", "7:30 pm"), ("URL", "a.b*!")]:
        assert entity_to_spoken(text, tag, lang) == entity_to_spoken(text, tag, plain), (tag, text)


@pytest.mark.parametrize("lang", ["fr", " Fr ", "en-US", ""], ids=repr)
def test_entity_language_refused(lang):
    with pytest.raises(ValueError) as info:
        entity_to_spoken("1.2.3", "VERSION", lang)
    assert str(info.value) == (
        f"Unsupported language: '{lang}' (expected one of (en, id, ms, zh, zh_my))")


# ---- entities through normalize ----

def _norm_row(text, ms, id_, en, zh, zh_my):
    return [(lang, text, want) for lang, want in zip(LANGS, (ms, id_, en, zh, zh_my))]


PIPELINE = [
    *_norm_row("harga $5 sahaja", "harga lima dollar sahaja", "harga lima dolar sahaja",
               "harga five dollar sahaja", "harga 五美元 sahaja", "harga 五美金 sahaja"),
    *_norm_row("lawat www.abc.com ok", "lawat w w w dot abc dot com ok",
               "lawat w w w dot abc dot com ok", "lawat w w w dot abc dot com ok",
               "lawat w w w 点 abc点com ok", "lawat w w w 点 abc点com ok"),
    *_norm_row("emel ali@abc.com ok", "emel ali at abc dot com ok", "emel ali at abc dot com ok",
               "emel ali at abc dot com ok", "emel ali艾特abc点com ok", "emel ali艾特abc点com ok"),
    *_norm_row("telefon 1-300-88-1234 ok",
               "telefon satu tiga kosong kosong lapan lapan satu dua tiga empat ok",
               "telefon satu tiga nol nol delapan delapan satu dua tiga empat ok",
               "telefon one three zero zero eight eight one two three four ok",
               "telefon 一 三 零 零 八 八 一 二 三 四 ok", "telefon 一 三 零 零 八 八 一 二 三 四 ok"),
    *_norm_row("versi 1.2.3 ok", "versi satu point dua point tiga ok",
               "versi satu point dua point tiga ok", "versi one point two point three ok",
               "versi satu point dua point tiga ok", "versi satu point dua point tiga ok"),
    *_norm_row("pada 12/05/2024 ok", "pada dua belas Mei dua ribu dua puluh empat ok",
               "pada dua belas Mei dua ribu dua puluh empat ok",
               "pada twelve of May twenty twenty-four ok",
               "pada 二零二四年五月十二日 ok", "pada 二零二四年五月十二日 ok"),
    *_norm_row("pada 2024-05-12 ok", "pada dua belas Mei dua ribu dua puluh empat ok",
               "pada dua belas Mei dua ribu dua puluh empat ok",
               "pada twelve of May twenty twenty-four ok",
               "pada 二零二四年五月十二日 ok", "pada 二零二四年五月十二日 ok"),
    *_norm_row("pukul 7:30 pm ok", "pukul tujuh tiga puluh petang ok",
               "pukul tujuh tiga puluh sore ok", "pukul seven thirty p m ok",
               "pukul 晚上七点三十分 ok", "pukul 晚上七点三十分 ok"),
    *_norm_row("suhu 25°C ok", "suhu dua puluh lima celcius ok", "suhu dua puluh lima selsius ok",
               "suhu twenty-five celsius ok", "suhu 二十五摄氏度 ok", "suhu 二十五摄氏度 ok"),
    *_norm_row("ambil 3/4 ok", "ambil tiga per empat ok", "ambil tiga per empat ok",
               "ambil three over four ok", "ambil 四分之三 ok", "ambil 四分之三 ok"),
    *_norm_row("buat 3x ok", "buat tiga kali ok", "buat tiga kali ok", "buat three times ok",
               "buat 三次 ok", "buat 三次 ok"),
    *_norm_row("ic 880101-14-5678 ok",
               "ic lapan lapan kosong satu kosong satu satu empat lima enam tujuh lapan ok",
               "ic delapan delapan nol satu nol satu satu empat lima enam tujuh delapan ok",
               "ic eight eight zero one zero one one four five six seven eight ok",
               "ic 八 八 零 一 零 一 一 四 五 六 七 八 ok", "ic 八 八 零 一 零 一 一 四 五 六 七 八 ok"),
    *_norm_row("pada 15hb ok", "pada lima belas hari bulan ok", "pada lima belas hari bulan ok",
               "pada fifteen hari bulan ok", "pada lima belas hari bulan ok",
               "pada lima belas hari bulan ok"),
    *_norm_row("tahun 1445H ok", "tahun satu empat empat lima Hijri ok",
               "tahun satu empat empat lima Hijriah ok", "tahun one four four five Hijri ok",
               "tahun 一 四 四 五 Hijri ok", "tahun 一 四 四 五 Hijri ok"),
    *_norm_row("di Jalan SS2/24 ok", "di Jalan S S dua slash dua empat ok",
               "di Jalan S S dua slash dua empat ok", "di Jalan S S two slash two four ok",
               "di Jalan S S 二 slash 二 四 ok", "di Jalan S S 二 slash 二 四 ok"),
    # The address inside the web address is kept, read with the address.
    ("en", "see http://x.com/?u=a@b.com ok",
     "see h t t p colon slash slash x dot com slash question mark u equals a at b dot com ok"),
    # A time takes the blank after it; its reading gives the blank back.
    ("en", "3:02 a@b.com", "three two a at b dot com"),
    ("ms", "pukul 3:02 (esok)", "pukul tiga dua (esok)"),
]


@pytest.mark.parametrize("lang,text,want", PIPELINE, ids=_ids)
def test_entities_through_normalize(lang, text, want):
    assert normalize(text, lang) == want, (lang, text)


OFF = [json.dumps({"profile": "minimal"}), json.dumps({"profile": "basic"})]

# Dates and times are always protected; with their key off they come back as written.
AS_WRITTEN = [("dates", "pada 12/05/2024 ok"), ("dates", "pada 2024-05-12 ok"),
              ("times", "pukul 7:30 pm ok"), ("times", "pukul 7:30 Tengah Hari ok")]


@pytest.mark.parametrize("lang", LANGS)
@pytest.mark.parametrize("key,text", AS_WRITTEN, ids=_ids)
def test_dates_and_times_off_come_back_as_written(key, text, lang):
    for options in [json.dumps({"disable": [key]}), *OFF]:
        assert normalize(text, lang, options) == text, options


# With its key off a shared kind is left to the language passes: its own reading is gone.
GATED = [("temperature", "suhu 25°C ok", "suhu 二十五摄氏度 ok"),
         ("fractions", "ambil 3/4 ok", "ambil 四分之三 ok"),
         ("fractions", "di Jalan SS2/24 ok", "di Jalan S S 二 slash 二 四 ok"),
         ("x_kali", "buat 3x ok", "buat 三次 ok"),
         ("hari_bulan", "pada 15hb ok", "pada lima belas hari bulan ok"),
         ("hijri", "tahun 1445H ok", "tahun 一 四 四 五 Hijri ok")]
READING_WORDS = {"ms": ["celcius", "per", "slash", "kali", "hari bulan", "Hijri"],
                 "id": ["selsius", "per", "slash", "kali", "hari bulan", "Hijri"],
                 "en": ["celsius", "over", "slash", "times", "hari bulan", "Hijri"],
                 "zh": ["摄氏度", "分之", "slash", "次", "hari bulan", "Hijri"],
                 "zh_my": ["摄氏度", "分之", "slash", "次", "hari bulan", "Hijri"]}


@pytest.mark.parametrize("lang", LANGS)
@pytest.mark.parametrize("row", range(len(GATED)), ids=[g[1] for g in GATED])
def test_shared_kinds_off_are_not_spoken_as_entities(row, lang):
    key, text, _ = GATED[row]
    word = READING_WORDS[lang][row]
    assert word in normalize(text, lang)
    off = normalize(text, lang, json.dumps({"disable": [key]}))
    assert word not in off, off
    # "basic" switches the same key off and nothing else these sentences touch.
    assert normalize(text, lang, OFF[1]) == off
    assert word not in normalize(text, lang, OFF[0])


def test_ic_off_reads_the_digits_with_the_language_passes():
    # The Malay passes read a dashed number digit by digit too, so only "en" shows the dashes.
    assert normalize("ic 880101-14-5678 ok", "en", '{"disable": ["ic"]}') == (
        "ic eight eight zero one zero one dash one four dash five six seven eight ok")


UNGATED = ["harga $5 sahaja", "lawat www.abc.com ok", "emel ali@abc.com ok",
           "telefon 1-300-88-1234 ok", "versi 1.2.3 ok"]


@pytest.mark.parametrize("lang", LANGS)
@pytest.mark.parametrize("text", UNGATED)
def test_profiles_do_not_gate_the_other_kinds(text, lang):
    spoken = normalize(text, lang)
    for options in OFF:
        assert normalize(text, lang, options) == spoken, options


# ---- many entities in one text ----

def _letters(i):
    out = ""
    while True:
        out = "abcdefghijklmnopqrstuvwxyz"[i % 26] + out
        if i < 26:
            return out
        i = i // 26 - 1


def _many(n):
    pieces = []
    for i in range(n):
        pieces.append([("EMAIL", f"{_letters(i)}@mail.com"), ("VERSION", f"1.{i}.3"),
                       ("TIME", f"{i % 12 + 1}:{i % 60:02d} pm"), ("PHONE", "1-800-88-1234"),
                       ("CURRENCY", f"RM{i}")][i % 5])
    return pieces


@pytest.mark.parametrize("lang", LANGS)
def test_a_thousand_entities_come_back_in_their_places(lang):
    pieces = _many(1000)
    text = " ".join(p for _, p in pieces)
    want = " ".join(entity_to_spoken(p, tag, lang) for tag, p in pieces)
    assert normalize(text, lang) == want


# Touching entities are set apart by one blank, so their readings do not run together.
STASH_GLUE = [
    (28, "ms", "satu point dua point tiga lima dollar"),
    (29, "ms", "satu point dua point tiga lima dollar"),
    (29, "en", "one point two point three five dollar"),
]


@pytest.mark.parametrize("more,lang,head", STASH_GLUE, ids=_ids)
def test_adjacent_placeholders_keep_their_stash_keys_apart(more, lang, head):
    # Two touching entities give two touching stash keys; with 31 entities the 31st key
    # equals the first key followed by the first letter of the second.
    mail = entity_to_spoken("a@b.com", "EMAIL", lang)
    text = "1.2.3$5 " + " ".join(["a@b.com"] * more)
    assert normalize(text, lang) == " ".join([head] + [mail] * more)
