"""The README's examples do what the README shows."""

import doctest
import json
import re
from pathlib import Path

import pytest

import kalvesta

README = (Path(__file__).resolve().parents[2] / "README.md").read_text(encoding="utf-8")


def line_of(pos):
    return README.count("\n", 0, pos) + 1


# (line of the block's first example, the block's text)
BLOCKS = [(line_of(m.start(1)), m.group(1)) for m in re.finditer(r"^```python\n(.*?)^```$", README, re.M | re.S)]
# (tag, example) for every example in the entity tag table
TAG_EXAMPLES = [
    (tag, example)
    for tag, examples in re.findall(r"^\| `([A-Z_]+)` \| (.+) \|$", README, re.M)
    for example in re.findall(r"`([^`]+)`", examples)
]

# (pass key, language, example) for every example in the pass key table
KEY_EXAMPLES = [
    (key, lang or "ms", example)
    for key, examples, lang in re.findall(r"^\| `([a-z_]+)` \| [^|]+ \| (`.+`)(?: \((\w+)\))? \| [^|]+ \|$", README, re.M)
    for example in re.findall(r"`([^`]+)`", examples)
]


def test_readme_has_examples():
    assert len(BLOCKS) >= 5 and len({tag for tag, _ in TAG_EXAMPLES}) == 14 and len(KEY_EXAMPLES) >= 13


@pytest.mark.parametrize("line, source", BLOCKS, ids=[f"README.md:{line}" for line, _ in BLOCKS])
def test_python_example_prints_what_is_shown(line, source):
    test = doctest.DocTestParser().get_doctest(source, {"kalvesta": kalvesta}, "README.md", "README.md", line - 1)
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    report = []
    runner.run(test, out=report.append)
    assert runner.failures == 0, "".join(report)


@pytest.mark.parametrize("tag, example", TAG_EXAMPLES)
def test_tag_example_is_extracted_whole_and_documented(tag, example):
    assert kalvesta.extract_entities(example) == (f"<<<{tag}_1>>>", [(tag, example, 1)]), example
    assert re.search(rf"^{tag} ", kalvesta.__doc__, re.M), tag


@pytest.mark.parametrize("key, lang, example", KEY_EXAMPLES)
def test_pass_key_example_changes_when_switched_off(key, lang, example):
    off = json.dumps({"disable": [key]})
    assert kalvesta.normalize(example, lang) != kalvesta.normalize(example, lang, off), example
