"""Runs one peer normaliser inside the peers' own venv and reports its timings.

Started by bench/run.py with the peer's name; reads a JSON job on stdin
({"sentences": [...], "numbers": [...], "rounds": N, "cache_dir": path}) and
prints one JSON object on stdout. Setup (grammar building) is timed apart.
"""

import json
import sys
import time


def build(peer, cache_dir):
    if peer == "nemo_en":
        from nemo_text_processing.text_normalization.normalize import Normalizer

        normalizer = Normalizer(input_case="cased", lang="en", cache_dir=cache_dir,
                                overwrite_cache=False)
        return lambda text: normalizer.normalize(text, punct_post_process=True)
    if peer == "wetext_zh":
        from tn.chinese.normalizer import Normalizer

        normalizer = Normalizer(cache_dir=cache_dir, overwrite_cache=False)
        return normalizer.normalize
    if peer in ("num2words_en", "num2words_id"):
        from num2words import num2words

        lang = peer.rsplit("_", 1)[1]
        return lambda n: num2words(n, lang=lang)
    raise SystemExit(f"unknown peer {peer}")


def main():
    peer = sys.argv[1]
    job = json.load(sys.stdin)
    start = time.perf_counter()
    try:
        call = build(peer, job["cache_dir"])
    except TypeError:
        # Older releases take no cache arguments.
        job["cache_dir"] = None
        call = build(peer, None)
    setup = time.perf_counter() - start
    items = job["numbers"] if peer.startswith("num2words") else job["sentences"]
    t0 = time.perf_counter()
    outputs = [call(x) for x in items]  # warm-up, and a sample to show
    warm = time.perf_counter() - t0
    # A slow peer gets one timed round, so the whole run stays bounded.
    rounds = job["rounds"] if warm < 2.0 else 1
    best = None
    for _ in range(rounds):
        t0 = time.perf_counter()
        for x in items:
            call(x)
        elapsed = time.perf_counter() - t0
        best = elapsed if best is None else min(best, elapsed)
    json.dump({"setup_s": setup, "total_s": best, "count": len(items),
               "sample": [str(o) for o in outputs[:3]]}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
