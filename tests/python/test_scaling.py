"""Scaling search: long runs of one or two characters, with and without a
non-ASCII character in front, must cost about twice as much at twice the size
in every call. A pattern tried at every position of a run, each try scanning
to the run's end, costs four times as much."""

import itertools
import time

import pytest

from kalvesta import _core

LANGS = ["ms", "id", "en", "zh", "zh_my"]
TAGS = ["URL", "EMAIL", "PHONE", "VERSION", "CURRENCY", "DATE", "TIME", "TEMPERATURE",
        "ADDRESS_SLASH", "FRACTION", "X_KALI", "IC", "HARI_BULAN", "HIJRI"]
# One of each class: ASCII letter and digit, other digits, other letter,
# Chinese, combining mark, punctuation, blank.
CHARS = ["a", "7", "\u0663", "\uff15", "\u0436", "\u4e2d", "\u0301", ".", "-", "@", "/", ":", ",", " "]
# "ab" repeated is "ba" repeated shifted by one character: one order suffices.
UNITS = CHARS + [a + b for a, b in itertools.combinations(CHARS, 2)]
# Each run alone, after a non-ASCII character, and before text holding what
# the entity patterns need (so that no shortcut on a missing byte hides a scan).
FRAMES = [("", ""), ("\u00e9 ", ""), ("\u00e9 ", " a@b.com x.com 5C")]
SMALL = 4000  # bytes; 8000 for the doubled size
MAX_RATIO = 3.0
FLOOR_S = 0.0003  # below this, timer noise outweighs any shape


def run(call, lang, text):
    if call == "normalize":
        return _core.normalize(text, lang)
    if call == "extract":
        return _core.extract_entities(text)
    return _core.entity_to_spoken(text, call, lang)


def best(call, lang, small, big, runs):
    # Interleaved, so that a busy moment slows both sizes alike.
    ts = tb = float("inf")
    for _ in range(runs):
        t0 = time.perf_counter()
        run(call, lang, small)
        t1 = time.perf_counter()
        run(call, lang, big)
        t2 = time.perf_counter()
        ts, tb = min(ts, t1 - t0), min(tb, t2 - t1)
    return ts, tb


def too_slow(ts, tb):
    return tb > FLOOR_S and tb > MAX_RATIO * ts


@pytest.mark.parametrize("lang", LANGS)
def test_doubling_a_run_doubles_the_time(lang):
    calls = ["normalize"] + (["extract"] if lang == "ms" else []) + TAGS
    failures = []
    for unit, (prefix, suffix) in itertools.product(UNITS, FRAMES):
        small = prefix + unit * (SMALL // len(unit.encode())) + suffix
        big = prefix + unit * (2 * SMALL // len(unit.encode())) + suffix
        for call in calls:
            ts, tb = best(call, lang, small, big, 1)
            if not too_slow(ts, tb):
                continue
            ts, tb = best(call, lang, small, big, 3)
            if too_slow(ts, tb):
                ts, tb = best(call, lang, small, big, 3)  # retry once: the machine may be busy
            if too_slow(ts, tb):
                failures.append(f"{call}({prefix!r} + {unit!r} * n + {suffix!r}, {lang}): "
                                f"{ts * 1e3:.2f} ms -> {tb * 1e3:.2f} ms (x{tb / ts:.1f})")
    assert not failures, "\n".join(failures)
