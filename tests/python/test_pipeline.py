"""Whole-pipeline readings through normalize(), one table per behaviour."""

import pytest

from kalvesta import extract_entities, normalize

GLUED_ENTITIES = [
    # A key glued to a digit must not be spelled out with it: the address is
    # read, then the digit.
    ("ms", "visit abc.com5 now", "visit abc dot com lima now"),
    ("id", "visit abc.com5 now", "visit abc dot com lima now"),
    ("en", "visit abc.com5 now", "visit abc dot com five now"),
    ("zh", "visit abc.com5 now", "visit abc点com 五 now"),
    ("zh_my", "visit abc.com5 now", "visit abc点com 五 now"),
    ("ms", "emel a@b.com5 sekarang", "emel a at b dot com lima sekarang"),
]


@pytest.mark.parametrize("lang,text,want", GLUED_ENTITIES, ids=lambda v: str(v)[:20])
def test_entities_glued_to_digits_keep_their_reading(lang, text, want):
    assert normalize(text, lang) == want


def _letters(i):
    out = ""
    while True:
        out = "abcdefghijklmnopqrstuvwxyz"[i % 26] + out
        if i < 26:
            return out
        i = i // 26 - 1


DIGITS = {"ms": "kosong satu dua tiga empat lima enam tujuh lapan sembilan".split(),
          "id": "nol satu dua tiga empat lima enam tujuh delapan sembilan".split(),
          "en": "zero one two three four five six seven eight nine".split()}


@pytest.mark.parametrize("lang", ["ms", "id", "en"])
def test_a_thousand_glued_entities_come_back_in_place(lang):
    names = ["q" + _letters(i) for i in range(1000)]
    text = " ".join(f"{name}.com{i % 10}" for i, name in enumerate(names))
    want = " ".join(f"{name} dot com {DIGITS[lang][i % 10]}" for i, name in enumerate(names))
    assert normalize(text, lang, '{"disable": ["acronyms"]}') == want


READINGS = [
    ("ms", "tarikh 12/05/2024 pukul 3:30 petang",
     "tarikh dua belas Mei dua ribu dua puluh empat pukul tiga tiga puluh petang"),
    ("ms", "Harga baju itu RM25.50 sahaja",
     "Harga baju itu dua puluh lima ringgit lima puluh sen sahaja"),
    ("ms", "suhu 30°C, 1/2 cawan, 3 kali",
     "suhu tiga puluh celcius, satu per dua cawan, tiga kali"),
    ("ms", "12 hari bulan 5, tahun 1445H",
     "dua belas hari bulan lima, tahun satu empat empat lima Hijri"),
    ("ms", "*123# Gate 12", "star satu dua tiga hash Gate satu dua"),
    ("ms", "Dr Ahmad dan DATUK Lee guna GUI", "Doktor Ahmad dan Datuk Lee guna gooey"),
    ("ms", "Jalan Ampang 12/3", "Jalan Ampang satu dua slash tiga"),
    ("id", "Rp5 juta dan 2,5%", "lima juta rupiah dan dua koma lima persen"),
    ("id", "Harganya Rp1.500.000", "Harganya satu juta lima ratus ribu rupiah"),
    ("en", "sooo good ha ha ha ha", "soo good ha ha ha, ha"),
    ("en", "RM1.5K", "one thousand, five hundred ringgit"),
    ("en", "He'd've paid 25% more", "he would have paid twenty five percent more"),
    ("zh", "下午3:30开会，完成率达到85%。", "下午三点三十分开会，完成率达到百分之八十五。"),
    ("zh", "今天是2024年5月6日", "今天是二零二四年五月六日"),
    ("zh_my", "这件衣服卖RM25.50", "这件衣服卖二十五令吉五十仙"),
    # An amount with a scale is left to the language passes, which read the
    # scale with it, instead of being cut short as a money entity.
    ("en", "$2.5 billion", "two point five billion dollar"),
    ("ms", "USD 2 million", "dua juta dollar"),
    ("zh", "RM1.5万", "一点五万令吉"),
    # The full stop after a web address ends the sentence; it is not read "dot".
    ("ms", "Layari www.contoh.com.", "Layari w w w dot contoh dot com."),
    ("en", "See https://example.com/a, then go.",
     "See h t t p s colon slash slash example dot com slash a, then go."),
    # A duration's fraction is read with its whole part, not on its own.
    ("ms", "selama 1.5 jam", "selama satu perpuluhan lima jam"),
    ("en", "for 1.5 hours", "for one point five hours"),
]


def test_web_address_gives_back_closing_punctuation():
    assert extract_entities("Layari www.contoh.com.")[1] == [("URL", "www.contoh.com", 1)]


def test_amounts_cut_short_are_not_money_entities():
    text, entities = extract_entities("RM1.5万 and $2.5 billion and RM5 and $3.5 millions")
    assert [e[1] for e in entities] == ["RM5", "$3.5"]


@pytest.mark.parametrize("lang,text,want", READINGS, ids=lambda v: str(v)[:24])
def test_readings(lang, text, want):
    assert normalize(text, lang) == want


def test_profiles_switch_passes_off():
    assert normalize("suhu 30°C", "ms", '{"profile": "minimal"}') != normalize("suhu 30°C", "ms")
    assert normalize("Dr Ahmad", "ms", '{"disable": ["pronunciation_overrides"]}') == "Dr Ahmad"
    # With "dates" off a date is given back as written.
    assert "12/05/2024" in normalize("pada 12/05/2024", "ms", '{"disable": ["dates"]}')


def test_caller_pronunciations():
    options = ('{"disable": ["acronyms"], '
               '"pronunciations": {"*": {"GIF": "jif"}, "ms": {"GIF": null}}}')
    assert normalize("a GIF", "en", options) == "a jif"
    assert normalize("a GIF", "ms", options) == "a GIF"


def test_extract_entities_round_trip():
    text = "mail ali@contoh.com, visit www.contoh.com on 12/05/2024 at 3:30 pm, RM5"
    protected, entities = extract_entities(text)
    for tag, entity_text, ident in entities:
        protected = protected.replace(f"<<<{tag}_{ident}>>>", entity_text, 1)
    assert protected == text
