"""The Python surface of kalvesta._core: signatures, conversions, errors."""

import inspect
import json
import threading

import pytest

import kalvesta
from kalvesta import _core

FUNCTIONS = [
    ("normalize", '(text, language, options_json="")'),
    ("supported_languages", "()"),
    ("to_cardinal_ms", "(n)"),
    ("extract_entities", "(text, tags=None)"),
    ("entity_to_spoken", "(text, tag, language)"),
    ("to_cardinal_id", "(n, /)"),
    ("to_cardinal_zh", "(n)"),
    ("to_currency_zh", "(value, currency)"),
    ("to_year_zh", "(year)"),
]


def test_module_holds_exactly_the_nine_functions_in_order():
    public = [name for name in vars(_core) if not name.startswith("__")]
    assert public == [name for name, _ in FUNCTIONS]
    assert _core.__doc__ == ""
    assert not hasattr(_core, "PanicException")


@pytest.mark.parametrize("name,signature", FUNCTIONS)
def test_text_signatures(name, signature):
    assert getattr(_core, name).__text_signature__ == signature


def test_docstrings():
    assert _core.entity_to_spoken.__doc__ == (
        "Engine entity speech: convert one extracted entity to its spoken form."
    )
    lines = _core.extract_entities.__doc__.split("\n")
    assert len(lines) == 6
    assert lines[1] == (
        "with `<<<TAG_ID>>>` placeholders \u2014 all 13 types, python's extraction order."
    )
    for name in ("normalize", "supported_languages", "to_cardinal_ms", "to_cardinal_id",
                 "to_cardinal_zh", "to_currency_zh", "to_year_zh"):
        assert getattr(_core, name).__doc__ is None


def test_panic_exception_is_a_base_exception():
    assert issubclass(kalvesta.PanicException, BaseException)
    assert not issubclass(kalvesta.PanicException, Exception)


def test_signature_objects_bind_like_the_functions():
    params = inspect.signature(_core.to_cardinal_id).parameters
    assert params["n"].kind is inspect.Parameter.POSITIONAL_ONLY


# ---- argument conversion errors ----

TYPE_ERRORS = [
    (lambda: _core.normalize(None, "en"), "argument 'text': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: _core.normalize("x", 5), "argument 'language': 'int' object cannot be converted to 'PyString'"),
    (lambda: _core.normalize("x", "en", None),
     "argument 'options_json': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: _core.normalize(b"x", "en"), "argument 'text': 'bytes' object cannot be converted to 'PyString'"),
    (lambda: _core.extract_entities("x", "URL"), "argument 'tags': Can't extract `str` to `Vec`"),
    (lambda: _core.extract_entities("x", ["URL", 3]),
     "argument 'tags': 'int' object cannot be converted to 'PyString'"),
    (lambda: _core.entity_to_spoken("x", None, "en"),
     "argument 'tag': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: _core.to_currency_zh(1.0, 5), "argument 'currency': 'int' object cannot be converted to 'PyString'"),
]


@pytest.mark.parametrize("call,message", TYPE_ERRORS)
def test_type_errors_name_the_argument(call, message):
    with pytest.raises(TypeError) as info:
        call()
    assert str(info.value) == message


@pytest.mark.parametrize("call,fragment", [
    (lambda: _core.extract_entities("x", {"URL"}), "Sequence"),
    (lambda: _core.extract_entities("x", 5), "Sequence"),
    (lambda: _core.to_cardinal_ms(1.0), "argument 'n'"),
    (lambda: _core.to_cardinal_ms("5"), "argument 'n'"),
    (lambda: _core.to_cardinal_id(2.5), "argument 'n'"),
    (lambda: _core.to_cardinal_zh("5"), "argument 'n'"),
    (lambda: _core.to_year_zh(1.5), "argument 'year'"),
    (lambda: _core.to_currency_zh("1", "元"), "argument 'value'"),
])
def test_other_type_errors(call, fragment):
    with pytest.raises(TypeError) as info:
        call()
    assert fragment in str(info.value)
    assert str(info.value).startswith("argument '")


def test_str_subclass_is_accepted():
    class Text(str):
        pass

    assert _core.normalize(Text("   "), Text("en")) == ""


def test_lone_surrogate_raises_unicode_encode_error():
    with pytest.raises(UnicodeEncodeError):
        _core.normalize("a\ud800b", "en")


@pytest.mark.parametrize("call,error,message", [
    (lambda: _core.to_cardinal_ms(-1), ValueError, None),
    (lambda: _core.to_cardinal_ms(2**128), OverflowError, "Python int larger than 128 bits"),
    (lambda: _core.to_cardinal_id(2**63), OverflowError, None),
    (lambda: _core.to_year_zh(-(2**63) - 1), OverflowError, None),
    (lambda: _core.to_cardinal_zh(10**400), OverflowError, None),
])
def test_range_errors_are_not_type_errors(call, error, message):
    with pytest.raises(error) as info:
        call()
    assert not isinstance(info.value, TypeError)
    if message is not None:
        assert str(info.value) == message


@pytest.mark.parametrize("call", [
    lambda: _core.to_cardinal_id(n=5),
    lambda: _core.normalize("x"),
    lambda: _core.normalize("x", "en", "", "extra"),
    lambda: _core.normalize("x", "en", bogus=1),
    lambda: _core.normalize("x", "en", text="y"),
    lambda: _core.supported_languages(1),
])
def test_binding_errors_are_type_errors(call):
    with pytest.raises(TypeError):
        call()


def test_keywords_are_accepted():
    assert _core.normalize(text="  ", language="en", options_json="") == ""
    assert _core.to_year_zh(year=2024) == _core.to_year_zh(2024)


def test_first_failing_argument_is_reported():
    with pytest.raises(TypeError, match="argument 'text'"):
        _core.normalize(None, None)


# ---- normalize: language and options ----

def test_supported_languages():
    assert _core.supported_languages() == ["en", "id", "ms", "zh", "zh_my"]


@pytest.mark.parametrize("language", ["fr", " Fr ", "en-US", "zh-my", "malay", ""])
def test_unsupported_language(language):
    with pytest.raises(ValueError) as info:
        _core.normalize("", language)
    assert str(info.value) == (
        f"Unsupported language: '{language}' (expected one of (en, id, ms, zh, zh_my))"
    )


@pytest.mark.parametrize("language", [" EN ", "Zh_My", "\u3000id", "\tms\n"])
def test_language_codes_are_trimmed_and_lowercased(language):
    assert _core.normalize(" \t\n ", language) == ""


def test_options_are_checked_before_the_language():
    with pytest.raises(ValueError, match="^invalid options JSON: "):
        _core.normalize("x", "fr", "{")


OPTION_ERRORS = [
    ('{"x": 1}', "unknown field `x`, expected one of `profile`, `disable`, "
                 "`pronunciation_profile`, `pronunciations`"),
    ('{"profile": null, "profile": null}', "duplicate field `profile`"),
    ('{"pronunciations": {"*": {}, "*": {}}}', "duplicate field `*`"),
    ('{"profile": 5}', "invalid type: integer `5`, expected a string"),
    ('{"disable": null}', "invalid type: null, expected a sequence"),
    ('{"pronunciations": null}', "invalid type: null, expected struct PronunciationScopes"),
    ('{"disable": {}}', "invalid type: map, expected a sequence"),
    ('{"profile": []}', "invalid type: sequence, expected a string"),
    ("5", "invalid type: integer `5`, expected struct Options"),
    ('"x"', 'invalid type: string "x", expected struct Options'),
    ("{", "EOF while parsing an object"),
    ("[", "EOF while parsing a list"),
    ("{} x", "trailing characters"),
    ("\u00a0{}", "expected value"),
]


@pytest.mark.parametrize("options,description", OPTION_ERRORS)
def test_option_errors(options, description):
    with pytest.raises(ValueError) as info:
        _core.normalize("x", "en", options)
    message = str(info.value)
    assert message.startswith("invalid options JSON: " + description), message
    assert " at line " in message and " column " in message


def test_array_form_takes_at_most_four_values():
    with pytest.raises(ValueError, match="^invalid options JSON: "):
        _core.normalize("x", "en", '[null, [], null, {}, 1]')


def test_runaway_pronunciations_raise_value_error():
    pairs = {"a" * n: " ".join(["a" * (n - 1)] * 2) for n in range(2, 41)}
    options = json.dumps({"pronunciations": {"zh": pairs}})
    with pytest.raises(ValueError, match="^pronunciation replacements for language 'zh' grew the text too far"):
        _core.normalize("a" * 40, "zh", options)


@pytest.mark.parametrize("options", ["", "   ", "\u00a0\u00a0", "{}", "[]", '["minimal"]',
                                     '{"profile": "basic", "disable": ["x"]}',
                                     '{"pronunciations": {"*": null, "ms": {"a": null}, "ms": {}}}'])
def test_valid_options(options):
    assert _core.normalize("   ", "ms", options) == ""


# ---- number readings ----

def test_to_cardinal_id():
    assert _core.to_cardinal_id(-5) == "negatif lima"
    assert _core.to_cardinal_id(0) == "nol"
    assert _core.to_cardinal_id(-(2**63)) == "negatif " + _core.to_cardinal_id(2**63 - 1)[:-len("tujuh")] + "delapan"


def test_to_cardinal_ms_bounds():
    assert _core.to_cardinal_ms(0) == "kosong"
    assert _core.to_cardinal_ms(True) == "satu"
    assert _core.to_cardinal_ms(2**128 - 1) == "terlalu besar"


@pytest.mark.parametrize("value,want", [
    (3.14, "三点一四"),
    (12.5, "十二点五"),
    (0.05, "零点零五"),
    (1e-7, "零点零零零零零零一"),
    (0.1 + 0.2, "零点三" + "零" * 15 + "四"),
    (-0.0, "零"),
    (7, "七"),
    (float("nan"), "零点"),
])
def test_to_cardinal_zh(value, want):
    assert _core.to_cardinal_zh(value) == want


@pytest.mark.parametrize("value,text", [
    (1e16, "10000000000000000"),
    (-2.5e16, "-25000000000000000"),
    (float("inf"), "inf"),
])
def test_to_cardinal_zh_too_large(value, text):
    with pytest.raises(OverflowError) as info:
        _core.to_cardinal_zh(value)
    assert str(info.value) == f"Number {text} is too large (max 10^16)"


def test_to_cardinal_zh_largest_whole_number():
    assert _core.to_cardinal_zh(9999999999999998.0) == _core.to_cardinal_zh(9999999999999998)


@pytest.mark.parametrize("value,want", [
    (12.5, "十二元五十分"),
    (3.0, "三元"),
    (0.07, "零元七分"),
    (2.999, "二元一百分"),
    (0.5, "零元五十分"),
    (1.004, "一元"),
])
def test_to_currency_zh(value, want):
    assert _core.to_currency_zh(value, "元") == want


def test_to_year_zh_ignores_the_sign():
    assert _core.to_year_zh(-2024) == _core.to_year_zh(2024) == "二零二四"
    assert _core.to_year_zh(-(2**63)) == "".join("零一二三四五六七八九"[int(d)] for d in str(2**63))


# ---- entities through the module ----

def test_entity_to_spoken_language_error():
    with pytest.raises(ValueError) as info:
        _core.entity_to_spoken("x", "URL", "fr")
    assert str(info.value) == "Unsupported language: 'fr' (expected one of (en, id, ms, zh, zh_my))"


def test_entity_tags_are_case_sensitive():
    text = "abc.com"
    assert _core.entity_to_spoken(text, "email", "en") == _core.entity_to_spoken(text, "URL", "en")


def test_extract_entities_filter_renumbers():
    text = "mail a@b.com or visit www.example.com today"
    protected, entities = _core.extract_entities(text)
    tags = [tag for tag, _, _ in entities]
    assert tags == ["EMAIL", "URL"]
    assert [i for _, _, i in entities] == [1, 2]
    filtered_text, only_urls = _core.extract_entities(text, ["URL"])
    assert filtered_text == protected
    assert "<<<EMAIL_1>>>" in protected and "<<<URL_2>>>" in protected
    assert only_urls == [("URL", entities[1][1], 1)]
    assert _core.extract_entities(text, ())[1] == []
    assert _core.extract_entities(text, ("URL", "URL"))[1] == only_urls
    assert _core.extract_entities(text, ["url"])[1] == []


# ---- threads ----

def test_threads_give_the_same_results():
    cases = [
        ("Harga RM25.50 pada 15/08/2024, 30% diskaun", "ms"),
        ("Harganya Rp1.500.000 pukul 14:45", "id"),
        ("The meeting is at 10:30 a.m. and costs $1.5K", "en"),
        ("价格是RM1.5万，完成率85%", "zh"),
        ("温度是32°C，明天是15/08/2024", "zh_my"),
    ] * 4
    expected = [_core.normalize(t, lang) for t, lang in cases]
    results = {}

    def work(k):
        results[k] = [_core.normalize(t, lang) for t, lang in cases for _ in range(5)][::5]

    threads = [threading.Thread(target=work, args=(k,)) for k in range(8)]
    for th in threads:
        th.start()
    for th in threads:
        th.join()
    assert all(results[k] == expected for k in range(8))
