"""kalvesta: text normalisation for speech synthesis.

Rewrites written text into the words a speaker would say, for Malay ("ms"),
Indonesian ("id"), English ("en"), Chinese ("zh") and Malaysian Chinese
("zh_my"). Language codes are trimmed and lowercased before use.

Functions
---------
normalize(text, language, options_json="")
    The spoken form of a text. options_json is a JSON object with the
    optional keys "profile" ("minimal" or "basic"), "disable" (a list of pass
    keys), "pronunciation_profile" ("none" drops the built-in pronunciations)
    and "pronunciations" ({"*" or a language code: {word: replacement or
    null}}); the README lists the pass keys.
supported_languages()
    ["en", "id", "ms", "zh", "zh_my"].
extract_entities(text, tags=None)
    (text with <<<TAG_ID>>> placeholders, [(tag, text, id), ...]). tags, a
    list or tuple of tag names, keeps only those kinds in the list (ids are
    then renumbered from 1); the text keeps every placeholder.
entity_to_spoken(text, tag, language)
    The spoken form of one entity of the given tag.
to_cardinal_ms(n)
    Malay cardinal of an integer from 0 to 2**128 - 1 (from 10**36 on it
    reads "terlalu besar").
to_cardinal_id(n, /)
    Indonesian cardinal of an integer from -2**63 to 2**63 - 1.
to_cardinal_zh(n)
    Chinese reading of an int or float of magnitude below 10**16.
to_currency_zh(value, currency)
    Chinese money reading: whole part, currency text, then the cents with 分.
to_year_zh(year)
    The digits of a year read one by one in Chinese.

Entity tags
-----------
Fourteen, case-sensitive (extract_entities' own docstring counts 13 types),
in extraction order, each with examples of what it takes:

EMAIL          ali@contoh.com
URL            www.contoh.com, https://contoh.com/a, 192.168.1.1
PHONE          012-345 6789
VERSION        2.1.3
CURRENCY       RM25.50, $1.5K
DATE           15/08/2024, 2024-08-15, 5 June 2024
TIME           10:30, 9:30 pagi, 10:30 a.m.
TEMPERATURE    32°C
ADDRESS_SLASH  Jalan Ampang 12/3
FRACTION       3/4
X_KALI         3x
IC             850101-14-5678
HARI_BULAN     15hb
HIJRI          1445H

In the tags of extract_entities, a tag that names no kind matches nothing and
an empty list lists nothing. entity_to_spoken reads the text as a URL when
its tag names no kind.

Errors
------
TypeError       an argument of the wrong type; the message names the argument
                ("cannot be converted to 'PyString'": a str was expected).
ValueError      an unsupported language, invalid options JSON, pronunciations
                that grow the text too far, a negative n for to_cardinal_ms.
OverflowError   n beyond the range of to_cardinal_ms, to_cardinal_id,
                to_year_zh or to_cardinal_zh (magnitude 10**16 or more).
PanicException  an internal failure, such as a pattern exceeding its matching
                limits on hostile input; a BaseException, so a bare
                "except Exception" does not catch it. The module stays usable.
"""

from importlib.metadata import PackageNotFoundError, version

from ._errors import PanicException
from ._core import (
    entity_to_spoken,
    extract_entities,
    normalize,
    supported_languages,
    to_cardinal_id,
    to_cardinal_ms,
    to_cardinal_zh,
    to_currency_zh,
    to_year_zh,
)

try:
    __version__ = version("kalvesta")
except PackageNotFoundError:  # imported from a source tree, not installed
    __version__ = "0+unknown"

__all__ = [
    "PanicException",
    "entity_to_spoken",
    "extract_entities",
    "normalize",
    "supported_languages",
    "to_cardinal_id",
    "to_cardinal_ms",
    "to_cardinal_zh",
    "to_currency_zh",
    "to_year_zh",
]
