"""Do the working tree and a reference build give byte-identical outputs?

Compares normalize (five languages, several option sets), extract_entities
(with and without tag filters) and entity_to_spoken between the kalvesta
installed in the project's .venv (`make install` first) and a reference
revision built by bench/reference.py. Inputs: the corpus, the string
literals of the test files, and seeded random token mixes per language.
Prints every differing call and exits 1 on any difference.

    .venv/bin/python bench/same_output.py [--ref REV] [--mixes N] [--seed S]
"""

import argparse
import ast
import json
import os
import random
import re
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent
LANGS = ["ms", "id", "en", "zh", "zh_my"]
OPTION_SETS = [
    "",
    json.dumps({"profile": "minimal"}),
    json.dumps({"profile": "basic", "disable": ["acronyms"]}),
    json.dumps({"pronunciation_profile": "none", "disable": ["dates", "currency"]}),
    json.dumps({"pronunciations": {"*": {"kereta": "motokar", "GUI": None},
                                   "en": {"Dr": "doctor number"}}}),
]
TAG_FILTERS = [None, ["URL", "EMAIL"], ["CURRENCY", "PERCENT"], ["DATE", "TIME"]]
# Shapes the passes care about, mixed with each corpus's own words.
SHAPES = [
    "0", "7", "12", "305", "2025", "1000000", "12345678901234567890", "-5", "+60",
    "3.14", "0.5", "1,234", "1,234,567.89", "1.234.567", "12,5", "1/2", "3/4", "2/3",
    "50%", "12.5%", "RM5", "RM 12.50", "RM2.5B", "$4.50", "$15", "USD1,000", "Rp13.500",
    "S$3", "€20", "£7", "¥100", "5K", "2.5M", "3 juta", "10:30", "7:30 PM", "7.30pm",
    "12:30:45", "1/5/2025", "12/05/2024", "2024-05-12", "5 May 2024", "May 5, 2024",
    "ali@contoh.com", "https://contoh.my/a?b=1", "www.example.com", "192.168.1.1",
    "v1.2.3", "10.0.19045", "1st", "2nd", "ke-3", "kali ke-2", "x2", "5kg", "10 km",
    "100km/j", "30°C", "-4°F", "5cm", "2 ml", "900101-14-5678", "012-345 6789",
    "+60 12-345 6789", "GUI", "NASA", "SPM", "UKM", "Dr", "Dr.", "Mr.", "No.", "hb",
    "don't", "we're", "it's", "baik-baik", "rama-rama", "sooo", "bagusss", "(note)",
    "[1]", "&", "@", "#", "~", "*", "=", "+", "...", "!", "?", ",", ".", ";", ":", "\"",
    "'", "«", "»", "—", "–", "Ⅻ", "XIV", "1H", "1445H", "ٱ", "😀", "\u200b", "\u00a0",
    "年", "月", "日", "点", "元", "公斤", "百分之", "第3", "3个", "２０２５", "１２", "ｘ",
    "İ", "ß", "é", "K", "ǅ",
]
JOINERS = [" ", " ", " ", "", ", ", "\n", "  ", "-", "/", ".", "\t"]
SKIP_ERRORS = (KeyboardInterrupt, SystemExit)


# ---- inputs ----

def corpus():
    return {lang: [line for line in (HERE / "corpus" / f"{lang}.txt").read_text(encoding="utf-8")
                   .splitlines() if line.strip()] for lang in LANGS}


def _cpp_unescape(body):
    simple = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", "\"": "\"", "'": "'", "0": "\0",
              "a": "\a", "b": "\b", "f": "\f", "v": "\v", "?": "?"}
    out, i = bytearray(), 0
    raw = body.encode("utf-8")
    while i < len(raw):
        c = raw[i:i + 1]
        if c != b"\\" or i + 1 == len(raw):
            out += c
            i += 1
            continue
        e = chr(raw[i + 1])
        if e == "x":
            m = re.match(rb"[0-9A-Fa-f]+", raw[i + 2:])
            out.append(int(m.group(), 16) & 0xFF)
            i += 2 + len(m.group())
        elif e in "uU":
            n = 4 if e == "u" else 8
            out += chr(int(raw[i + 2:i + 2 + n], 16)).encode("utf-8")
            i += 2 + n
        elif e in "01234567":
            m = re.match(rb"[0-7]{1,3}", raw[i + 1:])
            out.append(int(m.group(), 8) & 0xFF)
            i += 1 + len(m.group())
        else:
            out += simple[e].encode()
            i += 2
    return out.decode("utf-8")


def test_literals():
    """Every string literal of the test files that decodes to text."""
    found = set()
    for path in sorted((REPO / "tests" / "python").glob("*.py")):
        for node in ast.walk(ast.parse(path.read_text(encoding="utf-8"))):
            if isinstance(node, ast.Constant) and isinstance(node.value, str):
                found.add(node.value)
    literal = re.compile(r'R"\((.*?)\)"|(?<![A-Za-z0-9_])(?:u8)?"((?:[^"\\\n]|\\.)*)"', re.S)
    for path in sorted((REPO / "tests" / "cpp").glob("*.cpp")):
        for m in literal.finditer(path.read_text(encoding="utf-8")):
            try:
                found.add(m.group(1) if m.group(1) is not None else _cpp_unescape(m.group(2)))
            except (ValueError, KeyError, AttributeError, UnicodeDecodeError):
                pass
    # Huge generated inputs belong to the scaling bench, not here.
    return sorted(s for s in found if len(s) <= 2000 and "\0" not in s)


def mixes(lang, lines, count, rng):
    words = [w for line in lines for w in line.split()]
    out = []
    for _ in range(count):
        parts = []
        for _ in range(rng.randint(1, 12)):
            parts.append(rng.choice(words) if rng.random() < 0.55 else rng.choice(SHAPES))
            parts.append(rng.choice(JOINERS))
        out.append("".join(parts[:-1]))
    return out


def jobs(args):
    rng = random.Random(args.seed)
    texts = corpus()
    literals = test_literals()
    calls = []
    for lang in LANGS:
        own = texts[lang] + mixes(lang, texts[lang], args.mixes, rng)
        for text in own:
            for opts in OPTION_SETS:
                calls.append(["normalize", text, lang, opts])
        for text in literals:
            for opts in OPTION_SETS[:3]:
                calls.append(["normalize", text, lang, opts])
    everything = sorted({c[1] for c in calls})
    for text in everything:
        for tags in TAG_FILTERS:
            calls.append(["extract_entities", text, tags])
    for text in literals:
        if len(text) <= 60:
            for tag in ["URL", "EMAIL", "CURRENCY", "DATE", "TIME", "PERCENT", "VERSION", "NOPE"]:
                calls.append(["entity_to_spoken", text, tag, rng.choice(LANGS)])
    return calls


# ---- running one build ----

def work(infile, outfile):
    """Runs the calls of `infile` with the kalvesta this interpreter imports."""
    import kalvesta

    calls = json.loads(Path(infile).read_text(encoding="utf-8"))
    extracted = set()
    results = []
    for fn, *args in calls:
        try:
            got = getattr(kalvesta, fn)(*args)
            if fn == "extract_entities":
                extracted.update((tag, text) for tag, text, _ in got[1])
        except SKIP_ERRORS:
            raise
        except BaseException as err:  # PanicException is a BaseException
            got = f"{type(err).__name__}: {err}"
        results.append(got)
    # Every entity found is also read aloud in every language.
    for tag, text in sorted(extracted):
        for lang in LANGS:
            try:
                got = kalvesta.entity_to_spoken(text, tag, lang)
            except BaseException as err:
                got = f"{type(err).__name__}: {err}"
            results.append([["entity_to_spoken", text, tag, lang], got])
    Path(outfile).write_text(json.dumps(results), encoding="utf-8")


def run_build(python, infile, outfile):
    env = dict(os.environ, PYTHONHASHSEED="0")
    env.pop("PYTHONPATH", None)
    # Run from a neutral directory so the source tree's python/ is not imported.
    subprocess.run([str(python), str(Path(__file__).resolve()), "--work", str(infile), str(outfile)],
                   check=True, env=env, cwd=tempfile.gettempdir())
    return json.loads(Path(outfile).read_text(encoding="utf-8"))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--ref", help="reference revision (default: bench/REFERENCE)")
    parser.add_argument("--mixes", type=int, default=2000, help="random mixes per language")
    parser.add_argument("--seed", type=int, default=16)
    parser.add_argument("--show", type=int, default=40, help="differences printed at most")
    parser.add_argument("--work", nargs=2, help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.work:
        work(*args.work)
        return 0

    sys.path.insert(0, str(HERE))
    import reference

    ref_python = reference.ensure(args.ref)
    calls = jobs(args)
    with tempfile.TemporaryDirectory() as tmp:
        infile = Path(tmp) / "calls.json"
        infile.write_text(json.dumps(calls), encoding="utf-8")
        print(f"{len(calls)} calls, reference {ref_python.parent.parent.parent.name}", file=sys.stderr)
        ref = run_build(ref_python, infile, Path(tmp) / "ref.json")
        new = run_build(REPO / ".venv" / "bin" / "python", infile, Path(tmp) / "new.json")
    labels = [c for c in calls] + [r[0] for r in ref[len(calls):]]
    ref_out = ref[:len(calls)] + [r[1] for r in ref[len(calls):]]
    new_labels = [r[0] for r in new[len(calls):]]
    new_out = new[:len(calls)] + [r[1] for r in new[len(calls):]]
    diffs = []
    if labels[len(calls):] != new_labels:
        diffs.append((["entity_to_spoken", "(the set of extracted entities differs)"], "", ""))
    else:
        diffs += [(lab, a, b) for lab, a, b in zip(labels, ref_out, new_out) if a != b]
    for lab, a, b in diffs[:args.show]:
        print(f"DIFF {lab!r}\n  ref: {a!r}\n  new: {b!r}")
    print(f"{len(ref_out)} outputs compared, {len(diffs)} differ")
    return 1 if diffs else 0


if __name__ == "__main__":
    sys.exit(main())
