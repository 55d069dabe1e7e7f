"""A reference build of kalvesta: one git revision built into its own venv.

`ensure(rev)` returns the Python of a venv under bench/.ref/<sha>/ whose
kalvesta is built from that revision (built on first use, reused after).
The wheel is built with the project's .venv, so no network is needed.
The default revision is the one named in bench/REFERENCE: the build the
speed work is measured against.
"""

import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent
REF_DIR = HERE / ".ref"
DEFAULT_FILE = HERE / "REFERENCE"
PROJECT_PY = REPO / ".venv" / "bin" / "python"


def default_rev():
    return DEFAULT_FILE.read_text().split()[0]


def resolve(rev):
    out = subprocess.run(["git", "-C", str(REPO), "rev-parse", "--verify", f"{rev}^{{commit}}"],
                         capture_output=True, text=True)
    if out.returncode != 0:
        sys.exit(f"unknown revision {rev!r}: {out.stderr.strip()}")
    return out.stdout.strip()


def ensure(rev=None, log=lambda msg: print(msg, file=sys.stderr, flush=True)):
    sha = resolve(rev or default_rev())
    home = REF_DIR / sha[:12]
    python = home / "venv" / "bin" / "python"
    if (home / "ok").exists():
        return python
    if not PROJECT_PY.exists():
        sys.exit("no .venv: run `make install` first")
    log(f"building reference {sha[:12]} into {home}")
    shutil.rmtree(home, ignore_errors=True)
    src = home / "src"
    src.mkdir(parents=True)
    archive = subprocess.Popen(["git", "-C", str(REPO), "archive", sha], stdout=subprocess.PIPE)
    subprocess.run(["tar", "-x", "-C", str(src)], stdin=archive.stdout, check=True)
    if archive.wait() != 0:
        sys.exit(f"git archive {sha} failed")
    wheels = home / "wheel"
    subprocess.run([str(PROJECT_PY), "-m", "pip", "wheel", "-q", "--no-build-isolation", "--no-deps",
                    "--disable-pip-version-check", "-w", str(wheels), str(src)], check=True)
    # The venv's base interpreter is the one the project's .venv was made from.
    base = subprocess.run([str(PROJECT_PY), "-c", "import sys; print(sys._base_executable)"],
                          capture_output=True, text=True, check=True).stdout.strip()
    subprocess.run([base, "-m", "venv", str(home / "venv")], check=True)
    wheel = next(wheels.glob("*.whl"))
    subprocess.run([str(python), "-m", "pip", "install", "-q", "--no-deps", "--no-index",
                    "--disable-pip-version-check", str(wheel)], check=True)
    shutil.rmtree(src)
    (home / "ok").write_text(sha + "\n")
    return python


if __name__ == "__main__":
    print(ensure(sys.argv[1] if len(sys.argv) > 1 else None))
