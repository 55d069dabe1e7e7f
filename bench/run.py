#!/usr/bin/env python3
"""Benchmark: per-sentence latency, throughput, cold start, scaling and peers.

Run with the project's venv (`make bench`). Everything ends up in one table;
progress goes to stderr. `--quick` gives a short run, `--peers` also installs
and times the peer normalisers (never by default), `--strict` exits non-zero
when a doubling ratio is flagged,
`--reference [REV]` also times a reference build side by side (bench/reference.py;
bench/same_output.py checks that both give the same outputs).
"""

import argparse
import json
import os
import random
import statistics
import subprocess
import sys
import time
from pathlib import Path

import kalvesta

HERE = Path(__file__).resolve().parent
CORPUS = HERE / "corpus"
PEERS_VENV = HERE / ".peers-venv"
LANGS = ["ms", "id", "en", "zh", "zh_my"]
KB = 1024
MAX_RATIO = 2.5
# A call slower than this ends its doubling series: the next one would only
# take longer, and the flag has already been raised.
CALL_LIMIT_S = 10.0
# All peer installs together, and one peer's run with its first grammar build.
INSTALL_BUDGET_S = 300
PEER_RUN_S = 300

ROWS = []  # (section, case, value, note)
FLAGS = []


def log(msg):
    print(msg, file=sys.stderr, flush=True)


def row(section, case, value, note=""):
    ROWS.append((section, case, value, note))


def load_corpus(lang):
    lines = (CORPUS / f"{lang}.txt").read_text(encoding="utf-8").splitlines()
    return [line for line in lines if line.strip()]


def timed(fn, *args):
    start = time.perf_counter()
    fn(*args)
    return time.perf_counter() - start


def best_of(runs, fn, *args):
    return min(timed(fn, *args) for _ in range(runs))


# ---- per-sentence latency and throughput ----

def bench_sentences(lang, lines, rounds):
    normalize = kalvesta.normalize
    for s in lines:
        normalize(s, lang)
    samples = []
    clock = time.perf_counter_ns
    for _ in range(rounds):
        for s in lines:
            t0 = clock()
            normalize(s, lang)
            samples.append(clock() - t0)
    samples.sort()
    median_us = statistics.median(samples) / 1000
    p99_us = samples[min(len(samples) - 1, int(len(samples) * 0.99))] / 1000
    per_s = len(samples) / (sum(samples) / 1e9)
    text = "\n".join(lines)
    mb = len(text.encode()) / 1e6
    mb_s = mb / best_of(3, normalize, text, lang)
    row("sentences", lang, f"median {median_us:.1f} us, p99 {p99_us:.1f} us",
        f"{per_s:,.0f} sentences/s, {mb_s:.2f} MB/s ({len(lines)} lines)")
    return sum(samples) / 1e9 / rounds


def bench_english_skips(rounds):
    """The contraction and title rows are scanned only when the text holds an
    apostrophe or a full stop: a plain sentence should cost no more than one
    with them."""
    cases = [
        ("plain", "We met at the station and walked to the market together"),
        ("apostrophes", "We'd met at the station and we're walking to the market, aren't we"),
        ("full stops", "Mr. Tan met Dr. Lee at the station. They walked to the market."),
    ]
    normalize = kalvesta.normalize
    for name, sentence in cases:
        normalize(sentence, "en")
        samples = []
        for _ in range(rounds * 200):
            t0 = time.perf_counter_ns()
            normalize(sentence, "en")
            samples.append(time.perf_counter_ns() - t0)
        row("sentences", f"en, {name}", f"median {statistics.median(samples) / 1000:.1f} us",
            "contraction and title rows skipped unless needed")


def bench_cold_start(lang, sentence, runs):
    code = (
        "import time; t = time.perf_counter(); import kalvesta; "
        f"kalvesta.normalize({sentence!r}, {lang!r}); print(time.perf_counter() - t)"
    )
    times = []
    for _ in range(runs):
        out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                             timeout=120)
        if out.returncode != 0:
            row("cold start", lang, "failed", out.stderr.strip().splitlines()[-1:])
            return
        times.append(float(out.stdout.strip()))
    row("cold start", lang, f"{statistics.median(times) * 1000:.1f} ms",
        "import + first call, fresh process")


# ---- scaling ----

def cut(text, size):
    """The text repeated to `size` bytes, ended at a separator before the limit."""
    unit = text.encode()
    data = unit * (size // len(unit) + 1)
    data = data[:size]
    end = max(data.rfind(b" "), data.rfind(b"\n"))
    if end > size // 2:
        data = data[:end]
    return data.decode("utf-8", errors="ignore")


def doubling(section, case, lang, texts, labels, rounds=3):
    """Times each text (each twice the previous) and flags ratios above MAX_RATIO.

    The sizes are timed in turn, `rounds` times over, and each keeps its best:
    a burst of load on a shared machine then hits one round of every size
    rather than every round of one size. A ratio above MAX_RATIO is timed again
    (both sizes, in turn) before it is flagged.
    """
    best = []  # the best time of each size timed so far
    stop = len(texts)  # sizes from here on are not timed
    failed = None
    for i in range(rounds):
        for k in range(stop):
            try:
                t = timed(kalvesta.normalize, texts[k], lang)
            except BaseException as err:  # PanicException is a BaseException
                failed, stop = (k, err), k
                del best[k:]
                break
            if i == 0:
                best.append(t)
            else:
                best[k] = min(best[k], t)
            if t > CALL_LIMIT_S:
                stop = k  # not timed again, and nothing larger
                break
    for k in range(1, len(best)):
        if best[k] / best[k - 1] > MAX_RATIO and best[k] < CALL_LIMIT_S / 2:
            for _ in range(2):
                best[k - 1] = min(best[k - 1], timed(kalvesta.normalize, texts[k - 1], lang))
                best[k] = min(best[k], timed(kalvesta.normalize, texts[k], lang))
    parts = []
    for k, t in enumerate(best):
        ratio = "" if k == 0 else f" x{t / best[k - 1]:.2f}"
        if k > 0 and t / best[k - 1] > MAX_RATIO:
            ratio += "!"
            FLAGS.append(f"{section} {case} {lang} {labels[k]}: ratio {t / best[k - 1]:.2f}")
        parts.append(f"{labels[k]} {t * 1000:.0f}ms{ratio}")
    if best and best[-1] > CALL_LIMIT_S:
        parts.append("stopped")
        FLAGS.append(f"{section} {case} {lang} {labels[len(best) - 1]}: {best[-1]:.1f}s, series stopped")
    if failed is not None:
        k, err = failed
        parts.append(f"{labels[k]}: {type(err).__name__}")
        FLAGS.append(f"{section} {case} {lang} {labels[k]}: {type(err).__name__}: {err}"[:300])
    row(section, f"{case} [{lang}]", "; ".join(parts))


def size_label(n):
    return f"{n // (KB * KB)}M" if n >= KB * KB else f"{n // KB}K"


def bench_scaling(lang, lines, sizes):
    one_line = " ".join(lines)
    with_breaks = "\n".join(lines) + "\n"
    labels = [size_label(s) for s in sizes]
    doubling("scaling", "one line", lang, [cut(one_line, s) for s in sizes], labels)
    doubling("scaling", "line breaks", lang, [cut(with_breaks, s) for s in sizes], labels)


def random_token(n, alphabet="abcdefghijklmnopqrstuvwxyz0123456789", seed=7):
    rng = random.Random(seed)
    return "".join(rng.choice(alphabet) for _ in range(n))


def adversarial_cases(sizes, email_counts):
    longest = max(s for s in sizes if s <= KB * KB)
    token = random_token(longest)
    letters = random_token(longest, "abcdefghijklmnopqrstuvwxyz")
    labels = [size_label(s) for s in sizes]
    yield "clock times then %", [("10:30 " * (s // 6)) + "%" for s in sizes], labels
    yield "digit groups", [cut("1 234 567 89 ", s) for s in sizes], labels
    yield ("e-mail addresses",
           [" ".join(f"u{i}@mail.com" for i in range(n)) for n in email_counts],
           [f"{n:,}" for n in email_counts])
    small = [s for s in sizes if s <= KB * KB]
    yield "one token", [token[:s] for s in small], [size_label(s) for s in small]
    # Letters alone: a look-ahead for a digit inside a word finds none.
    yield "one token, letters only", [letters[:s] for s in small], [size_label(s) for s in small]
    yield '"ha " repeated', ["ha " * (s // 3) for s in sizes], labels
    yield '"!" repeated', ["!" * s for s in sizes], labels
    yield '"1." repeated', ["1." * (s // 2) for s in sizes], labels
    # Runs where a pattern could start at every position and scan to the end.
    runs = [("\u0663", ""), ("a-", "\u00e9 "), ("a.", "\u00e9 "), ("7-", "\u00e9 "), ("-7", ""), ("\uff15", "")]
    for unit, prefix in runs:
        yield (f"{prefix + unit!r} repeated", [prefix + unit * (s // len(unit.encode())) for s in small],
               [size_label(s) for s in small])


def bench_adversarial(langs, sizes, email_counts):
    for case, texts, labels in adversarial_cases(sizes, email_counts):
        for lang in langs:
            log(f"adversarial {case} [{lang}]")
            doubling("adversarial", case, lang, texts, labels)


# ---- peers ----

PEERS = {
    # peer: (packages to install in order, import name, what it is compared with)
    "num2words_en": (["num2words"], "num2words", "normalize(bare number, en)"),
    "num2words_id": (["num2words"], "num2words", "to_cardinal_id / normalize(bare number, id)"),
    "nemo_en": (["pynini", "nemo_text_processing"], "nemo_text_processing", "normalize(en corpus)"),
    "wetext_zh": (["pynini", "WeTextProcessing"], "tn", "normalize(zh corpus)"),
}


def peers_python():
    return PEERS_VENV / "bin" / "python"


def ensure_peer(peer, deadline, allow_install):
    """Returns None when the peer can run, else the reason it cannot.

    Installs share one deadline (a time.monotonic value) so that a slow or
    unreachable package index cannot stretch the run.
    """
    packages, module, _ = PEERS[peer]
    py = peers_python()
    if not py.exists():
        if not allow_install:
            return "peers venv absent (run without --quick to create it)"
        log(f"creating {PEERS_VENV}")
        made = subprocess.run([sys.executable, "-m", "venv", str(PEERS_VENV)],
                              capture_output=True, text=True)
        if made.returncode != 0:
            return "venv creation failed: " + made.stderr.strip()[-200:]
    check = subprocess.run([str(py), "-c", f"import {module}"], capture_output=True)
    if check.returncode == 0:
        return None
    if not allow_install:
        return f"{module} not installed (run without --quick to install)"
    for package in packages:
        left = int(deadline - time.monotonic())
        if left < 10:
            return f"install time budget ({INSTALL_BUDGET_S}s) used up before {package}"
        log(f"installing {package} into {PEERS_VENV} (at most {left}s)")
        try:
            done = subprocess.run(
                [str(py), "-m", "pip", "install", "-q", "--disable-pip-version-check", package],
                capture_output=True, text=True, timeout=left)
        except subprocess.TimeoutExpired:
            return f"pip install {package} timed out (install budget {INSTALL_BUDGET_S}s)"
        if done.returncode != 0:
            tail = (done.stderr.strip().splitlines() or ["?"])[-1]
            return f"pip install {package} failed: {tail[:160]}"
    check = subprocess.run([str(py), "-c", f"import {module}"], capture_output=True, text=True)
    if check.returncode != 0:
        tail = (check.stderr.strip().splitlines() or ["?"])[-1]
        return f"import {module} failed: {tail[:160]}"
    return None


def run_peer(peer, sentences, numbers, rounds, timeout):
    job = {"sentences": sentences, "numbers": numbers, "rounds": rounds,
           "cache_dir": str(PEERS_VENV / "cache" / peer)}
    os.makedirs(job["cache_dir"], exist_ok=True)
    try:
        done = subprocess.run([str(peers_python()), str(HERE / "peers_worker.py"), peer],
                              input=json.dumps(job), capture_output=True, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, f"timed out after {timeout}s (grammar building included)"
    if done.returncode != 0:
        tail = (done.stderr.strip().splitlines() or ["?"])[-1]
        return None, f"failed: {tail[:160]}"
    try:
        return json.loads(done.stdout.strip().splitlines()[-1]), None
    except (ValueError, IndexError):
        return None, "unreadable worker output"


def kalvesta_total(fn, items, rounds):
    for x in items:
        fn(x)
    return min(timed(lambda: [fn(x) for x in items]) for _ in range(rounds))


def bench_peers(args, corpus):
    rng = random.Random(11)
    numbers = [rng.choice([rng.randrange(10), rng.randrange(1000), rng.randrange(10**6),
                           rng.randrange(10**12), rng.randrange(10**18)]) for _ in range(2000)]
    rounds = 2 if args.quick else 5
    deadline = time.monotonic() + INSTALL_BUDGET_S
    mine = {
        "num2words_en": [("normalize en", lambda n: kalvesta.normalize(str(n), "en"))],
        "num2words_id": [("to_cardinal_id", kalvesta.to_cardinal_id),
                         ("normalize id", lambda n: kalvesta.normalize(str(n), "id"))],
        "nemo_en": [("normalize en", lambda s: kalvesta.normalize(s, "en"))],
        "wetext_zh": [("normalize zh", lambda s: kalvesta.normalize(s, "zh"))],
    }
    sentences = {"nemo_en": corpus["en"], "wetext_zh": corpus["zh"]}
    for peer in PEERS:
        log(f"peer {peer}")
        reason = ensure_peer(peer, deadline, allow_install=not args.quick)
        if reason:
            row("peers", peer, "skipped", reason)
            continue
        lines = sentences.get(peer, [])
        result, reason = run_peer(peer, lines, numbers, rounds, timeout=PEER_RUN_S)
        if reason:
            row("peers", peer, "skipped", reason)
            continue
        items = numbers if peer.startswith("num2words") else lines
        peer_us = result["total_s"] / result["count"] * 1e6
        for label, fn in mine[peer]:
            own = kalvesta_total(fn, items, rounds)
            own_us = own / len(items) * 1e6
            row("peers", f"{peer} / {label}", f"ratio {result['total_s'] / own:.1f}",
                f"{peer_us:.1f} us vs {own_us:.1f} us per item, {len(items)} items; "
                f"peer setup {result['setup_s']:.1f}s")


# ---- side by side with a reference build ----

# Timed in a fresh process of either build, the same way: median per call.
SIDE_BY_SIDE_CODE = r"""
import json, statistics, sys, time
import kalvesta
cases = json.loads(sys.stdin.read())
normalize, clock = kalvesta.normalize, time.perf_counter_ns
out = []
for lang, texts, rounds in cases:
    for t in texts:
        normalize(t, lang)
    samples = []
    for _ in range(rounds):
        for t in texts:
            t0 = clock()
            normalize(t, lang)
            samples.append(clock() - t0)
    out.append(statistics.median(samples) / 1000)
print(json.dumps(out))
"""


def side_by_side_cases(corpus, rounds):
    cases = [(f"sentences [{lang}]", lang, corpus[lang], rounds) for lang in LANGS]
    cases += [("plain word [ms]", "ms", ["makan"], rounds * 2000),
              ("bare number [en]", "en", ["12345"], rounds * 2000),
              ("bare number [id]", "id", ["12345"], rounds * 2000),
              ("plain word [zh]", "zh", ["你好"], rounds * 2000)]
    return cases


def time_build(python, cases):
    data = json.dumps([[lang, texts, rounds] for _, lang, texts, rounds in cases])
    out = subprocess.run([str(python), "-c", SIDE_BY_SIDE_CODE], input=data, capture_output=True,
                         text=True, check=True, cwd="/")
    return json.loads(out.stdout)


def bench_reference(rev, corpus, rounds):
    sys.path.insert(0, str(HERE))
    import reference

    ref_python = reference.ensure(rev)
    cases = side_by_side_cases(corpus, rounds)
    log("side by side with the reference build")
    # The builds take turns case by case, seven times over, and each keeps its
    # best: a shared machine has slow spells of several seconds, and short
    # turns let both builds meet the same ones.
    ref, new = [float("inf")] * len(cases), [float("inf")] * len(cases)
    for _ in range(7):
        for k, case in enumerate(cases):
            ref[k] = min(ref[k], time_build(ref_python, [case])[0])
            new[k] = min(new[k], time_build(sys.executable, [case])[0])
    for (label, *_), r, n in zip(cases, ref, new):
        row("vs reference", label, f"x{r / n:.2f} faster",
            f"{n:.1f} us vs {r:.1f} us median per call, reference {ref_python.parents[2].name}")


# ---- output ----

def print_table():
    heads = ("section", "case", "result", "note")
    widths = [max(len(str(r[i])) for r in ROWS + [heads]) for i in range(3)]
    line = "  ".join("-" * w for w in widths) + "  " + "-" * 20
    print(line)
    print("  ".join(h.ljust(w) for h, w in zip(heads, widths)) + "  " + heads[3])
    print(line)
    last = None
    for section, case, value, note in ROWS:
        if last is not None and section != last:
            print()
        last = section
        print("  ".join(str(c).ljust(w) for c, w in zip((section, case, value), widths))
              + "  " + str(note))
    print(line)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--quick", action="store_true", help="short run, no peer installs")
    parser.add_argument("--peers", action="store_true",
                        help="also install and time the peer normalisers into bench/.peers-venv")
    parser.add_argument("--no-peers", action="store_true", help="the default; kept for old command lines")
    parser.add_argument("--strict", action="store_true", help="exit 1 on a flagged ratio")
    parser.add_argument("--langs", default=",".join(LANGS), help="comma-separated codes")
    parser.add_argument("--reference", nargs="?", const="", metavar="REV",
                        help="also time a reference build side by side (default rev: bench/REFERENCE)")
    args = parser.parse_args()
    langs = [code for code in args.langs.split(",") if code]

    corpus = {lang: load_corpus(lang) for lang in LANGS}
    if args.quick:
        sizes = [128 * KB, 256 * KB, 512 * KB]
        email_counts = [12_500, 25_000, 50_000]
        rounds, cold_runs, adv_langs = 3, 1, ["ms", "en", "zh"]
    else:
        sizes = [128 * KB << k for k in range(6)]  # 128 KB .. 4 MB
        email_counts = [12_500, 25_000, 50_000, 100_000]
        rounds, cold_runs, adv_langs = 10, 3, langs

    started = time.perf_counter()
    row("setup", "python", sys.version.split()[0], f"kalvesta from {Path(kalvesta.__file__).parent}")
    for lang in langs:
        log(f"sentences [{lang}]")
        bench_sentences(lang, corpus[lang], rounds)
    if "en" in langs:
        bench_english_skips(rounds)
    for lang in langs:
        log(f"cold start [{lang}]")
        bench_cold_start(lang, corpus[lang][0], cold_runs)
    for lang in langs:
        log(f"scaling [{lang}]")
        bench_scaling(lang, corpus[lang], sizes)
    bench_adversarial([code for code in adv_langs if code in langs], sizes, email_counts)
    if args.reference is not None:
        bench_reference(args.reference or None, corpus, rounds)
    if args.peers and not args.no_peers:
        bench_peers(args, corpus)
    row("summary", "doubling ratios", "all <= 2.5" if not FLAGS else f"{len(FLAGS)} flagged",
        f"run took {time.perf_counter() - started:.0f}s")
    for flag in FLAGS:
        row("summary", "flagged", flag)
    print_table()
    return 1 if (args.strict and FLAGS) else 0


if __name__ == "__main__":
    sys.exit(main())
