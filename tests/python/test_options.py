"""Per-call options seen through normalize(): profiles, disabled pass keys,
pronunciation profiles and scopes, and the array form of the options."""

import json

import pytest

from kalvesta import normalize


def run(text, lang, options=None):
    return normalize(text, lang, "" if options is None else json.dumps(options))


# ---- disable: each pass key that a pass asks, on a sentence it changes ----
# (key, language, text, output with every pass on, output with the key off)
DISABLE = [
    ("pronunciation_overrides", "ms", "Dr Ali No. 5 guna GUI",
     "Doktor Ali nombor lima guna gooey",
     "Dr Ali No. lima guna G U I"),
    ("measurements", "ms", "jarak 5 km",
     "jarak lima kilometer",
     "jarak lima km"),
    ("elongated", "ms", "sedappp  sangat",
     "sedapp sangat",
     "sedappp sangat"),
    ("acronyms", "en", "the FBI and U.S.A. e-mail",
     "the F B I and U S A e mail",
     "the FBI and U.S.A. e-mail"),
    ("special_chars", "en", "A&B = C",
     "A and B equals C",
     "A&B = C"),
    ("temperature", "ms", "suhu 30°C",
     "suhu tiga puluh celcius",
     "suhu tiga puluh°C"),
    ("fractions", "ms", "1/2 cawan",
     "satu per dua cawan",
     "satu/dua cawan"),
    ("fractions", "ms", "Jalan SS2/24",
     "Jalan S S dua slash dua empat",
     "Jalan S S dua/dua puluh empat"),
    ("x_kali", "ms", "3x sehari",
     "tiga kali sehari",
     "tiga X sehari"),
    ("ic", "en", "IC 880101-14-5678",
     "I C eight eight zero one zero one one four five six seven eight",
     "I C eight eight zero one zero one dash one four dash five six seven eight"),
    ("hari_bulan", "ms", "pada 15hb Mei",
     "pada lima belas hari bulan Mei",
     "pada satu lima H B Mei"),
    ("hijri", "ms", "tahun 1445H",
     "tahun satu empat empat lima Hijri",
     "tahun satu empat empat lima H"),
    ("dates", "ms", "pada 12/05/2024",
     "pada dua belas Mei dua ribu dua puluh empat",
     "pada 12/05/2024"),
    ("times", "ms", "pukul 3:30 petang",
     "pukul tiga tiga puluh petang",
     "pukul 3:30 petang"),
]


@pytest.mark.parametrize("key,lang,text,on,off", DISABLE,
                         ids=[f"{row[0]}:{row[2]}" for row in DISABLE])
def test_disabling_a_key_switches_its_pass_off(key, lang, text, on, off):
    assert run(text, lang) == on, text
    assert run(text, lang, {"disable": [key]}) == off, text


@pytest.mark.parametrize("key", ["abbreviations", "malay_local", "strip_bracketed",
                                 "Acronyms", "dates ", "no_such_key", ""])
def test_keys_no_pass_asks_change_nothing(key):
    text = "Dr Ali (kiri) bayar RM5 pada 12/05/2024 kepada FBI"
    want = ("Doktor Ali (kiri) bayar lima ringgit pada dua belas Mei dua ribu "
            "dua puluh empat kepada F B I")
    assert run(text, "ms") == want
    assert run(text, "ms", {"disable": [key]}) == want, key


# ---- profiles ----
PROFILE_TEXT = "FBI sooo A&B 12/05/2024 5 km 7:30 pm"
FULL = "F B I soo A and B twelve of May twenty twenty-four five kilometers seven thirty p m"
# "basic" keeps acronyms, elongated words and special characters on.
BASIC = "F B I soo A and B 12/05/2024 five km 7:30 pm"
MINIMAL = "FBI sooo A&B 12/05/2024 five km 7:30 pm"

PROFILES = [
    ({"profile": "minimal"}, MINIMAL),
    ({"profile": "basic"}, BASIC),
    ({"profile": "Minimal"}, FULL),      # profile names are case-sensitive
    ({"profile": "BASIC"}, FULL),
    ({"profile": "full"}, FULL),         # unknown profile switches nothing off
    ({"profile": None}, FULL),
    ({"profile": "basic", "disable": ["acronyms"]},
     "FBI soo A and B 12/05/2024 five km 7:30 pm"),
    ({"profile": "minimal", "disable": ["acronyms", "dates"]}, MINIMAL),
]


@pytest.mark.parametrize("options,want", PROFILES, ids=lambda v: json.dumps(v)[:40])
def test_profiles(options, want):
    assert run(PROFILE_TEXT, "en", options) == want, options


def test_minimal_profile_also_gates_shared_kinds_and_overrides():
    text = "Dr Ali 3x 1/2 30°C 1445H 15hb 880101-14-5678 500mg"
    assert run(text, "ms") == (
        "Doktor Ali tiga kali satu per dua tiga puluh celcius satu empat empat lima "
        "Hijri lima belas hari bulan lapan lapan kosong satu kosong satu satu empat "
        "lima enam tujuh lapan lima ratus milligram")
    # Every one of these passes is off, so the language pass reads what is left.
    assert run(text, "ms", {"profile": "minimal"}) == (
        "Dr Ali tiga X satu/dua tiga puluh°C satu empat empat lima H satu lima H B "
        "lapan lapan kosong satu kosong satu satu empat lima enam tujuh lapan "
        "lima kosong kosong M G")


# ---- pronunciation profile and scopes ----
PRONUNCIATIONS = [
    # "none" drops the built-in pairs; the fixed overrides stay on.
    ("ms", "Dr Ali No. 5 guna GUI", {"pronunciation_profile": "none"},
     "Dr Ali nombor lima guna G U I"),
    ("ms", "Dr Ali No. 5 guna GUI", {"pronunciation_profile": "None"},
     "Doktor Ali nombor lima guna gooey"),
    ("ms", "Dr Ali No. 5 guna GUI", {"pronunciation_profile": None},
     "Doktor Ali nombor lima guna gooey"),
    # Longer words first: "Hjh" is not read as "Hj" and "h".
    ("ms", "Hjh Aminah dan Hj Ali", None, "Hajah Aminah dan Haji Ali"),
    # Honorifics only for Malay and Indonesian.
    ("en", "Dr Ali", None, "Dr Ali"),
    ("id", "Dr Ali", None, "Doktor Ali"),
    # "*" applies to every language; a null removes a built-in pair.
    ("en", "use GUI now", {"pronunciations": {"*": {"GUI": None}}}, "use G U I now"),
    ("zh", "用 GUI 吧", {"pronunciations": {"*": {"GUI": None}}}, "用 G U I 吧"),
    ("ms", "guna GUI", {"pronunciations": {"*": None}}, "guna gooey"),
    ("ms", "kereta api", {"pronunciations": {"*": {"kereta": "motokar"}}}, "motokar api"),
    # The language scope wins over "*", and its null removes what "*" added.
    ("ms", "kereta api", {"pronunciations": {"*": {"kereta": "motokar"},
                                             "ms": {"kereta": "gerabak"}}},
     "gerabak api"),
    ("id", "kereta api", {"pronunciations": {"*": {"kereta": "motokar"},
                                             "ms": {"kereta": "gerabak"}}},
     "motokar api"),
    ("ms", "kereta api", {"pronunciations": {"*": {"kereta": "motokar"},
                                             "ms": {"kereta": None}}},
     "kereta api"),
    ("ms", "Dr Ali", {"pronunciations": {"ms": {"Dr": None}}}, "Dr Ali"),
    ("id", "Dr Ali", {"pronunciations": {"ms": {"Dr": None}}}, "Doktor Ali"),
    # Scope keys are compared with the trimmed, lowercased code of the call.
    ("ms", "Dr Ali", {"pronunciations": {"MS": {"Dr": None}}}, "Doktor Ali"),
    (" MS ", "Dr Ali", {"pronunciations": {"ms": {"Dr": None}}}, "Dr Ali"),
    ("zh_my", "你好", {"pronunciations": {"zh-my": {"你好": "您好"}}}, "你好"),
    ("zh_my", "你好", {"pronunciations": {"zh_my": {"你好": "您好"}}}, "您好"),
    # A repeated language key keeps its last scope.
    ("ms", "kereta", '{"pronunciations": {"ms": {"kereta": "a"}, "ms": {"kereta": "b"}}}',
     "b"),
    # Built-ins are overridden only by their exact word.
    ("en", "GUI", {"pronunciations": {"*": {"gui": "goo"}}}, "gooey"),
    ("en", "GUI", {"pronunciations": {"*": {"GUI": "goo"}}}, "goo"),
    # Replacements are match templates.
    ("ms", "ali datang", {"pronunciations": {"*": {"ali": "[$0]"}}}, "[ali] datang"),
    ("ms", "ali datang", {"pronunciations": {"*": {"ali": "us$5"}}}, "us datang"),
    ("ms", "ali datang", {"pronunciations": {"*": {"ali": "abu$"}}}, "abu dollar datang"),
    # Whole words only.
    ("en", "GUIs myGUI GUI-based", None, "GUIs myGUI gooey based"),
]


@pytest.mark.parametrize("lang,text,options,want", PRONUNCIATIONS,
                         ids=lambda v: (v if isinstance(v, str) else json.dumps(v))[:30])
def test_pronunciations(lang, text, options, want):
    raw = options if isinstance(options, str) else None
    got = normalize(text, lang, raw) if raw else run(text, lang, options)
    assert got == want, (text, options)


def test_disabling_overrides_also_drops_caller_pairs():
    options = {"disable": ["pronunciation_overrides"],
               "pronunciations": {"*": {"kereta": "motokar"}}}
    assert run("kereta api", "ms", options) == "kereta api"


# ---- array form ----
ARRAYS = [
    ([], "Doktor Ali tiga kali F B I"),
    (["minimal"], "Dr Ali tiga X FBI"),
    ([None, ["x_kali"]], "Doktor Ali tiga X F B I"),
    ([None, [], "none"], "Dr Ali tiga kali F B I"),
    ([None, [], None, {"ms": {"Ali": "Abu"}}], "Doktor Abu tiga kali F B I"),
    (["basic", ["acronyms"], "none", {"*": {"Ali": "Abu"}}], "Dr Ali tiga X FBI"),
]


@pytest.mark.parametrize("options,want", ARRAYS, ids=lambda v: json.dumps(v)[:40])
def test_array_form(options, want):
    assert run("Dr Ali 3x FBI", "ms", options) == want, options
