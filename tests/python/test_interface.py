"""The Python surface of kalvesta._core: signatures, argument conversion,
errors and the number functions the module itself reads."""

import inspect

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
    assert _core.supported_languages() == ["en", "id", "ms", "zh", "zh_my"]


@pytest.mark.parametrize("name,signature", FUNCTIONS)
def test_text_signatures(name, signature):
    assert getattr(_core, name).__text_signature__ == signature


def test_docstrings():
    assert _core.entity_to_spoken.__doc__ == (
        "Engine entity speech: convert one extracted entity to its spoken form."
    )
    assert len(_core.extract_entities.__doc__.split("\n")) == 6
    assert _core.normalize.__doc__ is None


def test_panic_exception_is_a_base_exception_only():
    assert issubclass(kalvesta.PanicException, BaseException)
    assert not issubclass(kalvesta.PanicException, Exception)
    assert kalvesta.PanicException.__module__ == "kalvesta._errors"


def test_positional_only_and_keywords():
    params = inspect.signature(_core.to_cardinal_id).parameters
    assert params["n"].kind is inspect.Parameter.POSITIONAL_ONLY
    assert _core.normalize(text="  ", language="en", options_json="") == ""
    assert _core.to_year_zh(year=2024) == _core.to_year_zh(2024)
    assert _core.extract_entities(text="a", tags=None) == ("a", [])


ARGUMENT_ERRORS = [
    # Conversion: the message names the argument.
    (lambda: _core.normalize(None, "en"), TypeError,
     "argument 'text': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: _core.normalize("x", 5), TypeError, "argument 'language': 'int' object cannot be converted to 'PyString'"),
    (lambda: _core.normalize("x", "en", None), TypeError,
     "argument 'options_json': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: _core.extract_entities("x", "URL"), TypeError, "argument 'tags': Can't extract `str` to `Vec`"),
    (lambda: _core.extract_entities("x", {"URL"}), TypeError,
     "argument 'tags': 'set' object cannot be converted to 'Sequence'"),
    (lambda: _core.entity_to_spoken("x", None, "en"), TypeError,
     "argument 'tag': 'NoneType' object cannot be converted to 'PyString'"),
    (lambda: _core.to_currency_zh(1.0, 5), TypeError,
     "argument 'currency': 'int' object cannot be converted to 'PyString'"),
    (lambda: _core.to_currency_zh("1", "元"), TypeError, "argument 'value': must be real number, not str"),
    (lambda: _core.to_cardinal_ms(1.0), TypeError, "argument 'n': 'float' object cannot be interpreted as an integer"),
    (lambda: _core.to_year_zh(1.5), TypeError, "argument 'year': 'float' object cannot be interpreted as an integer"),
    # Binding, in the interpreter's own words.
    (lambda: _core.to_cardinal_id(n=5), TypeError,
     "to_cardinal_id() got some positional-only arguments passed as keyword arguments: 'n'"),
    (lambda: _core.normalize("x"), TypeError, "normalize() missing 1 required positional argument: 'language'"),
    (lambda: _core.entity_to_spoken(), TypeError,
     "entity_to_spoken() missing 3 required positional arguments: 'text', 'tag', and 'language'"),
    (lambda: _core.normalize("x", "en", "", "e"), TypeError,
     "normalize() takes from 2 to 3 positional arguments but 4 were given"),
    (lambda: _core.to_year_zh(1, 2), TypeError, "to_year_zh() takes 1 positional argument but 2 were given"),
    (lambda: _core.normalize("x", "en", bogus=1), TypeError, "normalize() got an unexpected keyword argument 'bogus'"),
    (lambda: _core.supported_languages(1), TypeError, None),
    # Range: not a TypeError.
    (lambda: _core.to_cardinal_ms(-1), ValueError, "Cannot convert negative int"),
    (lambda: _core.to_cardinal_ms(2**128), OverflowError, "Python int larger than 128 bits"),
    (lambda: _core.to_year_zh(-(2**63) - 1), OverflowError, None),
    (lambda: _core.to_cardinal_zh(10**400), OverflowError, None),
    (lambda: _core.to_cardinal_zh(1e16), OverflowError, "Number 10000000000000000 is too large (max 10^16)"),
    # Core errors are ValueErrors; the options are read before the language.
    (lambda: _core.normalize("", " Fr "), ValueError,
     "Unsupported language: ' Fr ' (expected one of (en, id, ms, zh, zh_my))"),
    (lambda: _core.entity_to_spoken("x", "URL", "en-US"), ValueError,
     "Unsupported language: 'en-US' (expected one of (en, id, ms, zh, zh_my))"),
    (lambda: _core.normalize("x", "fr", "{"), ValueError,
     "invalid options JSON: EOF while parsing an object at line 1 column 1"),
]


@pytest.mark.parametrize("call,error,message", ARGUMENT_ERRORS)
def test_argument_errors(call, error, message):
    with pytest.raises(error) as info:
        call()
    assert type(info.value) is error
    if message is not None:
        assert str(info.value) == message


SURROGATE_CALLS = [
    lambda s: _core.normalize("a" + s, "ms"),
    lambda s: _core.normalize("a", s),
    lambda s: _core.normalize("a", "ms", s),
    lambda s: _core.extract_entities(s + " x@y.com"),
    lambda s: _core.extract_entities("x", [s]),
    lambda s: _core.entity_to_spoken(s, "URL", "en"),
    lambda s: _core.to_currency_zh(1.0, s),
]


@pytest.mark.parametrize("call", SURROGATE_CALLS)
def test_lone_surrogates_raise_unicode_encode_error(call):
    with pytest.raises(UnicodeEncodeError):
        call("\udc80")


def test_str_subclass_is_accepted():
    class Text(str):
        pass

    assert _core.normalize(Text("   "), Text("en")) == ""


@pytest.mark.parametrize("code,plain", [(" EN ", "en"), ("Zh_My", "zh_my"), ("\u3000id", "id"), ("\tms\n", "ms")])
def test_language_codes_are_trimmed_and_lowercased(code, plain):
    text = "Dr Ali bayar $5.5 pada 7:30 pm, 3x"
    assert _core.normalize(text, code) == _core.normalize(text, plain)
    assert _core.entity_to_spoken("$5.5", "CURRENCY", code) == _core.entity_to_spoken("$5.5", "CURRENCY", plain)


# ---- the number functions the module reads itself ----

NUMBERS = [
    (_core.to_cardinal_id, -5, "negatif lima"),
    # -2**63 reads its exact magnitude: 2**63 - 1 with its last digit one higher.
    (_core.to_cardinal_id, -(2**63), "negatif " + _core.to_cardinal_id(2**63 - 1)[:-len("tujuh")] + "delapan"),
    (_core.to_cardinal_ms, True, "satu"),
    (_core.to_cardinal_ms, 2**128 - 1, "terlalu besar"),
    (_core.to_cardinal_zh, 1e-7, "零点零零零零零零一"),
    (_core.to_cardinal_zh, 0.1 + 0.2, "零点三" + "零" * 15 + "四"),
    (_core.to_cardinal_zh, float("nan"), "零点"),
    (_core.to_cardinal_zh, 9999999999999998.0, _core.to_cardinal_zh(9999999999999998)),
    (lambda v: _core.to_currency_zh(v, "元"), 12.5, "十二元五十分"),
    (lambda v: _core.to_currency_zh(v, "元"), 0.07, "零元七分"),
    (lambda v: _core.to_currency_zh(v, "元"), 2.999, "二元一百分"),
    (lambda v: _core.to_currency_zh(v, "元"), 1.004, "一元"),
    (lambda v: _core.to_currency_zh(v, "元"), -0.004, "零元"),
    (_core.to_year_zh, -2024, "二零二四"),
    (_core.to_year_zh, -(2**63), "九二二三三七二零三六八五四七七五八零八"),
]


@pytest.mark.parametrize("function,value,want", NUMBERS)
def test_number_functions(function, value, want):
    assert function(value) == want, value
